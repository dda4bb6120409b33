#include "MeasureStation.h"
#include "support/GoldenFile.h"
#include "support/app/ClippedText.h"

#include "capture/ui/PreviewForm.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MeasurePictures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        station.start();
        station.arriveFromFrameSelection();
        station.app.prompts().clear();
    }
    Measure& measure() { return station.measure(); }
    std::filesystem::path exchange(const char* name) const { return station.app.exchangeDir() / name; }

    testing::MeasureStation station;
};

TEST_F(MeasurePictures, SavedPicturesAreNamedFromTheClock)
{
    PreviewForm& capture = station.app.screens().previewForm();
    capture.txtSkierName->setText(QStringLiteral("Smith"));
    capture.txtPass->setText(QStringLiteral("3"));
    station.clickPicture({4350, 3000});
    measure().distance->setText(QStringLiteral(" 45.6m"));

    AppHarness::trigger(measure().SavePict);
    station.app.clock().set(2026, 12, 7, 15, 53, 9);
    AppHarness::trigger(measure().SavePict);

    const std::string name = station.app.session().config.pictures_path + "20715530.bmp";
    EXPECT_THAT(station.app.prompts().texts(), ElementsAre(name, name));
    EXPECT_EQ(station.newResults(), "12-07-2026 15:53:04 Saved picture: " + name +
                                        "\r\n12-07-2026 15:53:09 Saved picture: " + name + "\r\n");
    const std::string entry = "Skier: SmithJump:  2Distance:  45.6mFile: " + name + "\r\n";
    EXPECT_THAT(AppHarness::bytesOf(station.app.sessionLogPath()),
                ::testing::EndsWith("12-07-202615:53:04" + entry + "12-07-202615:53:09" + entry));
    EXPECT_EQ(AppHarness::bytesOf(station.app.appDir() / "20715530.bmp.info"), name + ", Smith, 3\r\n");
    // The picture with its overlay, at picture size, 24 bits.
    QImage saved(QString::fromStdString(name));
    EXPECT_EQ(saved.size(), QSize(720, 480));
    EXPECT_EQ(AppHarness::bytesOf(name).substr(28, 2), std::string("\x18\x00", 2));
    // The overlay is in it: the white point at the centre of the upper-left buoy (3000, 1000 twips).
    EXPECT_EQ(saved.pixelColor(200, 67), QColor(Qt::white));
    EXPECT_EQ(saved.pixelColor(10, 10), QColor(90, 110, 130));
}

TEST_F(MeasurePictures, ASaveIntoAMissingFolderIsReportedAndNotRecorded)
{
    station.app.session().config.pictures_path = (station.app.scratchDir() / "gone").string() + "/";
    AppHarness::trigger(measure().SavePict);
    ASSERT_EQ(station.app.prompts().count(), 2u);
    EXPECT_THAT(station.app.prompts().last().text(), HasSubstr("gone"));
    EXPECT_EQ(station.newResults(), "");
}

TEST_F(MeasurePictures, TheClipboardIsPolledForReadyOnly)
{
    QImage clip(64, 48, QImage::Format_RGB888);
    clip.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(clip);
    AppHarness::click(measure().cbAutoLoadClipboard);
    EXPECT_TRUE(measure().loadTimer->isActive());
    EXPECT_EQ(measure().loadTimer->interval(), 1000);

    testing::writeBytes(exchange("clipflag.txt"), "ready\r\n");
    measure().loadTimer_Timer();
    EXPECT_EQ(measure().picture->pictureSizePixels(), QSize(720, 480));

    testing::writeBytes(exchange("clipflag.txt"), "Ready\r\n");
    measure().loadTimer_Timer();
    EXPECT_EQ(measure().picture->pictureSizePixels(), QSize(64, 48));
    EXPECT_EQ(AppHarness::bytesOf(exchange("clipflag.txt")), "  \r\n");
    // A polled picture is not frozen and names nothing.
    EXPECT_FALSE(station.app.session().measure.picture_frozen);
    EXPECT_TRUE(measure().FrozenSign->isHidden());
    EXPECT_TRUE(measure().gif_file_name->isHidden());

    // No exchange folder: the ticks pass silently.
    std::filesystem::remove_all(station.app.exchangeDir());
    measure().loadTimer_Timer();
    EXPECT_EQ(station.app.prompts().count(), 0u);

    AppHarness::click(measure().cbAutoLoadClipboard);
    EXPECT_FALSE(measure().loadTimer->isActive());
}

