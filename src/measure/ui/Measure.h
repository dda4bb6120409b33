#pragma once

#include "grid/ProjectiveTransform.h"
#include "measure/MeasureForm.h"
#include "shell/Session.h"
#include "shell/ui/LabelDrag.h"
#include "shell/ui/Screen.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace leapmark {

class ImpactMarkTool;
class PictureSurface;
struct PictureMouse;

/**
 * The measurement screen: the contact picture with the grid overlay, where the landing is marked
 * and the jump recorded. Its handlers are split by topic: construction and the controls' state
 * here, recording in Measure_Recording.cpp, the mark and the overlay in Measure_Marking.cpp,
 * pictures in Measure_Pictures.cpp and the ways out in Measure_Navigation.cpp.
 */
class Measure : public Screen
{
    Q_OBJECT

public:
    explicit Measure(AppContext& app);
    ~Measure() override;

    // What other screens do to this one.
    /** Gives every coloured label the one label colour. */
    void setLabelColor(Rgb color);
    /** Gives each coloured label its own standard colour. */
    void setDefaultLabelColors();
    /** The configured label colour: "default" gives each label its own, any other the one colour. */
    void applyConfiguredLabelColours();
    /** Shows the tournament-type indicator with its text, or hides it. */
    void showTournamentIndicator(const std::string& text);
    void hideTournamentIndicator();
    /** The skier names offered in `Skier_name`. */
    void clearSkierNames();
    void addSkierName(const std::string& name);
    [[nodiscard]] std::vector<std::string> skierNames() const;
    /** The current grid's description, shown in `grid_description`. */
    void showGridDescription(const std::string& description);
    /** The four buoy distance labels for the active grid: captions and places over its buoys. */
    void placeBuoyDistanceLabels();
    /** Leaving the grid setup makes grid 1 the grid in use: its buoy labels and its description. */
    void showGridFromSetup(const std::string& description);
    /**
     * Puts a picture from the picture log on the screen (not frozen) with the overlay. A picture
     * that cannot be read is reported and the screen stays as it was; false then.
     */
    bool showLoggedPicture(const std::string& file);

    /** Redraws the overlay of the active grid: buoys, side lines, distance labels and description. */
    void show_the_grid();
    /** Draws the impact mark for `click_x`, `click_y`. */
    void DrawImpactMark();

    // Handlers: recording.
    void Record_Click();
    void Pass_Click();
    void Fall_Click();
    void Other_Grid_Click();
    void O_reride_Click();
    void M_Reride_Click();
    void Make_comment_Click();
    void btnGetName_Click();
    void Skier_name_Change();
    void Skier_name_Click();

    // Handlers: marking and the controls around the picture.
    void Form_MouseDown(const PictureMouse& mouse);
    void Form_MouseMove(const PictureMouse& mouse);
    void AdjustUp_Click();
    void AdjustDown_Click();
    void AdjustLeft_Click();
    void AdjustRight_Click();
    void verify_Click();
    void Set_grid_Click();
    void Show_grid_Click();
    void Unfreeze_Click();

    // Handlers: pictures.
    void ImgSnapShot_Click();
    void ClipSnapShot_Click();
    void mnuPaste_Click();
    void cbAutoLoadClipboard_Click();
    void loadTimer_Timer();
    void LoadPict_Click();
    void SavePict_Click();

    // Handlers: the menus that leave or open other windows.
    void mnuResults_Click();
    void mnuCalibrate_Click();
    void mnuCapture_Click();
    void mnuViewLog_Click();
    void Exit_Click();

