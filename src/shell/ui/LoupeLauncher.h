#pragma once

#include "common/Result.h"

#include <QString>
#include <QStringList>

namespace leapmark {

/** The screen loupe's program file name on this platform. */
[[nodiscard]] QString loupeProgramName();

/**
 * Where the loupe is looked for, in order: beside the running program (where it is installed),
 * then in the application folder's "Loupe" subfolder.
 */
[[nodiscard]] QStringList loupeProgramCandidates(const QString& programFolder,
                                                 const QString& applicationFolder);

/**
 * Starts the screen loupe on its own (it outlives no one's wait and needs no answer); gives its
 * process id. The error names the files looked for when none exists, or the file that would not
 * start.
 */
[[nodiscard]] Result<qint64> startLoupe(const QString& applicationFolder);

/** As above, with the folder of the running program given. */
[[nodiscard]] Result<qint64> startLoupe(const QString& applicationFolder, const QString& programFolder);

} // namespace leapmark
