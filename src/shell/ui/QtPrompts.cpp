#include "shell/ui/QtPrompts.h"
#include "common/Twips.h"

#include "shell/DialogFilter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <vector>

namespace leapmark {

namespace {

QString titleOf(const std::string& title)
{
    return QString::fromStdString(title.empty() ? std::string(kProgramTitle) : title);
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

/** The box's buttons from left to right, as the operator has always seen them. */
std::vector<QMessageBox::StandardButton> buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case MessageButtons::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case MessageButtons::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MessageButtons::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    case MessageButtons::AbortRetryIgnore:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case MessageButtons::Ok:
        break;
    }
    return {QMessageBox::Ok};
}

std::size_t defaultIndex(DefaultButton button)
{
    switch (button) {
    case DefaultButton::Second:
        return 1;
    case DefaultButton::Third:
        return 2;
    case DefaultButton::First:
        break;
    }
    return 0;
}

MessageAnswer answerOf(int clicked, const std::vector<QMessageBox::StandardButton>& offered)
{
    switch (clicked) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Abort:
        return MessageAnswer::Abort;
    case QMessageBox::Ignore:
        return MessageAnswer::Ignore;
    default:
        break;
    }
    // Closed without a button: the box's way out.
    for (const auto button : offered) {
        if (button == QMessageBox::Cancel)
            return MessageAnswer::Cancel;
        if (button == QMessageBox::No)
            return MessageAnswer::No;
    }
    return offered.front() == QMessageBox::Abort ? MessageAnswer::Abort : MessageAnswer::Ok;
}

std::optional<std::string> runFileDialog(QWidget* owner, const FileDialogRequest& request,
                                         QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner);
#ifndef _WIN32
    // Qt's own dialog honours the either-case patterns and shows the descriptions as written.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.title.empty())
        dialog.setWindowTitle(QString::fromStdString(request.title));

    QStringList filters;
    for (const std::string& filter : qtNameFilters(request.filter, platformPatternCase()))
        filters << QString::fromStdString(filter);
    if (!filters.isEmpty()) {
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    }
    if (!request.startFolder.empty())
        dialog.setDirectory(QString::fromStdString(request.startFolder));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.fileName.empty())
        dialog.selectFile(QString::fromStdString(request.fileName));

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first().toStdString();
}

} // namespace

QtPrompts::QtPrompts(QWidget* owner) : m_owner(owner) {}

QWidget* QtPrompts::owner() const
{
    return m_owner ? m_owner.data() : QApplication::activeWindow();
}

MessageAnswer QtPrompts::message(const MessageRequest& request)
{
    QMessageBox box(owner());
    box.setIcon(qtIcon(request.icon));
    box.setWindowTitle(titleOf(request.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(request.text));

    const auto offered = buttonsOf(request.buttons);
    QMessageBox::StandardButtons buttons;
    for (const auto button : offered)
        buttons |= button;
    box.setStandardButtons(buttons);
    const std::size_t index = defaultIndex(request.defaultButton);
    box.setDefaultButton(offered.at(index < offered.size() ? index : 0));

    return answerOf(box.exec(), offered);
}

std::optional<std::string> QtPrompts::input(const InputRequest& request)
{
    QInputDialog dialog(owner());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(titleOf(request.title));
    dialog.setLabelText(QString::fromStdString(request.prompt));
    dialog.setTextValue(QString::fromStdString(request.defaultText));
    if (request.position)
        dialog.move(wholePixels(request.position->xTwips), wholePixels(request.position->yTwips));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtPrompts::openFile(const FileDialogRequest& request)
{
    return runFileDialog(owner(), request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompts::saveFile(const FileDialogRequest& request)
{
    return runFileDialog(owner(), request, QFileDialog::AcceptSave);
}

} // namespace leapmark
