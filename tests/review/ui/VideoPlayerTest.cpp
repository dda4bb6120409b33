#include "review/ui/VideoPlayer.h"

#include "review/GopVideoDecoder.h"
#include "support/app/AppHarness.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSlider>

#include <gtest/gtest.h>

#include <limits>

namespace leapmark {
namespace {

using testing::AppHarness;

/** A video whose header claims what it likes: any length, any rate; each frame a flat grey. */
class ClaimingDecoder final : public VideoDecoder
{
public:
    ClaimingDecoder(std::int64_t frames, double rate) : m_frames(frames), m_rate(rate) {}
    std::int64_t frameCount() const override { return m_frames; }
    double framesPerSecond() const override { return m_rate; }
    int width() const override { return 8; }
    int height() const override { return 6; }
    Result<std::shared_ptr<const VideoFrame>> frame(std::int64_t index) override
    {
        auto frame = std::make_shared<VideoFrame>();
        frame->index = index;
        frame->width = 8;
        frame->height = 6;
        frame->bytesPerLine = dibRowBytes(8);
        frame->bgr.assign(static_cast<std::size_t>(frame->bytesPerLine) * 6, 128);
        return std::shared_ptr<const VideoFrame>(std::move(frame));
    }

private:
    std::int64_t m_frames;
    double m_rate;
};

DecodeWorker::Opener claiming(std::int64_t frames, double rate)
{
    return [frames, rate](const std::filesystem::path&) -> Result<std::unique_ptr<VideoDecoder>> {
        return std::unique_ptr<VideoDecoder>(std::make_unique<ClaimingDecoder>(frames, rate));
    };
}

TEST(VideoPlayer, AFileClaimingMoreFramesThanAnIntHoldsStaysInsideItsLastFrame)
{
    constexpr std::int64_t claimed = std::numeric_limits<std::int64_t>::max();
    VideoPlayer player(nullptr, claiming(claimed, 1e-12));
    player.setFileName(QStringLiteral("claims.avi"));
    ASSERT_TRUE(AppHarness::waitFor([&] { return player.isOpen(); }));
    EXPECT_EQ(player.positionSlider()->maximum(), std::numeric_limits<int>::max());
    player.setPosition(1e30);
    EXPECT_EQ(player.wantedFrameIndex(), claimed - 1) << "the last frame, not a wrapped cast";
    player.setPosition(5.0);
    EXPECT_EQ(player.wantedFrameIndex(), 5);
    player.play(); // a rate of one frame in 30 000 years plays no faster than once a day
    EXPECT_TRUE(player.isPlaying());
    player.stop();
}

TEST(VideoPlayer, TheSliderStripIsPaintedEveryTimeSoNoOldHandleStaysBehind)
{
    VideoPlayer player(nullptr, claiming(100, 30.0));
    player.resize(400, 300);
    player.show();
    player.setFileName(QStringLiteral("short.avi"));
    ASSERT_TRUE(AppHarness::waitFor([&] { return player.isOpen() && player.shownFrameIndex() == 0; }));
    player.setPosition(90.0);
    QApplication::processEvents();

    // What the player itself leaves unpainted keeps whatever was on screen before: here, red.
    QPixmap canvas(player.size());
    canvas.fill(Qt::red);
    player.render(&canvas);
    const QImage painted = canvas.toImage();
    const QRect strip = player.positionSlider()->geometry();
    int unpainted = 0;
    for (int y = strip.top(); y <= strip.bottom(); ++y)
        for (int x = strip.left(); x <= strip.right(); ++x)
            unpainted += painted.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
    EXPECT_EQ(unpainted, 0) << "of " << strip.width() * strip.height() << " pixels under the slider";
}

TEST(VideoPlayer, ASliderDragShowsItsLastPositionAndDecodesNoneItOnlyPassed)
{
    testing::PictureLog log;
    // One key frame for the whole video: frame 150 takes 151 pictures, frame 250 takes 251.
    VideoPlayer player(nullptr, testing::gopOpener(log, 300, 300, std::chrono::microseconds(1000)));
    player.setFileName(QStringLiteral("drag.avi"));
    ASSERT_TRUE(AppHarness::waitFor([&] { return player.isOpen(); }));
    player.setPosition(20.0);
    ASSERT_TRUE(AppHarness::waitFor(
        [&] { return player.shownFrameIndex() == 20 && player.worker().cache().contains(21); }));

    // A drag: 150 is being decoded when the handle passes 250 and comes to rest on 21, which is at hand.
    QSlider* slider = player.positionSlider();
    slider->setValue(150);
    ASSERT_TRUE(AppHarness::waitFor([&] { return log.wasAsked(150); }));
    slider->setValue(250);
    slider->setValue(21);
    EXPECT_EQ(player.shownFrameIndex(), 21);
    ASSERT_TRUE(AppHarness::waitFor([&] { return player.worker().requestsInFlight() == 0; }));
    AppHarness::wait(50);
    EXPECT_EQ(player.shownFrameIndex(), 21) << "the last position stays shown";
    EXPECT_FALSE(log.wasAsked(250)) << "a position the drag only passed is never decoded";

    slider->setValue(250);
    EXPECT_TRUE(AppHarness::waitFor([&] { return player.shownFrameIndex() == 250; }))
        << "and is decoded once the handle comes back to it";
}

} // namespace
} // namespace leapmark
