#include "shell/ui/AccessibleNames.h"

#include "app/Screens.h"
#include "measure/ui/Measure.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/QtPrinting.h"
#include "support/app/AppHarness.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::AppHarness;

/** The name a screen reader says for the control. */
QString spokenName(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

bool isInputBox(const QWidget& control)
{
    return qobject_cast<const QLineEdit*>(&control) != nullptr ||
           qobject_cast<const QComboBox*>(&control) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&control) != nullptr ||
           qobject_cast<const QTextEdit*>(&control) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&control) != nullptr ||
           qobject_cast<const QAbstractItemView*>(&control) != nullptr;
}

/** A caption or label as it is read: no mnemonic markers, no closing colon. */
QString asRead(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    text = text.simplified();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

/** The texts of the labels the accessibility layer says label the control. */
QStringList labelsOf(QWidget* control)
{
    QStringList texts;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
        if (qobject_cast<QLabel*>(label->object()) != nullptr) // not the group around it
            texts << label->text(QAccessible::Name);
    }
    return texts;
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
    EXPECT_EQ(asRead(spokenName(formEdit)), QStringLiteral("Tournament name"));
    EXPECT_EQ(asRead(spokenName(gridSpin)), QStringLiteral("Frame rate"));
    EXPECT_EQ(labelsOf(buddied), QStringList{QStringLiteral("Skier")}) << "a combo box is read by its choice";
    EXPECT_TRUE(buddied->lineEdit()->accessibleName().isEmpty()) << "the edit line is part of its combo box";
    EXPECT_EQ(asRead(spokenName(beside)), QStringLiteral("Jump no"));
    EXPECT_EQ(asRead(spokenName(below)), QStringLiteral("Comment"));
    EXPECT_EQ(kept->accessibleName(), QStringLiteral("Already named"));
    EXPECT_TRUE(spokenName(alone).isEmpty()) << "a box is never announced by its object name";
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

/** The labels of a window that name some control (their buddy), by text. */
QStringList buddiedLabelTexts(const QWidget& window, const QWidget* except)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() != nullptr && label->buddy() != except)
            texts << asRead(label->text());
    return texts;
}

/**
 * Every box of every screen is announced by its own label, or by a name its screen gave it: never by
 * its object name, never by the label of another control. Buttons are read by their captions as
 * they change.
 */
TEST(AccessibleNames, EveryBoxIsReadByItsOwnLabelAndEveryButtonByItsCaptionAsItChanges)
{
    testing::AppHarness app;
    app.useVideoDir();
    app.start();
    for (QWidget* screen : app.screens().allScreens()) {
        screen->show();
        QApplication::processEvents();
        const std::string where = screen->objectName().toStdString() + ": ";
        for (QWidget* control : screen->findChildren<QWidget*>()) {
            if (!control->isVisible() || !needsAccessibleName(*control))
                continue;
            const std::string what = where + control->objectName().toStdString();
            if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                const QString caption = button->text();
                if (!caption.contains(QRegularExpression(QStringLiteral("[A-Za-z0-9]"))))
                    continue; // "<", ">", "...": named for what they do
                button->setText(caption + QStringLiteral(" again"));
                EXPECT_EQ(asRead(spokenName(button)), asRead(caption + QStringLiteral(" again"))) << what;
                button->setText(caption);
                continue;
            }
            if (!isInputBox(*control))
                continue;
            const QString name = spokenName(control);
            EXPECT_FALSE(name.isEmpty()) << what;
            EXPECT_NE(name, control->objectName()) << what;
            EXPECT_FALSE(buddiedLabelTexts(*screen, control).contains(asRead(name)))
                << what << " is read as another control's label, " << name.toStdString();
            if (!control->accessibleName().isEmpty())
                continue; // a name of its own, for a box without a label
            const QStringList labels = labelsOf(control);
            EXPECT_EQ(labels.size(), 1) << what << " has no label of its own";
            // A combo box is read by its choice, with its label beside it.
            if (labels.size() == 1 && qobject_cast<QComboBox*>(control) == nullptr) {
                EXPECT_EQ(asRead(name), asRead(labels.front())) << what;
            }
        }
        screen->hide();
    }

    // The results bar: metres by the IWSF label after the box, feet by the AWSA one.
    Measure& measure = app.screens().measure();
    EXPECT_EQ(labelsOf(measure.distance), QStringList{QStringLiteral("IWSF Official Distance")});
    EXPECT_EQ(labelsOf(measure.distance_ft), QStringList{QStringLiteral("AWSA Official Distance")});

    // Captions and labels that change are read as they stand.
    MainForm& main = app.mainForm();
    main.showScreen();
    QApplication::processEvents();
    const QString before = main.cmdShowConfig->text();
    AppHarness::click(main.cmdShowConfig);
    ASSERT_NE(main.cmdShowConfig->text(), before);
    EXPECT_EQ(spokenName(main.cmdShowConfig), asRead(main.cmdShowConfig->text()));
    main.lblGrid1->setText(QStringLiteral("Grid 1 (jump course)"));
    EXPECT_EQ(spokenName(main.txtGridDescription[0]), QStringLiteral("Grid 1 (jump course)"));
    measure.showScreen();
    QApplication::processEvents();
    AppHarness::click(measure.verify);
    EXPECT_EQ(spokenName(measure.verify), QStringLiteral("Verify off"));
}

} // namespace
} // namespace leapmark
