#include "shell/ui/AccessibleNames.h"

#include "support/app/AppHarness.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace leapmark {
namespace {

/** The name a screen reader says for the control. */
QString spokenName(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

TEST(AccessibleNames, ControlsAreNamedByCaptionOrTheLabelThatNamesThem)
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Record &Jump"), &window);
    auto* ampersand = new QPushButton(QStringLiteral("Pass && Fall"), &window);

    auto* formBox = new QWidget(&window);
    auto* form = new QFormLayout(formBox);
    auto* formEdit = new QLineEdit;
    form->addRow(QStringLiteral("Tournament &name:"), formEdit);

    auto* gridBox = new QWidget(&window);
    auto* grid = new QGridLayout(gridBox);
    auto* gridSpin = new QSpinBox;
    grid->addWidget(new QLabel(QStringLiteral("Frame rate")), 0, 0);
    grid->addWidget(gridSpin, 0, 1);

    auto* buddyLabel = new QLabel(QStringLiteral("Skier"), &window);
    auto* buddied = new QComboBox(&window);
    buddied->setEditable(true);
    buddyLabel->setBuddy(buddied);
    buddyLabel->move(400, 400);
    buddied->move(10, 10);

    // Placed control by control: the label before the box on its line, else the one above it.
    auto* placed = new QWidget(&window);
    placed->setGeometry(0, 200, 600, 200);
    auto* left = new QLabel(QStringLiteral("Jump no:"), placed);
    left->setGeometry(10, 10, 80, 20);
    auto* beside = new QLineEdit(placed);
    beside->setGeometry(100, 10, 60, 20);
    auto* above = new QLabel(QStringLiteral("Comment"), placed);
    above->setGeometry(300, 60, 80, 20);
    auto* below = new QLineEdit(placed);
    below->setGeometry(300, 84, 200, 20);

    auto* kept = new QLineEdit(&window);
    kept->setAccessibleName(QStringLiteral("Already named"));
    auto* alone = new QLineEdit(&window);
    alone->setObjectName(QStringLiteral("Text4"));
    alone->move(500, 0);

    window.resize(800, 600);
    window.show();
    QApplication::processEvents();
    nameControlsForAccessibility(window);

    EXPECT_EQ(spokenName(button), QStringLiteral("Record Jump"));
    EXPECT_EQ(spokenName(ampersand), QStringLiteral("Pass & Fall"));
    // A caption that changes is read as it stands now.
    button->setText(QStringLiteral("&Grid 2"));
    EXPECT_EQ(spokenName(button), QStringLiteral("Grid 2"));
    EXPECT_EQ(formEdit->accessibleName(), QStringLiteral("Tournament name"));
    EXPECT_EQ(gridSpin->accessibleName(), QStringLiteral("Frame rate"));
    EXPECT_EQ(buddied->accessibleName(), QStringLiteral("Skier"));
    EXPECT_TRUE(buddied->lineEdit()->accessibleName().isEmpty()) << "the edit line is part of its combo box";
    EXPECT_EQ(beside->accessibleName(), QStringLiteral("Jump no"));
    EXPECT_EQ(below->accessibleName(), QStringLiteral("Comment"));
    EXPECT_EQ(kept->accessibleName(), QStringLiteral("Already named"));
    EXPECT_EQ(alone->accessibleName(), QStringLiteral("Text4"));
}

/** Every control of every screen, once shown, carries a name a screen reader can say. */
TEST(AccessibleNames, EveryControlOfEveryScreenIsNamed)
{
    testing::AppHarness app;
    app.useVideoDir();
    app.start();
    for (QWidget* screen : app.screens().allScreens()) {
        screen->show();
        QApplication::processEvents();
        for (QWidget* control : screen->findChildren<QWidget*>()) {
            if (needsAccessibleName(*control)) {
                EXPECT_FALSE(spokenName(control).isEmpty())
                    << screen->objectName().toStdString() << ": " << control->objectName().toStdString()
                    << " (" << control->metaObject()->className() << ")";
            }
        }
        screen->hide();
    }
}

} // namespace
} // namespace leapmark
