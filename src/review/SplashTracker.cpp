#include "review/SplashTracker.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace leapmark {
namespace {

// A block of white water: bright, and this much brighter than its usual level; whitish at this
// share of that rise.
constexpr float kWhiteLuma = 120.0F;
constexpr float kWhitening = 30.0F;
constexpr float kWhitishShare = 0.5F;
// How far (sum of both colour differences) a block may lie from the colour of white mixed into
// the water it usually shows.
constexpr float kColourTolerance = 12.0F;
constexpr double kQuietSeconds = 0.27;
constexpr double kStaySeconds = 0.13;
// The usual level follows the water over about this long. Under white it follows far slower, so a
// splash does not become the usual, and down slower too: a skier passing over bright water must
// not leave its usual dark, or the water seen again behind the skier would count as whitening.
constexpr double kUsualSeconds = 0.27;
constexpr float kUnderWhiteSlowdown = 16.0F;
constexpr float kDarkeningSlowdown = 8.0F;
// A block that turned white this often belongs to the picture, not to a splash.
constexpr int kFlickerOnsets = 3;

constexpr std::uint8_t kWhite = 1;
constexpr std::uint8_t kWhitish = 2;

int framesOf(double seconds, double framesPerSecond)
{
    const double rate = framesPerSecond > 0.0 && std::isfinite(framesPerSecond) ? framesPerSecond : 30.0;
    return std::clamp(static_cast<int>(std::lround(seconds * rate)), 1, 250);
}

} // namespace

SplashTracker::SplashTracker(double framesPerSecond)
    : m_quietFrames(framesOf(kQuietSeconds, framesPerSecond)),
      m_stayFrames(framesOf(kStaySeconds, framesPerSecond)), m_depth(m_quietFrames + m_stayFrames + 1),
      m_usualRate(1.0F / static_cast<float>(framesOf(kUsualSeconds, framesPerSecond)))
{}

void SplashTracker::add(const SampledPicture& picture)
{
    if (m_columns < 0) {
        m_columns = picture.columns;
        m_rows = picture.rows;
        m_blocks = picture.blocks();
        m_usualLuma.assign(picture.luma.begin(), picture.luma.end());
        m_usualBlue.assign(picture.blueDifference.begin(), picture.blueDifference.end());
        m_usualRed.assign(picture.redDifference.begin(), picture.redDifference.end());
        m_flags.assign(m_blocks * static_cast<std::size_t>(m_depth), 0);
        m_onsets.assign(m_blocks, 0);
    }
    if (picture.columns != m_columns || picture.rows != m_rows || picture.blocks() != m_blocks) {
        addRepeat();
        return;
    }
    classify(picture);
    advance();
}

void SplashTracker::addRepeat()
{
    if (m_frames == 0) {
        ++m_leadingRepeats;
        return;
    }
    // The same picture again: nothing turns white, what was white stays so.
    std::uint8_t* flags = m_flags.data() + slot(m_frames);
    const std::uint8_t* before = m_flags.data() + slot(m_frames - 1);
    for (std::size_t block = 0; block < m_blocks; ++block)
        flags[block] = before[block] & kWhitish;
    advance();
}

