#pragma once

#include "common/Prompts.h"

#include <QPointer>
#include <QWidget>

namespace leapmark {

/** The title of every box whose request leaves the title empty. */
inline constexpr char kProgramTitle[] = "Leapmark 2005";

/**
 * Prompts shown as real Qt dialogs, modal and owned by the owner window (the main screen):
 * QMessageBox with the request's icon, buttons and default button; QInputDialog placed at the
 * requested position (twips / 15 = pixels); QFileDialog with the request's filter turned into Qt
 * name filters (patterns matched in either case where file names are case-sensitive), the filter
 * at filterIndex preselected, the start folder, the default extension and the file name. Texts are
 * shown as plain text, never interpreted as markup.
 */
class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { m_owner = owner; }

    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::string> input(const InputRequest& request) override;
    /** Accepts a name that does not exist yet, as the open dialog of the grid save does. */
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    /** Replaces an existing file without asking, as the program's save dialogs always have. */
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;

private:
    [[nodiscard]] QWidget* owner() const;

    QPointer<QWidget> m_owner;
};

} // namespace leapmark
