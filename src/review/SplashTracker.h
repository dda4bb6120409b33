#pragma once

#include "review/SampledPicture.h"

#include <cstdint>
#include <vector>

namespace leapmark {

/**
 * Follows a video frame by frame and scores in each frame the blocks that turn to white water: a
 * block counts when it becomes much brighter than the water it usually shows, its colour moves
 * towards colourless as white mixed into that water would move it (or white mixed into what the
 * block showed a frame before: spray over the skis), it was not white for the quarter second
 * before, and it is still whitish a moment later (a skier passing by moves on). The skier's yellow
 * vest and red skis move the colour elsewhere, even with the colour of a 4:2:0 picture smeared over
 * the water beside them. A block that turns white again and again (lettering the camera burns in)
 * stops counting.
 *
 * Keeps a usual level per block, the picture before and a few flags per block for the last third
 * of a second, so its memory does not grow with the video; a frame's score is given once the
 * frames that confirm it have arrived.
 */
class SplashTracker
{
public:
    explicit SplashTracker(double framesPerSecond);

    /** The next frame of the video. A picture of another size than the first counts as a repeat. */
    void add(const SampledPicture& picture);
    /** The next frame shows the same picture as the one before (dropped, or could not be decoded). */
    void addRepeat();

    /** Frames seen so far. */
    [[nodiscard]] std::int64_t frames() const { return m_leadingRepeats + m_frames; }
    /** Scores every frame still waiting for its confirmation and gives each frame's score. */
    [[nodiscard]] std::vector<float> finish();

    /** Bytes held for the pictures (the usual levels, the recent flags and the counts per block). */
    [[nodiscard]] std::size_t pictureStateBytes() const;

private:
    void classify(const SampledPicture& picture);
    void advance();
    void score(std::int64_t frame, std::int64_t lastFrame);
    [[nodiscard]] std::size_t slot(std::int64_t frame) const
    {
        return static_cast<std::size_t>(frame % m_depth) * m_blocks;
    }

    int m_quietFrames = 0;
    int m_stayFrames = 0;
    int m_depth = 0;
    float m_usualRate = 0.0F;
    int m_columns = -1;
    int m_rows = -1;
    std::size_t m_blocks = 0;
    // Per block: the water's usual brightness and colour differences.
    std::vector<float> m_usualLuma;
    std::vector<float> m_usualBlue;
    std::vector<float> m_usualRed;
    // The picture before.
    std::vector<std::uint8_t> m_previousLuma;
    std::vector<std::int8_t> m_previousBlue;
    std::vector<std::int8_t> m_previousRed;
    // Per recent frame and block: white, whitish.
    std::vector<std::uint8_t> m_flags;
    std::vector<std::uint8_t> m_onsets;
    std::vector<float> m_scores;
    std::int64_t m_leadingRepeats = 0; // frames before the first picture
    std::int64_t m_frames = 0;         // since the first picture
    std::int64_t m_scored = 0;
};

} // namespace leapmark