    QComboBox* Skier_name;
    QPushButton* btnGetName;
    QLineEdit* Jump_no;
    QLineEdit* distance;
    QLineEdit* distance_ft;
    QLabel* IWSFlabel;
    QLabel* AWSAlabel;
    QRadioButton* optJumpOK;
    QRadioButton* Pass;
    QRadioButton* Fall;
    QRadioButton* O_reride;
    QRadioButton* M_Reride;
    QRadioButton* Other_Grid;
    QRadioButton* Make_comment;
    QLineEdit* Comment;
    QPushButton* Record;
    QPushButton* Unfreeze;
    QPushButton* Show_grid;
    QPushButton* Set_grid;
    QPushButton* verify;
    QLabel* UnofficialJump;
    QLineEdit* xtwips;
    QLineEdit* ytwips;
    QLineEdit* xposition;
    QLineEdit* yposition;
    QLineEdit* VerifyDistance;
    QLineEdit* barefoot_indicator;
    QLabel* FrozenSign;
    QScrollBar* CrossSize;
    QLabel* CrossLabel;
    QToolButton* AdjustUp;
    QToolButton* AdjustDown;
    QToolButton* AdjustLeft;
    QToolButton* AdjustRight;
    QLabel* AdjustmentLabel;
    QLabel* gridlabel;
    QLineEdit* grid_description;
    QLineEdit* gif_file_name;
    QLabel* maxbuoy;
    QLabel* maxbuoym;
    QLabel* minbuoy;
    QLabel* minbuoym;
    QToolButton* ImgSnapShot;
    QToolButton* ClipSnapShot;
    QCheckBox* cbAutoLoadClipboard;
    QTimer* loadTimer;

    QAction* SavePict;
    QAction* LoadPict;
    QAction* mnuPaste;
    QAction* mnuResults;
    QAction* mnuCalibrate;
    QAction* mnuCapture;
    QAction* mnuViewLog;
    QAction* Exit;

    /** The picture and its drawing; zoom, pan and the magnifier for marking to a fraction of a pixel. */
    PictureSurface* picture;

    /** The controls whose text colour follows the configured label colour, in the configuration's order. */
    [[nodiscard]] std::vector<QWidget*> colouredLabels() const;

    /** The three lines of the impact mark, as line items of the picture surface. */
    enum class ImpactLine { Horizontal, Vertical, Splash };
    [[nodiscard]] int impactLineItem(ImpactLine line) const { return m_impactLines[static_cast<int>(line)]; }

    /** The drawn impact and splash positions, twips. */
    [[nodiscard]] PlanePoint drawnImpact() const { return m_drawnImpact; }
    [[nodiscard]] PlanePoint drawnSplash() const { return m_drawnSplash; }

protected:
    void Form_Activate() override;
    void closeByTitleBar() override { Exit_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    /** A window restored from the task bar shows the overlay drawn afresh, as on arrival. */
    void changeEvent(QEvent* event) override;

private:
    // Construction (Measure.cpp).
    void createControls(QWidget* central, QWidget* bar);
    void createMenus();
    void connectHandlers();
    void layOutControls(QWidget* central, QWidget* bar);
    void Form_Load();

    // The form's texts and options as recording sees them (Measure.cpp).
    [[nodiscard]] MeasureForm form() const;
    void showForm(const MeasureForm& form);
    [[nodiscard]] ResultOption selectedOption() const;
    void selectOption(ResultOption option);
    [[nodiscard]] QRadioButton* optionButton(ResultOption option) const;

    // Marking (Measure_Marking.cpp).
    void microAdjust(int arrow);
    void showMicroAdjust(bool shown);
    [[nodiscard]] std::vector<QWidget*> dragCluster(QObject* handle) const;
    /** Mouse events on the four drag handles; true when the event moved a cluster. */
    bool dragEvent(QObject* handle, QEvent* event);

    // Pictures (Measure_Pictures.cpp).
    void freezePreamble();
    void takeClipboardPicture();
    bool putPictureFile(const std::filesystem::path& file);
    void setPictureSize();
    void showPictureName(const std::string& name);
    void leaveQuestion();
    void removeExchangeBitmaps();
    /** A new picture is shown: the landing marked on the last one no longer holds. */
    void forgetLanding();

    /** The drawn impact and splash positions, the base of micro-adjust; zero at load. */
    PlanePoint m_drawnImpact;
    PlanePoint m_drawnSplash;
    std::array<int, 3> m_impactLines{};

    /** The handle being dragged and where it was grabbed (shared by the four clusters). */
    LabelDrag m_labelDrag;

    std::unique_ptr<ImpactMarkTool> m_impactMarking;

    /** Whether the landing has been marked on the picture shown (a click or a micro-adjust). */
    bool m_landingMarked = false;

    /** Skier name changes made by the program itself (fetching, recording) are not new skiers. */
    bool m_settingSkierName = false;
};

/** The text colour of a control as an RGB triple. */
[[nodiscard]] Rgb textColor(const QWidget* control);

} // namespace leapmark
