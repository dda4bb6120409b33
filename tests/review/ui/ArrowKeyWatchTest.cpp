#include "review/ui/ArrowKeyWatch.h"

#include "support/app/AppHarness.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;

/** A window with a button that has the focus, watched for the arrow keys, and active. */
struct WatchedWindow
{
    WatchedWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(button);
        window.show();
        window.activateWindow();
        button->setFocus();
    }

    QWidget window;
    QPushButton* button = new QPushButton(QStringLiteral(">"), &window);
    ArrowKeyWatch watch{window};
};

TEST(ArrowKeyWatch, AKeyReleasedWhereTheWatchCannotSeeItIsNotHeldOnceTheWindowLosesTheKeys)
{
    WatchedWindow watched;
    ASSERT_TRUE(AppHarness::waitFor([&] { return QApplication::activeWindow() == &watched.window; }));

    // Held: every poll sees it until it is released.
    QTest::keyPress(watched.button, Qt::Key_Right);
    EXPECT_TRUE(watched.watch.takeRight());
    EXPECT_TRUE(watched.watch.takeRight());
    QTest::keyRelease(watched.button, Qt::Key_Right);
    EXPECT_FALSE(watched.watch.takeRight());

    // Pressed here, released while a message box has the keys: the press counts once, no more.
    QTest::keyPress(watched.button, Qt::Key_Right);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Leapmark"), QStringLiteral("Note"));
    box.show();
    box.activateWindow();
    ASSERT_TRUE(AppHarness::waitFor([&] { return QApplication::activeWindow() == &box; }));
    QTest::keyRelease(&box, Qt::Key_Right);
    box.hide();
    EXPECT_TRUE(watched.watch.takeRight()) << "the press since the last poll";
    EXPECT_FALSE(watched.watch.takeRight()) << "not held: the timer would step a frame every 100 ms";

    // Held while the program as a whole goes to the background.
    watched.window.activateWindow();
    ASSERT_TRUE(AppHarness::waitFor([&] { return QApplication::activeWindow() == &watched.window; }));
    QTest::keyPress(watched.button, Qt::Key_Left);
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &inactive);
    EXPECT_TRUE(watched.watch.takeLeft());
    EXPECT_FALSE(watched.watch.takeLeft());

    // Held while the focus leaves for a popup, a menu for one.
    QTest::keyPress(watched.button, Qt::Key_Left);
    QFocusEvent lost(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(watched.button, &lost);
    EXPECT_TRUE(watched.watch.takeLeft());
    EXPECT_FALSE(watched.watch.takeLeft());
}

} // namespace
} // namespace leapmark
