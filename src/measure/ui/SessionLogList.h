#pragma once

#include "measure/SessionLog.h"
#include "shell/ui/AppContext.h"

#include <filesystem>
#include <optional>

class QLineEdit;
class QListWidget;

namespace leapmark {

/*
 * What the two log viewers share: the day's log, another one chosen in the open dialog, and the
 * list of the entries of one kind.
 */

/** The day's session log in the video folder. */
[[nodiscard]] std::filesystem::path todaysSessionLog(const AppContext& app);

/** The open dialog for another log, starting in the video folder; nothing when cancelled. */
[[nodiscard]] std::optional<std::filesystem::path> chooseSessionLog(AppContext& app);

/**
 * Shows the log's path in the path box and its entries of one kind in the list, in file order and
 * unchanged, the list scrolling sideways as far as its widest line. A missing log gives an empty list;
 * one that cannot be read is reported with its reason and the list stays as it was.
 */
void showLogEntries(AppContext& app, const std::filesystem::path& log, LogEntryKind kind, QLineEdit* pathBox,
                    QListWidget* list);

} // namespace leapmark
