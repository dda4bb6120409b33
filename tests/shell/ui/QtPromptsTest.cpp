#include "shell/ui/QtPrompts.h"
#include "shell/ui/QtPrinting.h"

#include "common/PathText.h"
#include "shell/SaveFileDialog.h"
#include "shell/ui/ModalDialog.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using testing::whenModalShows;

TEST(QtPromptsMessage, ShowsTextTitleIconAndDefaultButtonAndReturnsTheClick)
{
    QtPrompts prompts;
    whenModalShows<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), QStringLiteral("Do you want to save this picture?"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Leapmark 2005"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(prompts.message({"Do you want to save this picture?", "", MessageButtons::YesNo,
                               MessageIcon::Question, DefaultButton::Second}),
              MessageAnswer::Yes);

    whenModalShows<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Jump Measurement Alert"));
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(prompts.message({"The folder you entered does not exist", "Jump Measurement Alert",
                               MessageButtons::OkCancel, MessageIcon::Exclamation, DefaultButton::First}),
              MessageAnswer::Cancel);
}

TEST(QtPromptsMessage, ThirdDefaultPlainTextAndTheWayOut)
{
    QtPrompts prompts;
    whenModalShows<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->text(), QStringLiteral("<b>not bold</b>  two blanks"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ignore));
        box->button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(prompts.message({"<b>not bold</b>  two blanks", "Error", MessageButtons::AbortRetryIgnore,
                               MessageIcon::Critical, DefaultButton::Third}),
              MessageAnswer::Retry);

    // Escape on an OK box answers OK; on a Yes/No box, No.
    whenModalShows<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    prompts.tell("Please Verify all Setup Parameters");

    whenModalShows<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(
        prompts.message({"Leave?", "", MessageButtons::YesNo, MessageIcon::Question, DefaultButton::First}),
        MessageAnswer::No);
}

TEST(QtPromptsInput, PlacedAtThePositionAndCancelGivesNothing)
{
    QtPrompts prompts;
    const InputRequest request{"Pick the line number that best represents where the skier will land",
                               "Input the skier path line", "4", BoxPosition{1500, 3000}};
    whenModalShows<QInputDialog>([](QInputDialog* dialog) {
        EXPECT_EQ(dialog->labelText(),
                  QStringLiteral("Pick the line number that best represents where the skier will land"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Input the skier path line"));
        EXPECT_EQ(dialog->textValue(), QStringLiteral("4"));
        EXPECT_EQ(dialog->pos(), QPoint(100, 200));
        dialog->setTextValue(QStringLiteral("7"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(prompts.input(request), std::optional<std::string>("7"));

    whenModalShows<QInputDialog>([](QInputDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Leapmark 2005"));
        dialog->reject();
    });
    EXPECT_EQ(prompts.input({"What comment would you like to add?", "", "", std::nullopt}), std::nullopt);
}

/** What the operator types into the name box (the box has the focus while the dialog shows). */
void typeFileName(QFileDialog* dialog, const QString& name)
{
    auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(box, nullptr);
    box->setText(name);
}

QStringList shownNames(QFileDialog* dialog, int expected)
{
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    auto* model = dialog->findChild<QFileSystemModel*>();
    if (view == nullptr || model == nullptr)
        return {};
    QStringList names;
    for (int attempt = 0; attempt < 300 && names.size() < expected; ++attempt) {
        QTest::qWait(10);
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < model->rowCount(root); ++row)
            names << model->index(row, 0, root).data().toString();
    }
    names.sort();
    return names;
}

TEST(QtPromptsFiles, OpenDialogPreselectsTheFilterAndFindsEitherCase)
{
    testing::TempFolder folder;
    testing::writeBytes(folder.file("grid.ipt"), "1");
    testing::writeBytes(folder.file("GRID2.IPT"), "2");
    testing::writeBytes(folder.file("notes.txt"), "3");
    const QString start = QString::fromStdString(pathText(folder.path()));

    QtPrompts prompts;
    FileDialogRequest request;
    request.startFolder = pathText(folder.path());
    request.filter = "All Files (*.*)|*.*|Text Files (*.TXT)|*.TXT|Parameter Files (*.IPT)|*.IPT|";
    request.filterIndex = 3;
    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->nameFilters().size(), 3);
        // The operator reads the description as written.
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Parameter Files (*.IPT)"));
        EXPECT_TRUE(dialog->testOption(QFileDialog::HideNameFilterDetails));
        EXPECT_EQ(dialog->directory().absolutePath(), start);
        EXPECT_EQ(shownNames(dialog, 2),
                  (QStringList{QStringLiteral("GRID2.IPT"), QStringLiteral("grid.ipt")}));
        typeFileName(dialog, QStringLiteral("grid.ipt"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(prompts.openFile(request), std::optional<std::string>(pathText(folder.file("grid.ipt"))));

    request.filterIndex = 1;
    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("All Files (*.*)"));
        EXPECT_EQ(shownNames(dialog, 3), (QStringList{QStringLiteral("GRID2.IPT"), QStringLiteral("grid.ipt"),
                                                      QStringLiteral("notes.txt")}));
        dialog->reject();
    });
    EXPECT_EQ(prompts.openFile(request), std::nullopt);
}

TEST(QtPromptsFiles, SaveDialogAddsTheDefaultExtensionAndCancelKeepsThePath)
{
    testing::TempFolder folder;
    const std::string video = pathText(folder.file("run1.avi"));
    QtPrompts prompts;

    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->directory().absolutePath(), QString::fromStdString(pathText(folder.path())));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("All Supported Types"));
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("jpg"));
        typeFileName(dialog, QStringLiteral("frame1"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(save_file_dialog(prompts, video, 0), pathText(folder.file("frame1.jpg")));

    whenModalShows<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(save_file_dialog(prompts, video, 0), video);
}

} // namespace
} // namespace leapmark
