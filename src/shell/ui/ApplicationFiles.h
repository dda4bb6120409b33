#pragma once

#include <QPixmap>
#include <QString>

namespace leapmark {

/**
 * Files the program ships (pictures, icons, the manual) are compiled in; a file of the same name in
 * the application folder takes their place, so a tournament can use its own.
 */

/** The compiled-in copy of a shipped file, e.g. ":/leapmark/face02.ico". */
[[nodiscard]] QString shippedFilePath(const QString& name);

/** The file of that name in the application folder when it exists there, otherwise the shipped copy. */
[[nodiscard]] QString applicationFilePath(const QString& applicationFolder, const QString& name);

/**
 * A picture by name: the application folder's file when it exists and loads, otherwise the shipped
 * copy; a null pixmap when neither exists.
 */
[[nodiscard]] QPixmap applicationPicture(const QString& applicationFolder, const QString& name);

} // namespace leapmark
