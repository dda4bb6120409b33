#include "shell/ui/picture/PictureSurface.h"
#include "shell/ui/picture/PictureMagnifier.h"
#include "shell/ui/picture/PictureZoomBar.h"
#include "shell/ui/picture/PictureZoomSteps.h"
#include "support/GoldenFile.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace leapmark {
namespace {

/** A picture whose every pixel tells its position: red = x, green = y (both modulo 256). */
QImage positionPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, 40));
    return picture;
}

/** Keeps what the surface hands it; takes the Up key. */
class RecordingTool : public PictureTool
{
public:
    void activate(PictureSurface&) override { ++activations; }
    void deactivate(PictureSurface&) override { ++deactivations; }
    void mousePressed(const PictureMouse& mouse) override { pressed.push_back(mouse.twips); }
    void mouseMoved(const PictureMouse& mouse) override { moved.push_back(mouse.twips); }
    void mouseReleased(const PictureMouse& mouse) override { released.push_back(mouse.twips); }
    bool keyPressed(int key, Qt::KeyboardModifiers) override
    {
        keys.push_back(key);
        return key == Qt::Key_Up;
    }

    int activations = 0;
    int deactivations = 0;
    std::vector<QPointF> pressed;
    std::vector<QPointF> moved;
    std::vector<QPointF> released;
    std::vector<int> keys;
};

class Surface : public ::testing::Test
{
protected:
    Surface()
    {
        surface.resize(400, 300);
        surface.setBackgroundColour(QColor(255, 0, 255));
        surface.setPicture(positionPicture(640, 480));
        surface.show();
        surface.setTool(&tool);
        QApplication::processEvents();
    }

    QPointF clickAt(QPoint viewPixel)
    {
        tool.pressed.clear();
        QTest::mouseClick(surface.viewport(), Qt::LeftButton, Qt::NoModifier, viewPixel);
        EXPECT_EQ(tool.pressed.size(), 1u);
        return tool.pressed.empty() ? QPointF() : tool.pressed.front();
    }

    void scrollTo(int x, int y)
    {
        surface.horizontalScrollBar()->setValue(x);
        surface.verticalScrollBar()->setValue(y);
    }

    PictureSurface surface;
    RecordingTool tool;
};

TEST_F(Surface, ClicksLandOnThePictureTwipsUnderThePointer)
{
    // 1:1 at the corner: whole pixels x 15.
    EXPECT_EQ(clickAt({10, 20}), QPointF(150, 300));
    scrollTo(100, 50);
    EXPECT_EQ(clickAt({10, 20}), QPointF(1650, 1050));

    // At 4x the four view pixels over picture pixel 0 lie a quarter pixel apart around its centre
    // (view pixel 0 would be 3/8 of a pixel left of it; QTest takes the point (0, 0) for "the middle").
    surface.setZoom(4.0);
    scrollTo(0, 0);
    EXPECT_DOUBLE_EQ(clickAt({1, 1}).x(), -1.875);
    EXPECT_DOUBLE_EQ(clickAt({2, 0}).x(), 1.875);
    EXPECT_DOUBLE_EQ(clickAt({3, 0}).x(), 5.625);
    EXPECT_DOUBLE_EQ(clickAt({5, 0}).x() - clickAt({4, 0}).x(), 3.75);

    // The nearest view pixel of a position is the one a click must hit to land on it best.
    surface.setZoom(8.0);
    scrollTo(333, 222);
    const QPointF buoy(4321.7, 2345.6);
    const QPointF landed = clickAt(surface.viewPixelNearest(buoy));
    EXPECT_LE(std::abs(landed.x() - buoy.x()), 15.0 / 16.0);
    EXPECT_LE(std::abs(landed.y() - buoy.y()), 15.0 / 16.0);
}

