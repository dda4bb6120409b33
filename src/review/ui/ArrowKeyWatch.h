#pragma once

#include <QObject>

class QWidget;

namespace leapmark {

/**
 * The left and right arrow keys while a window is active: held down, or pressed since the last
 * look. The keys are taken from the window's controls, so they step only through the screen's poll.
 * Neither counts as held once the window loses the keys (deactivated, focus gone to a popup, the
 * program sent to the background).
 */
class ArrowKeyWatch : public QObject
{
    Q_OBJECT

public:
    explicit ArrowKeyWatch(QWidget& window);
    ~ArrowKeyWatch() override;

    /** True when the key is down or was pressed since the last call; forgets the press. */
    bool takeLeft();
    bool takeRight();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Key
    {
        bool down = false;
        bool pressed = false;
    };
    static bool take(Key& key);
    /** Whether the event takes the keys away from the window: a release would not be seen here. */
    [[nodiscard]] bool losesTheKeys(const QObject* watched, const QEvent& event) const;

    QWidget& m_window;
    Key m_left;
    Key m_right;
};

} // namespace leapmark
