#pragma once

#include <QObject>

#include <vector>

class QAbstractButton;

namespace leapmark {

/**
 * Makes a row of option buttons choose only when the operator means it: a click, Space or Enter.
 * The arrow keys move the focus along the row without choosing, where Qt's exclusive option
 * buttons would click each one the focus lands on, and some options write a record on their click.
 */
class DeliberateChoice : public QObject
{
    Q_OBJECT

public:
    /** Watches the buttons, in the order the arrows walk them. */
    DeliberateChoice(std::vector<QAbstractButton*> buttons, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QAbstractButton*> m_buttons;
};

} // namespace leapmark
