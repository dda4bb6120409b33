#include "review/VideoFramePool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace leapmark {
namespace {

TEST(VideoFramePool, ReusesOnlyWhatNobodyHolds)
{
    VideoFramePool pool(2);
    auto first = pool.take(3, 2);
    EXPECT_EQ(first->bytesPerLine, 12);
    EXPECT_EQ(first->bgr.size(), 24u);
    const VideoFrame* firstAddress = first.get();
    auto second = pool.take(3, 2);
    EXPECT_NE(second.get(), firstAddress) << "a held frame is never handed out again";

    first->bgr[9] = 0xAB; // the last pixel of the top row, before the padding
    first.reset();
    EXPECT_EQ(pool.waitingFrames(), 1u);
    auto again = pool.take(3, 2);
    EXPECT_EQ(again.get(), firstAddress) << "a let-go frame is reused";
    EXPECT_EQ(pool.waitingFrames(), 0u);

    again->bgr[3] = 0xCD;
    again.reset();
    auto otherSize = pool.take(5, 1);
    EXPECT_EQ(otherSize->width, 5);
    EXPECT_EQ(otherSize->bytesPerLine, 16);
    EXPECT_TRUE(std::all_of(otherSize->bgr.begin(), otherSize->bgr.end(), [](auto b) { return b == 0; }))
        << "a frame of another size starts blank, padding included";

    std::vector<std::shared_ptr<VideoFrame>> many;
    for (int i = 0; i < 5; ++i)
        many.push_back(pool.take(5, 1));
    many.clear();
    EXPECT_EQ(pool.waitingFrames(), 2u) << "no more kept than asked for";
}

TEST(VideoFramePool, FramesLetGoOnOtherThreadsAndAfterThePoolIsGone)
{
    std::vector<std::shared_ptr<const VideoFrame>> outliving;
    {
        VideoFramePool pool(4);
        std::atomic<bool> clash{false};
        std::vector<std::thread> holders;
        for (int t = 0; t < 4; ++t)
            holders.emplace_back([&pool, &clash, t] {
                for (int i = 0; i < 2000; ++i) {
                    auto frame = pool.take(8, 8);
                    // Nobody else holds this frame: what is written stays until it is let go.
                    const auto mark = static_cast<std::uint8_t>(t * 64 + i % 64);
                    std::fill(frame->bgr.begin(), frame->bgr.end(), mark);
                    std::this_thread::yield();
                    if (std::any_of(frame->bgr.begin(), frame->bgr.end(),
                                    [mark](auto b) { return b != mark; }))
                        clash = true;
                }
            });
        for (auto& holder : holders)
            holder.join();
        EXPECT_FALSE(clash) << "a frame was handed to two holders at once";
        EXPECT_LE(pool.waitingFrames(), 4u);
        outliving.push_back(pool.take(8, 8));
        outliving.push_back(pool.take(8, 8));
    }
    // The pool is gone; letting go of its frames frees them.
    std::thread([held = std::move(outliving)]() mutable { held.clear(); }).join();
}

} // namespace
} // namespace leapmark