TEST_F(Surface, ZoomKeepsThePointUnderTheWheelAndNeverMovesTheMarks)
{
    surface.drawCircle({3000, 2000}, 150, Qt::white, 2);
    const std::vector<SurfaceStroke> before = surface.strokes();
    const QPoint pointer(200, 120);
    const QPointF under = surface.twipsAtViewPixel(pointer);

    QWheelEvent wheel(QPointF(pointer), surface.viewport()->mapToGlobal(QPointF(pointer)), {}, {0, 120},
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface.viewport(), &wheel);
    EXPECT_EQ(surface.zoom(), 1.5);
    QApplication::sendEvent(surface.viewport(), &wheel);
    EXPECT_EQ(surface.zoom(), 2.0);
    // Scroll positions are whole view pixels: the point stays within one of them.
    const QPointF after = surface.twipsAtViewPixel(pointer);
    EXPECT_NEAR(after.x(), under.x(), 15.0 / 2.0);
    EXPECT_NEAR(after.y(), under.y(), 15.0 / 2.0);
    EXPECT_EQ(surface.strokes(), before);

    // Keys while the surface has the focus; steps stop at the ends.
    surface.setFocus();
    QTest::keyClick(&surface, Qt::Key_Minus);
    EXPECT_EQ(surface.zoom(), 1.5);
    QTest::keyClick(&surface, Qt::Key_1);
    EXPECT_EQ(surface.zoom(), 1.0);
    QTest::keyClick(&surface, Qt::Key_0);
    EXPECT_NEAR(surface.zoom(), std::min(400.0 / 640, 300.0 / 480), 0.02);
    EXPECT_EQ(nextZoomStep(16.0), 16.0);
    EXPECT_EQ(previousZoomStep(0.125), 0.125);
    EXPECT_EQ(nextZoomStep(0.7), 1.0);
}

TEST_F(Surface, TheBackgroundColourErasesTheLayerAndShowsThePicture)
{
    const QImage picture = positionPicture(640, 480);
    surface.drawLine({150, 300}, {1500, 300}, Qt::white, 1); // pixels (10..100, 20)
    surface.drawPoint({3000, 3000}, Qt::yellow, 2);
    QImage drawn = surface.image();
    EXPECT_EQ(drawn.size(), QSize(640, 480));
    EXPECT_EQ(drawn.pixel(10, 20), qRgb(255, 255, 255));
    EXPECT_EQ(drawn.pixel(100, 20), qRgb(255, 255, 255));
    EXPECT_EQ(drawn.pixel(50, 21), picture.pixel(50, 21));
    EXPECT_EQ(drawn.pixel(200, 200), qRgb(255, 255, 0));

    surface.drawLine({150, 300}, {1500, 300}, QColor(255, 0, 255), 1);
    drawn = surface.image();
    EXPECT_EQ(drawn.pixel(10, 20), picture.pixel(10, 20));
    EXPECT_EQ(drawn.pixel(100, 20), picture.pixel(100, 20));
    EXPECT_EQ(drawn.pixel(200, 200), qRgb(255, 255, 0));

    surface.clearDrawing();
    EXPECT_TRUE(surface.strokes().empty());
    EXPECT_EQ(surface.image(), picture);

    // Without a picture the background shows, and erasing shows it again.
    surface.clearPicture();
    surface.drawCircle({1500, 1500}, 300, Qt::white, 1);
    surface.drawCircle({1500, 1500}, 300, QColor(255, 0, 255), 1);
    EXPECT_EQ(surface.image().pixel(100, 80), qRgb(255, 0, 255));
}

TEST_F(Surface, AStrokeAddedToTheViewLooksAsIfTheViewWereDrawnAfresh)
{
    surface.setZoom(3.0);
    scrollTo(300, 240);
    QApplication::processEvents();
    (void)surface.composedView();
    // Added one by one into the cached view...
    surface.drawCircle({2400, 1800}, 180, Qt::white, 2);
    surface.drawLine({1800, 1500}, {3300, 2250}, Qt::yellow, 2);
    surface.drawLine({1800, 1500}, {3300, 2250}, QColor(255, 0, 255), 2);
    surface.drawPoint({2400, 1800}, Qt::red, 2);
    const QImage incremental = surface.composedView().copy();
    // ...against the same strokes rendered after a view change.
    surface.setZoom(4.0);
    surface.setZoom(3.0);
    scrollTo(300, 240);
    EXPECT_EQ(surface.composedView(), incremental);
    // The zoomed circle is 3 x 12 = 36 view pixels across: its rightmost point is white.
    const QPointF centre = surface.viewPointOfTwips({2400, 1800});
    EXPECT_EQ(incremental.pixel(static_cast<int>(centre.x() - 0.5 + 36), static_cast<int>(centre.y() - 0.5)),
              qRgb(255, 255, 255));
}

