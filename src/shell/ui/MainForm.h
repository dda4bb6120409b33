#pragma once

#include "shell/ui/Screen.h"

#include <array>
#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace leapmark {

class MainScreenPanel;

/** The picture of a grid status row. */
enum class GridPicture {
    Ready,   ///< "SmallSmiley.jpg": the grid file exists or the grid is loaded
    Missing, ///< "SmallCaution.jpg": no grid file
};

/** The title of the video folder questions. */
inline constexpr char kVideoPathTitle[] = "Input Save Video Files Path";
/** The two captions of `cmdShowConfig`. */
inline constexpr char kShowConfigurationCaption[] = "Show Configuration";
inline constexpr char kHideConfigurationCaption[] = "Hide Configuration";

/** The picture file shown for a grid status. */
[[nodiscard]] QString gridPictureFileName(GridPicture picture);

/**
 * The main screen: start-up, navigation to every other screen, the video directory, the grid
 * status rows and the capture panel.
 */
class MainForm : public Screen
{
    Q_OBJECT

public:
    /** `panel` is the capture panel, built by the composition root and placed here. */
    MainForm(AppContext& app, MainScreenPanel& panel);
    ~MainForm() override;

    /** The start-up sequence, run once when the program starts; it ends on the configuration screen. */
    void Form_Load();

    // Grid status rows, kept up to date by the configuration screen and by grid file loading.
    /** Shows rows 1..gridsInUse (label, picture and description) and hides the others. */
    void showGridRows(int gridsInUse);
    /** Sets the picture of row g (1..3). */
    void setGridPicture(int g, GridPicture picture);
    /** The file name of the picture row g (1..3) shows: "SmallSmiley.jpg" or "SmallCaution.jpg". */
    [[nodiscard]] QString gridPictureName(int g) const;
    /** Puts grid g's description (1..3) into its row. */
    void setGridDescription(int g, const std::string& description);

    // Handlers.
    void txtVideoDir_Change();
    void txtVideoDir_LostFocus();
    void btnChangeDirectory_Click();
    void cmdGoCapture_Click();
    void cmdGoTimer_Click();
    void ccmdGoToMeasure_Click();
    void cmdSetup_Click();
    void cmdConfigure_Click();
    void cmdShowConfig_Click();
    void cmdImport_Click();
    void cb15_Click();
    void mnuViewLog_Click();
    void mnuPictureLog_Click();
    void munManual_Click();
    void mnuExit_Click();

    QGroupBox* Frame1;
    QPushButton* cmdGoCapture;
    QPushButton* cmdGoTimer;
    QPushButton* ccmdGoToMeasure;
    QPushButton* cmdSetup;
    QPushButton* cmdConfigure;
    QPushButton* cmdShowConfig;
    QPushButton* btnChangeDirectory;
    QPushButton* cmdImport;
    QLineEdit* txtVideoDir;
    QLabel* lblVideodir;
    QLabel* Label2;
    QCheckBox* cb15;
    QLabel* lblGrid1;
    QLabel* lblGrid2;
    QLabel* lblGrid3;
    QLabel* ImageGrid1;
    QLabel* ImageGrid2;
    QLabel* ImageGrid3;
    /** Descriptions of grids 1..3 at indices 0..2. */
    std::array<QLineEdit*, 3> txtGridDescription{};
    QLabel* lblConfig;
    QTextEdit* RichTextBox1;
    QAction* mnuViewLog;
    QAction* mnuPictureLog;
    QAction* munManual;
    QAction* mnuExit;

signals:
    /** The operator ended the program (menu "E&xit" or closing the window). */
    void programEnded();
    /** The start-up places the capture screen beside this one. */
    void captureScreenPlacementWanted();
    /** "Import Skier Names File" was pressed. */
    void skierNameImportWanted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void Form_Activate() override;

private:
    QWidget* buildControlsFrame();
    QWidget* buildGridRows(QWidget* parent);
    void buildMenus();
    void connectHandlers();

    // Start-up steps.
    void placeWindows();
    void askForVideoDirectory();
    void createSessionLog();
    void finishStartUp();

    [[nodiscard]] QLabel* gridLabel(int g) const;
    [[nodiscard]] QLabel* gridImage(int g) const;
    void showGridPicture(int g);

    /** True when the text of `txtVideoDir` names an existing folder; otherwise says so ("Path Error"). */
    [[nodiscard]] bool videoDirectoryExists();
    void endProgram();

    MainScreenPanel* m_panel = nullptr;
    std::array<GridPicture, 3> m_gridPictures{GridPicture::Missing, GridPicture::Missing,
                                              GridPicture::Missing};
    bool m_ending = false;
};

} // namespace leapmark