TEST_F(MeasurePictures, TheClipboardButtonFreezesThePicture)
{
    QImage clip(32, 16, QImage::Format_RGB888);
    clip.fill(Qt::blue);
    QGuiApplication::clipboard()->setImage(clip);
    measure().distance->setText(QStringLiteral(" 45.6m"));
    AppHarness::click(measure().ClipSnapShot);
    EXPECT_TRUE(station.app.session().measure.picture_frozen);
    EXPECT_FALSE(measure().FrozenSign->isHidden());
    EXPECT_EQ(measure().distance->text(), QString());
    EXPECT_EQ(measure().gif_file_name->text(), QStringLiteral("Picture from Clipboard"));
    EXPECT_EQ(measure().picture->pictureSizePixels(), QSize(32, 16));
}

TEST_F(MeasurePictures, SnapshotFromTheExchangeFolder)
{
    AppHarness::click(measure().ImgSnapShot);
    EXPECT_EQ(station.app.prompts().last().text(),
              "Warning, snapshot file has not been saved in the \\qxio directory");
    EXPECT_TRUE(station.app.session().measure.picture_frozen);

    testing::MeasureStation::writePicture(exchange("snapshot.bmp"), 100, 50, Qt::green);
    station.app.prompts().clear();
    AppHarness::click(measure().ImgSnapShot);
    EXPECT_EQ(station.app.prompts().count(), 0u);
    EXPECT_EQ(measure().picture->pictureSizePixels(), QSize(100, 50));
    EXPECT_EQ(measure().gif_file_name->text(), QStringLiteral("snapshot.bmp"));
    EXPECT_EQ(station.app.session().paths.current_folder, station.app.appDir());
}

TEST_F(MeasurePictures, LoadPictureRecordsTheNameAndLeavesFrameSelectionBehind)
{
    const std::filesystem::path file = station.app.videoDir() / "landing.bmp";
    testing::MeasureStation::writePicture(file, 320, 240, Qt::darkCyan);
    station.app.prompts().answerOpenFile(file.string());
    AppHarness::trigger(measure().LoadPict);
    const FileDialogRequest& dialog = station.app.prompts().last().fileDialog;
    EXPECT_EQ(dialog.filterIndex, 4);
    EXPECT_EQ(measure().picture->pictureSizePixels(), QSize(320, 240));
    EXPECT_EQ(measure().picture->backgroundColour(), QColor(Qt::black));
    EXPECT_EQ(measure().gif_file_name->text(), QString::fromStdString(file.string()));
    EXPECT_EQ(station.app.session().navigation_origin, NavigationOrigin::PictureLoadMenu);
    EXPECT_EQ(station.newResults(), "12-07-2026 15:53:04 Loaded picture: " + file.string() + "\r\n");

    // Cancelled: the earlier name is recorded again; and leaving no longer asks.
    station.markResults();
    station.app.prompts().cancelOpenFile();
    AppHarness::trigger(measure().LoadPict);
    EXPECT_EQ(station.newResults(), "12-07-2026 15:53:04 Loaded picture: " + file.string() + "\r\n");
    station.app.session().config.picture_save_mode = "Save";
    station.app.prompts().clear();
    AppHarness::trigger(measure().mnuCapture);
    EXPECT_EQ(station.app.prompts().count(), 0u);
    EXPECT_EQ(station.app.session().navigation_origin, NavigationOrigin::Measure);
    EXPECT_TRUE(station.app.screens().previewForm().isVisible());
}

TEST_F(MeasurePictures, TheFrozenSignAndThePictureFileShowWhole)
{
    testing::MeasureStation::writePicture(exchange("snapshot.bmp"), 100, 50, Qt::green);
    AppHarness::click(measure().ImgSnapShot);
    const auto folder = station.app.videoDir() / "Lake Classic 2026" / "Saturday jump finals";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "Annjump3 landing frame 52.bmp";
    testing::MeasureStation::writePicture(file, 320, 240, Qt::darkCyan);
    station.app.prompts().answerOpenFile(file.string());
    AppHarness::trigger(measure().LoadPict);
    testing::MeasureStation::settle();
    ASSERT_TRUE(measure().FrozenSign->isVisible());
    ASSERT_TRUE(measure().gif_file_name->isVisible());
    EXPECT_THAT(testing::clippedTexts(*measure().picture->viewport()), ::testing::IsEmpty());
}

TEST_F(MeasurePictures, AlwaysSaveOnLeavingAFramePicture)
{
    station.app.session().config.picture_save_mode = "Save";
    AppHarness::trigger(measure().mnuCapture);
    EXPECT_TRUE(std::filesystem::exists(station.app.session().config.pictures_path + "20715530.bmp"));
}

} // namespace
} // namespace leapmark