TEST_F(Surface, LabelsAndLineItemsFollowTheViewInTwips)
{
    auto* label = new QLabel(QStringLiteral("R"));
    surface.placeLabel(label, {1500, 750});
    EXPECT_EQ(label->parentWidget(), surface.viewport());
    EXPECT_EQ(label->pos(), QPoint(100, 50));
    surface.setZoom(2.0, QPointF(0, 0));
    EXPECT_EQ(label->pos(), QPoint(200, 100));
    scrollTo(30, 40);
    EXPECT_EQ(label->pos(), QPoint(170, 60));
    EXPECT_EQ(surface.labelPosition(label), QPointF(1500, 750));
    EXPECT_FALSE(surface.labelPosition(&surface).has_value());

    const int mark = surface.addLineItem({{300, 300}, {600, 600}, Qt::red, 2, true});
    SurfaceLineItem moved = surface.lineItem(mark);
    moved.fromTwips = {900, 900};
    moved.visible = false;
    surface.setLineItem(mark, moved);
    EXPECT_EQ(surface.lineItem(mark), moved);
    EXPECT_TRUE(surface.strokes().empty()); // a line item is not part of the layer
    EXPECT_THROW(surface.setLineItem(mark + 1, moved), std::out_of_range);
}

TEST_F(Surface, TheSavedImageIsA24BitBitmapAtPictureResolution)
{
    surface.setZoom(4.0);
    surface.drawLine({0, 0}, {150, 0}, Qt::white, 1);
    testing::TempFolder folder;
    const std::filesystem::path file = folder.path() / "surface.bmp";
    ASSERT_TRUE(surface.saveImage(file).ok());
    const std::string bytes = testing::fileBytes(file);
    ASSERT_GE(bytes.size(), 54u);
    auto number = [&bytes](std::size_t at, std::size_t size) {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + at, size);
        return value;
    };
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(number(18, 4), 640u);
    EXPECT_EQ(number(22, 4), 480u);
    EXPECT_EQ(number(28, 2), 24u);
    EXPECT_EQ(bytes.size(), 54u + 640u * 3u * 480u);
    // Rows are stored bottom-up: the top row, with the white line, comes last.
    const std::size_t topRow = 54 + 640 * 3 * 479;
    EXPECT_EQ(bytes.substr(topRow, 3), std::string("\xff\xff\xff"));
    EXPECT_EQ(bytes.substr(topRow + 3 * 20, 3),
              std::string("\x28\x00\x14", 3)); // pixel (20, 0): b 40, g 0, r 20

    const auto failed = surface.saveImage(folder.path() / "missing" / "surface.bmp");
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.error().text().find("surface.bmp"), std::string::npos);
    const auto unreadable = surface.loadPicture(folder.path() / "none.png");
    ASSERT_FALSE(unreadable.ok());
    EXPECT_NE(unreadable.error().text().find("none.png"), std::string::npos);
    EXPECT_EQ(surface.pictureSizePixels(), QSize(640, 480));
}

