#include "shell/ui/ApplicationFiles.h"
#include "shell/ui/QtPrinting.h"

#include "common/PathText.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

QString folderText(const testing::TempFolder& folder)
{
    return QString::fromStdString(pathText(folder.path()));
}

TEST(ApplicationFiles, EveryShippedPictureIsThereAtItsSize)
{
    for (const char* name : {"SmallSmiley.jpg", "SmallCaution.jpg", "face02.ico", "msgbox03.ico"}) {
        const QPixmap picture = applicationPicture(QString(), QString::fromLatin1(name));
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(picture.size(), QSize(32, 32)) << name;
    }
    // The ready and not-ready icons are drawn with see-through corners.
    EXPECT_EQ(QImage(shippedFilePath(QStringLiteral("face02.ico"))).pixelColor(0, 0).alpha(), 0);
    EXPECT_TRUE(applicationPicture(QString(), QStringLiteral("NoSuchPicture.jpg")).isNull());
}

TEST(ApplicationFiles, TheApplicationFoldersFileTakesPrecedence)
{
    testing::TempFolder folder;
    QImage own(5, 4, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(QString::fromStdString(pathText(folder.file("SmallSmiley.jpg"))), "JPG"));

    EXPECT_EQ(applicationFilePath(folderText(folder), QStringLiteral("SmallSmiley.jpg")),
              QString::fromStdString(pathText(folder.file("SmallSmiley.jpg"))));
    EXPECT_EQ(applicationFilePath(folderText(folder), QStringLiteral("face02.ico")),
              QStringLiteral(":/leapmark/face02.ico"));
    EXPECT_EQ(applicationPicture(folderText(folder), QStringLiteral("SmallSmiley.jpg")).size(), QSize(5, 4));
}

TEST(ApplicationFiles, ADamagedLocalPictureFallsBackToTheShippedOne)
{
    testing::TempFolder folder;
    testing::writeBytes(folder.file("SmallCaution.jpg"), "not a picture");
    EXPECT_EQ(applicationPicture(folderText(folder), QStringLiteral("SmallCaution.jpg")).size(),
              QSize(32, 32));
}

} // namespace
} // namespace leapmark
