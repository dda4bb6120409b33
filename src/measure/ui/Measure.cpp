#include "measure/ui/Measure.h"

#include "shell/ui/NamedControl.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace leapmark {
namespace {

void setTextColor(QWidget* control, Rgb color)
{
    QPalette palette = control->palette();
    const QColor qcolor(color.red, color.green, color.blue);
    palette.setColor(QPalette::WindowText, qcolor);
    palette.setColor(QPalette::Text, qcolor);
    palette.setColor(QPalette::ButtonText, qcolor);
    control->setPalette(palette);
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

} // namespace

Rgb textColor(const QWidget* control)
{
    const QColor c = control->palette().color(QPalette::WindowText);
    return {c.red(), c.green(), c.blue()};
}

Measure::Measure(AppContext& app) : Screen(app, "Measure", QStringLiteral("Measure"))
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QGridLayout(central);

    Skier_name = namedControl<QComboBox>(central, "Skier_name");
    Skier_name->setEditable(true);
    Skier_name->setEditText(QStringLiteral("Skier Name"));
    btnGetName = namedControl<QPushButton>(central, "btnGetName", QStringLiteral("Name"));
    barefoot_indicator =
        namedControl<QLineEdit>(central, "barefoot_indicator", QStringLiteral("Barefoot Jump"));
    barefoot_indicator->setReadOnly(true);
    UnofficialJump = namedControl<QLabel>(central, "UnofficialJump", QStringLiteral("UNOFFICIAL JUMP"));
    grid_description = namedControl<QLineEdit>(central, "grid_description", QStringLiteral("Text1"));
    grid_description->hide();

    optJumpOK = namedControl<QRadioButton>(central, "optJumpOK", QStringLiteral("Jump OK"));
    Pass = namedControl<QRadioButton>(central, "Pass", QStringLiteral("Pass"));
    Fall = namedControl<QRadioButton>(central, "Fall", QStringLiteral("Fall"));
    O_reride = namedControl<QRadioButton>(central, "O_reride", QStringLiteral("Opt. reride"));
    M_Reride = namedControl<QRadioButton>(central, "M_Reride", QStringLiteral("Man. Reride"));
    Other_Grid = namedControl<QRadioButton>(central, "Other_Grid", QStringLiteral("Other Grid"));
    Make_comment = namedControl<QRadioButton>(central, "Make_comment", QStringLiteral("Comment"));
    FrozenSign = namedControl<QLabel>(central, "FrozenSign", QStringLiteral("FROZEN"));
    FrozenSign->hide();
    IWSFlabel = namedControl<QLabel>(central, "IWSFlabel", QStringLiteral("IWSF Official Distance"));
    AWSAlabel = namedControl<QLabel>(central, "AWSAlabel", QStringLiteral("AWSA Official Distance"));
    AdjustmentLabel =
        namedControl<QLabel>(central, "AdjustmentLabel", QStringLiteral("Micro-Adjust (drag-it)"));
    CrossLabel = namedControl<QLabel>(central, "CrossLabel", QStringLiteral("Adjust Cross Size (drag-it)"));
    maxbuoy = namedControl<QLabel>(central, "maxbuoy");
    maxbuoym = namedControl<QLabel>(central, "maxbuoym");
    minbuoy = namedControl<QLabel>(central, "minbuoy");
    minbuoym = namedControl<QLabel>(central, "minbuoym");
    optJumpOK->setChecked(true);

    int row = 0;
    layout->addWidget(Skier_name, row, 0);
    layout->addWidget(btnGetName, row, 1);
    layout->addWidget(barefoot_indicator, row, 2);
    layout->addWidget(UnofficialJump, row++, 3);
    for (QWidget* w : colouredLabels())
        layout->addWidget(w, row++, 0, 1, 4);
    layout->addWidget(grid_description, row, 0, 1, 4);
    setDefaultLabelColors();
}

std::vector<QWidget*> Measure::colouredLabels() const
{
    return {Make_comment, Other_Grid, Fall,      Pass,      optJumpOK,       M_Reride,
            O_reride,     FrozenSign, IWSFlabel, AWSAlabel, AdjustmentLabel, CrossLabel,
            maxbuoy,      maxbuoym,   minbuoy,   minbuoym};
}

void Measure::setLabelColor(Rgb color)
{
    for (QWidget* w : colouredLabels())
        setTextColor(w, color);
}

void Measure::setDefaultLabelColors()
{
    for (QWidget* w :
         {static_cast<QWidget*>(Make_comment), static_cast<QWidget*>(Other_Grid), static_cast<QWidget*>(Fall),
          static_cast<QWidget*>(Pass), static_cast<QWidget*>(optJumpOK), static_cast<QWidget*>(IWSFlabel),
          static_cast<QWidget*>(AWSAlabel)})
        setTextColor(w, kBlack);
    setTextColor(M_Reride, kRed);
    setTextColor(O_reride, kYellow);
    for (QWidget* w :
         {static_cast<QWidget*>(FrozenSign), static_cast<QWidget*>(AdjustmentLabel),
          static_cast<QWidget*>(CrossLabel), static_cast<QWidget*>(maxbuoy), static_cast<QWidget*>(maxbuoym),
          static_cast<QWidget*>(minbuoy), static_cast<QWidget*>(minbuoym)})
        setTextColor(w, kWhite);
}

void Measure::showTournamentIndicator(const std::string& text)
{
    barefoot_indicator->setText(qs(text));
    barefoot_indicator->show();
}

void Measure::hideTournamentIndicator()
{
    barefoot_indicator->hide();
}

void Measure::clearSkierNames()
{
    Skier_name->clear();
}

void Measure::addSkierName(const std::string& name)
{
    Skier_name->addItem(qs(name));
}

std::vector<std::string> Measure::skierNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < Skier_name->count(); ++i)
        names.push_back(ss(Skier_name->itemText(i)));
    return names;
}

void Measure::showGridDescription(const std::string& description)
{
    grid_description->setText(qs(description));
}

} // namespace leapmark
