#include "GridSetupStation.h"

#include "grid/ui/Grid_Setup.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace leapmark::testing {

GridSetupStation::GridSetupStation(int gridsInUse)
{
    app.useVideoDir();
    app.settings().write(keys::grids, std::to_string(gridsInUse));
    app.start();
    AppHarness::trigger(app.config().mnuExit);
    app.session().config.setup_files_path = app.scratchDir().string();
    app.session().config.pictures_path = app.scratchDir().string();
    AppHarness::click(app.mainForm().cmdSetup);
    settle();
    app.prompts().clear();
    (void)newResults();
}

Grid_Setup& GridSetupStation::setup()
{
    return app.screens().gridSetup();
}

void GridSetupStation::clickPicture(QPointF twips)
{
    PictureSurface* surface = setup().picture;
    QTest::mouseClick(surface->viewport(), Qt::LeftButton, Qt::NoModifier, surface->viewPixelNearest(twips));
}

void GridSetupStation::markBuoy(int cornerNumber, QPointF twips)
{
    Grid_Setup& s = setup();
    QRadioButton* button = cornerNumber == corner::upperLeft    ? s.upper_left_button
                           : cornerNumber == corner::upperRight ? s.upper_right_button
                           : cornerNumber == corner::lowerLeft  ? s.lower_left_button
                                                                : s.lower_right_button;
    AppHarness::click(button);
    clickPicture(twips);
}

void GridSetupStation::typeSurvey(const CornerPoints& survey, PlanePoint ramp)
{
    Grid_Setup& s = setup();
    auto type = [](QLineEdit* box, double value) {
        AppHarness::typeInto(box, QString::number(value, 'g', 15).toStdString());
    };
    const std::array<std::pair<QLineEdit*, QLineEdit*>, 4> boxes{{{s.ur_survey_x, s.ur_survey_y},
                                                                  {s.lr_survey_x, s.lr_survey_y},
                                                                  {s.ul_survey_x, s.ul_survey_y},
                                                                  {s.ll_survey_x, s.ll_survey_y}}};
    for (std::size_t i = 0; i < 4; ++i) {
        type(boxes[i].first, survey[i].x);
        type(boxes[i].second, survey[i].y);
    }
    type(s.jump_x, ramp.x);
    type(s.jump_y, ramp.y);
}

std::string GridSetupStation::screenBoxes()
{
    Grid_Setup& s = setup();
    std::string all;
    for (QLineEdit* box : {s.upper_left_x, s.upper_left_y, s.upper_right_x, s.upper_right_y, s.lower_left_x,
                           s.lower_left_y, s.lower_right_x, s.lower_right_y})
        all += box->text().toStdString() + " ";
    return all;
}

std::string GridSetupStation::newResults()
{
    std::string all;
    if (std::filesystem::exists(app.resultsPath()))
        all = AppHarness::bytesOf(app.resultsPath());
    const std::string added = all.size() >= m_resultsMark ? all.substr(m_resultsMark) : all;
    m_resultsMark = all.size();
    return added;
}

std::filesystem::path GridSetupStation::writeGrid(const std::string& name, const GridFileContent& content)
{
    const std::filesystem::path file = app.scratchDir() / name;
    EXPECT_TRUE(writeGridFile(file, content).ok());
    return file;
}

void GridSetupStation::settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

GridFileContent centimetreGrid(const std::string& description)
{
    return {description, makeGridRecord({{{6000, 1000}, {6000, 5000}, {3000, 1000}, {3000, 5000}}},
                                        {{{60, 10}, {60, 50}, {30, 10}, {30, 50}}},
                                        {0, 0.01, 0, 0, 0, 0, 0, 0.01}, {0, 30}, {10, 2, 5})};
}

} // namespace leapmark::testing
