#include "MeasureStation.h"

#include "grid/GridFile.h"
#include "measure/ui/Measure.h"
#include "settings/SettingsKeys.h"
#include "shell/ui/Config.h"
#include "shell/ui/MainForm.h"
#include "shell/ui/picture/PictureSurface.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace leapmark::testing {

MeasureStation::MeasureStation()
{
    app.useVideoDir();
    const std::filesystem::path gridFile = app.scratchDir() / "centimetre.ipt";
    const GridFileContent content{"Centimetre grid",
                                  makeGridRecord({{{6000, 1000}, {6000, 5000}, {3000, 1000}, {3000, 5000}}},
                                                 {{{60, 10}, {60, 50}, {30, 10}, {30, 50}}},
                                                 {0, 0.01, 0, 0, 0, 0, 0, 0.01}, {0, 30}, {10, 2, 5})};
    EXPECT_TRUE(writeGridFile(gridFile, content).ok());
    app.settings().write(keys::grids, "1");
    app.settings().write(keys::grid1File, gridFile.string());
    writePicture(handOverPicture(), 720, 480, QColor(90, 110, 130));
}

void MeasureStation::start()
{
    app.start();
    AppHarness::trigger(app.config().mnuExit);
    app.prompts().clear();
    markResults();
}

void MeasureStation::arriveFromFrameSelection()
{
    app.session().navigation_origin = NavigationOrigin::SelectFrame;
    AppHarness::click(app.mainForm().ccmdGoToMeasure);
    settle();
}

void MeasureStation::typeSkierName(const std::string& name)
{
    QComboBox* box = measure().Skier_name;
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(box->lineEdit(), QString::fromStdString(name));
}

void MeasureStation::clickPicture(PlanePoint twips)
{
    PictureSurface* surface = measure().picture;
    QTest::mouseClick(surface->viewport(), Qt::LeftButton, Qt::NoModifier,
                      surface->viewPixelNearest({twips.x, twips.y}));
}

void MeasureStation::movePointer(PlanePoint twips)
{
    PictureSurface* surface = measure().picture;
    QTest::mouseMove(surface->viewport(), surface->viewPixelNearest({twips.x, twips.y}));
}

std::string MeasureStation::newResults()
{
    const std::string all = AppHarness::bytesOf(app.resultsPath());
    return all.size() >= m_resultsMark ? all.substr(m_resultsMark) : all;
}

void MeasureStation::markResults()
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(app.resultsPath(), ec);
    m_resultsMark = ec ? 0 : static_cast<std::size_t>(size);
}

Measure& MeasureStation::measure()
{
    return app.screens().measure();
}

void MeasureStation::writePicture(const std::filesystem::path& file, int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "BMP"));
}

void MeasureStation::settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

} // namespace leapmark::testing
