#pragma once

#include "grid/GridFile.h"
#include "support/app/AppHarness.h"

#include <QPointF>

#include <filesystem>
#include <string>

class QLineEdit;

namespace leapmark {
class Grid_Setup;
}

namespace leapmark::testing {

/**
 * The whole program on temporary folders with no grid files, started, past the configuration
 * screen and on the grid setup screen; set-up files and pictures are kept in the scratch folder.
 */
class GridSetupStation
{
public:
    explicit GridSetupStation(int gridsInUse = 1);

    [[nodiscard]] Grid_Setup& setup();
    /** A press of the left button on the picture at the view pixel nearest to the twips. */
    void clickPicture(QPointF twips);
    /** Selects a corner option button and clicks the buoy there. */
    void markBuoy(int cornerNumber, QPointF twips);
    /** Types the survey boxes of all four buoys and the ramp point. */
    void typeSurvey(const CornerPoints& survey, PlanePoint ramp);
    /** The four screen boxes, corner by corner in marking order, as " x  y" texts. */
    [[nodiscard]] std::string screenBoxes();
    /** What the results file gained since the last call (or since start). */
    [[nodiscard]] std::string newResults();
    /** Writes a grid file for tests to load. */
    [[nodiscard]] std::filesystem::path writeGrid(const std::string& name, const GridFileContent& content);
    static void settle();

    AppHarness app;

private:
    std::size_t m_resultsMark = 0;
};

/** A grid whose buoys span known widths: a twip is a centimetre, the ramp at (0, 30). */
[[nodiscard]] GridFileContent centimetreGrid(const std::string& description = "Centimetre grid");

} // namespace leapmark::testing