void SplashTracker::classify(const SampledPicture& picture)
{
    std::uint8_t* flags = m_flags.data() + slot(m_frames);
    const std::uint8_t* luma = picture.luma.data();
    const std::int8_t* blue = picture.blueDifference.data();
    const std::int8_t* red = picture.redDifference.data();
    float* usual = m_usualLuma.data();
    float* usualBlue = m_usualBlue.data();
    float* usualRed = m_usualRed.data();
    // Three passes, the first and last over every block without branches (so they vectorise), the
    // colour test between them only where a block brightened.
    for (std::size_t block = 0; block < m_blocks; ++block) {
        const float level = luma[block];
        const bool brightened = level >= kWhiteLuma && level - usual[block] >= kWhitishShare * kWhitening;
        flags[block] = brightened ? kWhitish : 0;
    }
    // White mixed in share a into what a block showed: its colour differences shrink by (1 - a).
    const auto whiteOver = [&](std::size_t block, float beneath, float blueBeneath, float redBeneath) {
        const float share = std::clamp((luma[block] - beneath) / (255.0F - beneath), 0.0F, 1.0F);
        return std::abs(blue[block] - (1.0F - share) * blueBeneath) +
                   std::abs(red[block] - (1.0F - share) * redBeneath) <=
               kColourTolerance;
    };
    const bool previous = m_previousLuma.size() == m_blocks;
    for (std::size_t block = 0; block < m_blocks; ++block) {
        if (flags[block] == 0 || luma[block] - usual[block] < kWhitening)
            continue;
        // Over the usual water, or over what came there a frame before: spray thrown over the skis.
        if (whiteOver(block, usual[block], usualBlue[block], usualRed[block]) ||
            (previous && luma[block] - m_previousLuma[block] >= kWhitening &&
             whiteOver(block, m_previousLuma[block], m_previousBlue[block], m_previousRed[block])))
            flags[block] |= kWhite;
    }
    m_previousLuma.assign(picture.luma.begin(), picture.luma.end());
    m_previousBlue.assign(picture.blueDifference.begin(), picture.blueDifference.end());
    m_previousRed.assign(picture.redDifference.begin(), picture.redDifference.end());
    const float rate = m_usualRate;
    const float underWhite = m_usualRate / kUnderWhiteSlowdown;
    const float darkening = m_usualRate / kDarkeningSlowdown;
    for (std::size_t block = 0; block < m_blocks; ++block) {
        const float rise = luma[block] - usual[block];
        const float step = flags[block] != 0 ? underWhite : rise < 0.0F ? darkening : rate;
        usual[block] += step * rise;
        usualBlue[block] += step * (blue[block] - usualBlue[block]);
        usualRed[block] += step * (red[block] - usualRed[block]);
    }
}

void SplashTracker::advance()
{
    ++m_frames;
    m_scores.push_back(0.0F);
    while (m_scored + m_stayFrames < m_frames)
        score(m_scored++, m_frames - 1);
}

std::vector<float> SplashTracker::finish()
{
    // The last frames are confirmed by as many frames as follow them.
    while (m_scored < m_frames)
        score(m_scored++, m_frames - 1);
    std::vector<float> scores(static_cast<std::size_t>(m_leadingRepeats), 0.0F);
    scores.insert(scores.end(), m_scores.begin(), m_scores.end());
    return scores;
}

std::size_t SplashTracker::pictureStateBytes() const
{
    return (m_usualLuma.capacity() + m_usualBlue.capacity() + m_usualRed.capacity()) * sizeof(float) +
           m_previousLuma.capacity() + m_previousBlue.capacity() + m_previousRed.capacity() +
           m_flags.capacity() + m_onsets.capacity();
}

void SplashTracker::score(std::int64_t frame, std::int64_t lastFrame)
{
    if (frame == 0)
        return; // nothing before it to whiten against
    const std::int64_t firstQuiet = std::max<std::int64_t>(0, frame - m_quietFrames);
    const std::int64_t lastStay = std::min<std::int64_t>(lastFrame, frame + m_stayFrames);
    const std::uint8_t* now = m_flags.data() + slot(frame);
    float total = 0.0F;
    for (std::size_t block = 0; block < m_blocks; ++block) {
        if (!(now[block] & kWhite))
            continue;
        bool quiet = true;
        for (std::int64_t past = firstQuiet; past < frame && quiet; ++past)
            quiet = !(m_flags[slot(past) + block] & kWhite);
        if (!quiet)
            continue;
        bool stays = true;
        for (std::int64_t later = frame + 1; later <= lastStay && stays; ++later)
            stays = (m_flags[slot(later) + block] & kWhitish) != 0;
        if (!stays)
            continue;
        if (m_onsets[block] < 255)
            ++m_onsets[block];
        if (m_onsets[block] <= kFlickerOnsets)
            total += 1.0F;
    }
    m_scores[static_cast<std::size_t>(frame)] = total;
}

} // namespace leapmark