TEST_F(Surface, TheMagnifierFollowsThePointerAndTakesClicksOnQuarterPixels)
{
    PictureZoomBar bar(surface);
    surface.setFocus();
    QTest::keyClick(&surface, Qt::Key_M);
    EXPECT_TRUE(surface.magnifierEnabled());
    EXPECT_TRUE(bar.chkMagnifier->isChecked());

    PictureMagnifier& magnifier = surface.magnifier();
    EXPECT_EQ(magnifier.geometry().right(), surface.viewport()->width() - 1 - 6);
    QTest::mouseMove(surface.viewport(), QPoint(50, 200));
    EXPECT_EQ(magnifier.centre(), QPointF(50.5, 200.5));

    // The inset's middle pixels lie a quarter of a view pixel apart around the pointer.
    std::vector<QPointF>& pressed = tool.pressed;
    pressed.clear();
    const int middle = PictureMagnifier::kSidePixels / 2;
    QTest::mouseClick(&magnifier, Qt::LeftButton, Qt::NoModifier, QPoint(middle, middle));
    QTest::mouseClick(&magnifier, Qt::LeftButton, Qt::NoModifier, QPoint(middle + 1, middle));
    ASSERT_EQ(pressed.size(), 2u);
    EXPECT_DOUBLE_EQ(pressed[0].x(), 50 * 15 + 15.0 / 8);
    EXPECT_DOUBLE_EQ(pressed[1].x() - pressed[0].x(), 15.0 / 4);
    EXPECT_EQ(magnifier.centre(), QPointF(50.5, 200.5)); // held still while the pointer is on it

    bar.chkMagnifier->click();
    EXPECT_FALSE(surface.magnifierEnabled());
}

TEST_F(Surface, TheToolTakesMouseAndKeysFirstAndOnlyWhileItIsSet)
{
    EXPECT_EQ(tool.activations, 1);
    QTest::mousePress(surface.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    QTest::mouseMove(surface.viewport(), QPoint(11, 20));
    QTest::mouseRelease(surface.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(11, 20));
    EXPECT_EQ(tool.pressed, std::vector<QPointF>{QPointF(150, 300)});
    EXPECT_EQ(tool.released, std::vector<QPointF>{QPointF(165, 300)});
    EXPECT_FALSE(tool.moved.empty());
    // The middle button pans; the tool never sees its press.
    QTest::mousePress(surface.viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(10, 20));
    QTest::mouseRelease(surface.viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(10, 20));
    EXPECT_EQ(tool.pressed.size(), 1u);

    // A key the tool takes does not scroll; one it leaves still zooms.
    surface.setFocus();
    scrollTo(0, 100);
    QTest::keyClick(&surface, Qt::Key_Up);
    EXPECT_EQ(surface.verticalScrollBar()->value(), 100);
    QTest::keyClick(&surface, Qt::Key_Plus);
    EXPECT_EQ(surface.zoom(), 1.5);
    EXPECT_EQ(tool.keys, (std::vector<int>{Qt::Key_Up, Qt::Key_Plus}));

    // Another tool takes over; one destroyed while set leaves the surface without a tool.
    {
        RecordingTool other;
        surface.setTool(&other);
        EXPECT_EQ(tool.deactivations, 1);
        QTest::mouseClick(surface.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
        EXPECT_EQ(other.pressed.size(), 1u);
        EXPECT_EQ(tool.pressed.size(), 1u);
    }
    EXPECT_EQ(surface.tool(), nullptr);
    QTest::mouseClick(surface.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    const int before = surface.verticalScrollBar()->value();
    QTest::keyClick(&surface, Qt::Key_Up);
    EXPECT_LT(surface.verticalScrollBar()->value(), before) << "without a tool Up scrolls";
}

TEST_F(Surface, AMiddleDragPansAndTheZoomBarZooms)
{
    PictureZoomBar bar(surface);
    QTest::mousePress(surface.viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(surface.viewport(), QPoint(150, 170));
    QTest::mouseRelease(surface.viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(150, 170));
    EXPECT_EQ(surface.horizontalScrollBar()->value(), 50);
    EXPECT_EQ(surface.verticalScrollBar()->value(), 30);

    bar.zoomIn->click();
    EXPECT_EQ(surface.zoom(), 1.5);
    EXPECT_EQ(bar.zoomLabel->text(), QStringLiteral("150 %"));
    bar.zoomOut->click();
    bar.zoomOut->click();
    EXPECT_NEAR(surface.zoom(), 2.0 / 3.0, 1e-12);
    bar.zoomActual->click();
    EXPECT_EQ(surface.zoom(), 1.0);
}

} // namespace
} // namespace leapmark
