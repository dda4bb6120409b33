#pragma once

#include <QDialog>

namespace leapmark {

class CaptureControl;
class Prompts;

/**
 * The connected device's own settings (brightness, contrast, exposure...): one row per setting, each
 * change sent to the device at once. "Defaults" puts every setting back to the device's default.
 */
class DeviceSettingsDialog final : public QDialog
{
    Q_OBJECT

public:
    DeviceSettingsDialog(CaptureControl& capture, Prompts& prompts, QWidget* parent);

private:
    void change(int id, int value);
    void restoreDefaults();

    CaptureControl& m_capture;
    Prompts& m_prompts;
};

} // namespace leapmark
