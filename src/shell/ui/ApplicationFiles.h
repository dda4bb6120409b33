#pragma once

#include <QPixmap>
#include <QString>

namespace leapmark {

/**
 * Files the program ships (pictures, icons, the manual) are installed beside it in
 * <prefix>/share/leapmark and compiled in as well; a file of the same name in the application folder
 * takes their place, so a tournament can use its own.
 */

/** Where an installed program finds its shipped files: "../share/leapmark" from the executable's folder. */
[[nodiscard]] QString installedFilesFolder();

/** The installed copy of a shipped file when there is one, else the compiled-in copy (":/leapmark/..."). */
[[nodiscard]] QString shippedFilePath(const QString& name);

/** The file of that name in the application folder when it exists there, otherwise the shipped copy. */
[[nodiscard]] QString applicationFilePath(const QString& applicationFolder, const QString& name);

/**
 * A picture by name: the application folder's file when it exists and loads, otherwise the shipped
 * copy; a null pixmap when neither exists.
 */
[[nodiscard]] QPixmap applicationPicture(const QString& applicationFolder, const QString& name);

} // namespace leapmark
