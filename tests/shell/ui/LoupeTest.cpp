#include "loupe/LoupeWindow.h"
#include "shell/ui/LoupeLauncher.h"
#include "shell/ui/QtPrinting.h"

#include "common/PathText.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>

namespace leapmark {
namespace {

TEST(LoupeWindow, ShowsTheAreaAroundThePointerEnlarged)
{
    EXPECT_EQ(LoupeWindow::sourceRect({100, 100}, {240, 240}, 4), QRect(70, 70, 60, 60));
    EXPECT_EQ(LoupeWindow::sourceRect({0, 0}, {240, 240}, 3), QRect(-40, -40, 80, 80));
    EXPECT_EQ(LoupeWindow::sourceRect({10, 10}, {240, 240}, 0), QRect(-110, -110, 240, 240));
}

TEST(LoupeWindow, ZoomFollowsKeysAndWheelWithinItsSteps)
{
    LoupeWindow loupe;
    ASSERT_EQ(loupe.zoom(), 4);
    QTest::keyClick(&loupe, Qt::Key_Plus);
    EXPECT_EQ(loupe.zoom(), 6);
    QTest::keyClick(&loupe, Qt::Key_Up);
    QTest::keyClick(&loupe, Qt::Key_Up);
    EXPECT_EQ(loupe.zoom(), 8);
    QTest::keyClick(&loupe, Qt::Key_Minus);
    EXPECT_EQ(loupe.zoom(), 6);

    const QPointF at(120, 120);
    QWheelEvent down(at, at, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&loupe, &down);
    EXPECT_EQ(loupe.zoom(), 4);
    for (int i = 0; i < 5; ++i)
        QApplication::sendEvent(&loupe, &down);
    EXPECT_EQ(loupe.zoom(), 2);
    loupe.setZoom(5);
    EXPECT_EQ(loupe.zoom(), 2);
}

TEST(LoupeWindow, WithoutAReadableScreenItShowsANoticeAndEscCloses)
{
    LoupeWindow loupe;
    loupe.show();
    loupe.refresh();
    EXPECT_FALSE(loupe.notice().isEmpty());
    EXPECT_FALSE(loupe.grab().isNull());
    EXPECT_TRUE(loupe.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::keyClick(&loupe, Qt::Key_Escape);
    EXPECT_FALSE(loupe.isVisible());
}

void writeProgram(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    testing::writeBytes(path, "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST(LoupeLauncher, LooksBesideTheProgramThenInTheLoupeFolder)
{
    testing::TempFolder programFolder;
    testing::TempFolder applicationFolder;
    const QString program = QString::fromStdString(pathText(programFolder.path()));
    const QString application = QString::fromStdString(pathText(applicationFolder.path()));
    const QStringList candidates = loupeProgramCandidates(program, application);
    ASSERT_EQ(candidates.size(), 2);
    EXPECT_EQ(candidates[0], QDir(program).filePath(QStringLiteral("leapmark-loupe")));
    EXPECT_EQ(candidates[1], QDir(application).filePath(QStringLiteral("Loupe/leapmark-loupe")));

    auto missing = startLoupe(application, program);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find(candidates[0].toStdString()), std::string::npos);
    EXPECT_NE(missing.error().text().find(candidates[1].toStdString()), std::string::npos);

    writeProgram(applicationFolder.path() / "Loupe" / "leapmark-loupe");
    auto started = startLoupe(application, program);
    ASSERT_TRUE(started.ok()) << started.error().text();
    EXPECT_GT(*started, 0);
}

TEST(LoupeLauncher, TheRealLoupeRunsWhereTheScreenCannotBeRead)
{
    // The child inherits the offscreen platform of this test run.
    auto started = startLoupe(QString(), QStringLiteral(LEAPMARK_LOUPE_PROGRAM_DIR));
    ASSERT_TRUE(started.ok()) << started.error().text();
    const auto processId = static_cast<pid_t>(*started);
    QTest::qWait(700);
    EXPECT_EQ(::kill(processId, 0), 0) << "the loupe ended on its own";
    ::kill(processId, SIGTERM);
}

} // namespace
} // namespace leapmark
