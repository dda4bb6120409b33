#pragma once

class QLabel;
class QWidget;

namespace leapmark {

/**
 * The panel the main screen holds beside its own controls (the capture panel). The composition
 * root builds it and hands it to the main screen, which runs its start-up steps in order and shows
 * or hides its configuration parts.
 */
class MainScreenPanel
{
public:
    virtual ~MainScreenPanel() = default;

    /** The panel as placed in the main screen's layout. */
    [[nodiscard]] virtual QWidget& panelWidget() = 0;
    /** The panel's summary line, which the main screen lays out among its own controls. */
    [[nodiscard]] virtual QLabel& summaryLabel() = 0;

    // Start-up, in the main screen's order.
    virtual void applyStartUpDefaults() = 0;
    virtual void setUpDevices() = 0;
    virtual void connectAtStartUp() = 0;
    /** The last start-up step: the test capture's file name, configuration hidden, the summary set. */
    virtual void finishStartUp() = 0;

    /** "Show Configuration": the device, stream and status parts. */
    virtual void showConfiguration() = 0;
    /** Hides the configuration parts; with `andLists`, the device lists as well. */
    virtual void hideConfiguration(bool andLists) = 0;

protected:
    MainScreenPanel() = default;
    MainScreenPanel(const MainScreenPanel&) = default;
    MainScreenPanel& operator=(const MainScreenPanel&) = default;
};

} // namespace leapmark
