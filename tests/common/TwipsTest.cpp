#include "common/Twips.h"

#include <gtest/gtest.h>

namespace leapmark {
namespace {

TEST(Twips, PictureSizeFollowsTheHimetricRule)
{
    // 1280 pixels are 33867 HIMETRIC (33866.67 rounded), 19170 twips: not 1280 x 15.
    EXPECT_DOUBLE_EQ(himetricOf(1280), 33867.0);
    EXPECT_DOUBLE_EQ(pictureTwips(1280), 19170.0);
    EXPECT_NEAR(pictureTwips(720), 10783.02, 0.005);
    EXPECT_DOUBLE_EQ(pictureTwips(0), 0.0);
}

TEST(Twips, ZoomedViewPositionsLandOnFractionsOfAPixel)
{
    EXPECT_DOUBLE_EQ(viewToPictureTwips(800, 1.0), 12000.0);
    // At 4x one view pixel is a quarter of a picture pixel: 3.75 twips.
    EXPECT_DOUBLE_EQ(viewToPictureTwips(3201, 4.0), 12003.75);
    EXPECT_DOUBLE_EQ(viewToPictureTwips(1, 4.0, 3200), 12003.75);
    EXPECT_DOUBLE_EQ(pictureTwipsToView(12003.75, 4.0, 3200), 1.0);
    EXPECT_EQ(wholePixels(2280), 152);
    EXPECT_EQ(wholePixels(100), 7);
}

TEST(Twips, ViewPixelCentresMapOntoPicturePixelCentres)
{
    // At 1:1 the centre of view pixel 800 is picture pixel 800 itself.
    EXPECT_DOUBLE_EQ(viewPointToPictureTwips(800.5, 1.0), 12000.0);
    EXPECT_DOUBLE_EQ(viewPointToPictureTwips(0.5, 1.0, 800), 12000.0);
    // At 4x picture pixel 0 covers view pixels 0..3, whose centres sit 3/8 and 1/8 of a pixel
    // either side of its centre.
    EXPECT_DOUBLE_EQ(viewPointToPictureTwips(0.5, 4.0), -5.625);
    EXPECT_DOUBLE_EQ(viewPointToPictureTwips(2.5, 4.0), 1.875);
    EXPECT_DOUBLE_EQ(viewPointToPictureTwips(3.5, 4.0), 5.625);
    // The two directions undo each other, scrolled or not.
    for (const double zoom : {0.25, 1.0, 3.0, 8.0})
        for (const double twips : {-37.5, 0.0, 151.875, 28790.0})
            EXPECT_NEAR(viewPointToPictureTwips(pictureTwipsToViewPoint(twips, zoom, 321), zoom, 321), twips,
                        1e-9);
}

} // namespace
} // namespace leapmark
