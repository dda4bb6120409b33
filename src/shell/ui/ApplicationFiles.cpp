#include "shell/ui/ApplicationFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace leapmark {

QString installedFilesFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/leapmark"));
}

QString shippedFilePath(const QString& name)
{
    const QString installed = QDir(installedFilesFolder()).filePath(name);
    if (QFileInfo(installed).isFile())
        return installed;
    return QStringLiteral(":/leapmark/") + name;
}

QString applicationFilePath(const QString& applicationFolder, const QString& name)
{
    if (!applicationFolder.isEmpty()) {
        const QString local = QDir(applicationFolder).filePath(name);
        if (QFileInfo(local).isFile())
            return local;
    }
    return shippedFilePath(name);
}

QPixmap applicationPicture(const QString& applicationFolder, const QString& name)
{
    QPixmap picture;
    const QString path = applicationFilePath(applicationFolder, name);
    if (picture.load(path))
        return picture;
    // A damaged local copy must not leave the status picture blank.
    picture.load(shippedFilePath(name));
    return picture;
}

} // namespace leapmark
