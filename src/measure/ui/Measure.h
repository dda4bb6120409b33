#pragma once

#include "shell/Session.h"
#include "shell/ui/Screen.h"

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace leapmark {

/**
 * The measurement screen: the contact picture with the grid overlay, where the landing is marked
 * and the jump recorded.
 */
class Measure : public Screen
{
    Q_OBJECT

public:
    explicit Measure(AppContext& app);

    /** Gives every coloured label the one label colour. */
    void setLabelColor(Rgb color);
    /** Gives each coloured label its own standard colour. */
    void setDefaultLabelColors();
    /** Shows the tournament-type indicator with its text, or hides it. */
    void showTournamentIndicator(const std::string& text);
    void hideTournamentIndicator();
    /** The skier names offered in `Skier_name`. */
    void clearSkierNames();
    void addSkierName(const std::string& name);
    [[nodiscard]] std::vector<std::string> skierNames() const;
    /** The current grid's description, shown in `grid_description`. */
    void showGridDescription(const std::string& description);

    QComboBox* Skier_name;
    QPushButton* btnGetName;
    QLineEdit* barefoot_indicator;
    QLabel* UnofficialJump;
    QLineEdit* grid_description;

    QRadioButton* optJumpOK;
    QRadioButton* Pass;
    QRadioButton* Fall;
    QRadioButton* O_reride;
    QRadioButton* M_Reride;
    QRadioButton* Other_Grid;
    QRadioButton* Make_comment;
    QLabel* FrozenSign;
    QLabel* IWSFlabel;
    QLabel* AWSAlabel;
    QLabel* AdjustmentLabel;
    QLabel* CrossLabel;
    QLabel* maxbuoy;
    QLabel* maxbuoym;
    QLabel* minbuoy;
    QLabel* minbuoym;

    /** The controls whose text colour follows the configured label colour, in the configuration's order. */
    [[nodiscard]] std::vector<QWidget*> colouredLabels() const;
};

/** The text colour of a control as an RGB triple. */
[[nodiscard]] Rgb textColor(const QWidget* control);

} // namespace leapmark
