#include "grid/GridOverlay.h"
#include "grid/BuoyMarking.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace leapmark {
namespace {

using ::testing::ElementsAre;

GridState gridWithBuoys()
{
    GridState state;
    const std::array<PlanePoint, 5> screen{{{}, {9000, 1500}, {10500, 6000}, {3000, 1800}, {1200, 6300}}};
    for (int c = 1; c <= 4; ++c) {
        state.buoy_screen_x[static_cast<std::size_t>(c)] = screen[static_cast<std::size_t>(c)].x;
        state.buoy_screen_y[static_cast<std::size_t>(c)] = screen[static_cast<std::size_t>(c)].y;
    }
    state.ur_screen_x = 9000, state.ur_screen_y = 1500;
    state.lr_screen_x = 10500, state.lr_screen_y = 6000;
    state.ul_screen_x = 3000, state.ul_screen_y = 1800;
    state.ll_screen_x = 1200, state.ll_screen_y = 6300;
    return state;
}

TEST(BuoyOverlay, CrossesAreWhiteWhateverTheLabelColour)
{
    const BuoyPositions buoys = namedBuoyPositions(gridWithBuoys());
    const Drawing drawing = buoyMarkers(buoys, BuoyMarkerStyle::Cross, Rgb{255, 255, 0}, 60);
    ASSERT_EQ(drawing.size(), 8u);
    // Upper left first: 120 twips wide and high.
    EXPECT_EQ(drawing[0], lineCommand({2940, 1800}, {3060, 1800}, kWhiteRgb));
    EXPECT_EQ(drawing[1], lineCommand({3000, 1740}, {3000, 1860}, kWhiteRgb));
    EXPECT_EQ(drawing[2].from, (PlanePoint{8940, 1500})); // then upper right, lower left, lower right
    EXPECT_EQ(drawing[6].from, (PlanePoint{10440, 6000}));
    for (const DrawingCommand& line : drawing)
        EXPECT_EQ(line.widthPixels, 2);
}

TEST(BuoyOverlay, CirclesComeFirstThenTheFivePointPlusInTheDrawingColour)
{
    const BuoyPositions buoys = namedBuoyPositions(gridWithBuoys());
    const Rgb yellow{255, 255, 0};
    const Drawing drawing = buoyMarkers(buoys, BuoyMarkerStyle::Circle, yellow, 45);
    ASSERT_EQ(drawing.size(), 4u + 20u);
    EXPECT_EQ(drawing[0], circleCommand({3000, 1800}, 90, yellow));
    EXPECT_EQ(drawing[3], circleCommand({10500, 6000}, 90, yellow));
    std::vector<PlanePoint> plus;
    for (std::size_t i = 4; i < 9; ++i) {
        EXPECT_EQ(drawing[i].shape, DrawingCommand::Shape::Point);
        EXPECT_EQ(drawing[i].colour, yellow);
        plus.push_back(drawing[i].from);
    }
    EXPECT_THAT(plus, ElementsAre(PlanePoint{3000, 1800}, PlanePoint{3000, 1805}, PlanePoint{3000, 1795},
                                  PlanePoint{3005, 1800}, PlanePoint{2995, 1800}));

    EXPECT_EQ(buoyMarkerStyle("cross"), BuoyMarkerStyle::Cross);
    EXPECT_EQ(buoyMarkerStyle("circle"), BuoyMarkerStyle::Circle);
    EXPECT_EQ(buoyMarkerStyle("Cross"), BuoyMarkerStyle::Circle);
    EXPECT_EQ(overlayDrawingColour("default", yellow), kWhiteRgb);
    EXPECT_EQ(overlayDrawingColour("yellow", yellow), yellow);
}

TEST(BuoyOverlay, DistanceLabelsSitOverTheFarBuoysInFeetAndMetres)
{
    GridState state = gridWithBuoys();
    state.ramp_x = 10.0;
    state.ramp_y = 2.0;
    // Upper left 55.04 m from the ramp, upper right 60.12 m.
    state.buoy_survey_x[corner::upperLeft] = 10.0 + 55.04;
    state.buoy_survey_y[corner::upperLeft] = 2.0;
    state.buoy_survey_x[corner::upperRight] = 10.0;
    state.buoy_survey_y[corner::upperRight] = 2.0 - 60.12;
    const BuoyDistanceLabels labels = buoyDistanceLabels(state);
    EXPECT_EQ(labels.maxbuoy, (PlacedCaption{" 181 feet", {2900, 1400}}));
    EXPECT_EQ(labels.maxbuoym, (PlacedCaption{" 55 meters", {2900, 1200}}));
    EXPECT_EQ(labels.minbuoy, (PlacedCaption{" 197 feet", {8900, 1100}}));
    EXPECT_EQ(labels.minbuoym, (PlacedCaption{" 60.1 meters", {8900, 900}}));
    EXPECT_EQ(metresCaption(0.04), " 0 meters");
    EXPECT_EQ(metresCaption(0.05), " .1 meters");
}

TEST(BuoyOverlay, TheMeasurementOverlayAddsSideLinesUnlessLineControlIsOff)
{
    GridState state = gridWithBuoys();
    state.current_grid = 2;
    state.grid_descriptions[2] = "South tower";
    const MeasurementOverlay on = measurementOverlay(state, BuoyMarkerStyle::Cross, kWhiteRgb, 60, false);
    ASSERT_EQ(on.drawing.size(), 10u);
    EXPECT_EQ(on.drawing[8], lineCommand({10500, 6000}, {9000, 1500}, kWhiteRgb));
    EXPECT_EQ(on.drawing[9], lineCommand({1200, 6300}, {3000, 1800}, kWhiteRgb));
    EXPECT_EQ(on.description, "South tower");

    const MeasurementOverlay off = measurementOverlay(state, BuoyMarkerStyle::Cross, kWhiteRgb, 60, true);
    EXPECT_EQ(off.drawing.size(), 8u);
    EXPECT_EQ(off.labels, on.labels);

    const Drawing exit = setupExitDrawing(namedBuoyPositions(state));
    ASSERT_EQ(exit.size(), 10u);
    EXPECT_EQ(exit[0], lineCommand({2900, 1800}, {3100, 1800}, kWhiteRgb));
    state.current_grid = 0;
    EXPECT_EQ(currentGridDescription(state), "");
}

TEST(BuoyMarking, AClickMovesTheSelectedBuoyOrWithTheLockAllFour)
{
    GridState state = gridWithBuoys();
    EXPECT_TRUE(buoyMovesForClick(state, std::nullopt, {100, 100}, true).empty());

    const auto alone = buoyMovesForClick(state, corner::upperLeft, {3150, 1770}, false);
    EXPECT_THAT(alone, ElementsAre(BuoyMove{corner::upperLeft, {3000, 1800}, {3150, 1770}}));

    const auto locked = buoyMovesForClick(state, corner::upperLeft, {3150, 1770}, true);
    EXPECT_THAT(locked, ElementsAre(BuoyMove{corner::upperLeft, {3000, 1800}, {3150, 1770}},
                                    BuoyMove{corner::upperRight, {9000, 1500}, {9150, 1470}},
                                    BuoyMove{corner::lowerLeft, {1200, 6300}, {1350, 6270}},
                                    BuoyMove{corner::lowerRight, {10500, 6000}, {10650, 5970}}));
    for (const BuoyMove& move : locked)
        applyBuoyMove(state, move);
    EXPECT_EQ(state.buoy_screen_x[corner::lowerRight], 10650);
    EXPECT_EQ(state.lr_screen_y, 5970);
    EXPECT_EQ(state.ul_screen_x, 3150);
}

TEST(BuoyMarking, ArrowsShiftByOnePixelAndMoveAllFourWhenLockedWithNothingSelected)
{
    const GridState state = gridWithBuoys();
    EXPECT_TRUE(buoyMovesForShift(state, std::nullopt, {0, -15}, false).empty());
    EXPECT_THAT(buoyMovesForShift(state, corner::lowerLeft, {15, 0}, false),
                ElementsAre(BuoyMove{corner::lowerLeft, {1200, 6300}, {1215, 6300}}));
    const auto all = buoyMovesForShift(state, std::nullopt, {0, 15}, true);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1], (BuoyMove{corner::upperRight, {9000, 1500}, {9000, 1515}}));

    const Drawing drawing = buoyMoveDrawing(all[1], {180, 105, 90}, kMagentaRgb);
    ASSERT_EQ(drawing.size(), 5u);
    EXPECT_EQ(drawing[0], circleCommand({9000, 1500}, 180, kMagentaRgb));
    EXPECT_EQ(drawing[1], lineCommand({8895, 1500}, {9105, 1500}, kMagentaRgb));
    EXPECT_EQ(drawing[4], lineCommand({9000, 1425}, {9000, 1605}, kWhiteRgb));
}

} // namespace
} // namespace leapmark
