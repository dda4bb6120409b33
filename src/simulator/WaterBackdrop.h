#pragma once

#include "simulator/ShoreCamera.h"
#include "video/YuvPicture.h"

#include <array>
#include <cstdint>
#include <vector>

namespace leapmark {

/**
 * The part of the simulated picture that is the same in every frame, plus the moving waves: sky,
 * a tree-lined far shore, and water whose colour follows the reflected sky (strong at grazing
 * angles, weak close to the camera) with a mild mottled texture. Static objects (ramp, buoys) are
 * drawn into the still picture once; their pixels are then sheltered from the waves.
 *
 * Waves are a few deep-water wave trains moving at their own speeds, added to the water's
 * brightness each frame. Their phases are prepared per pixel at construction, so a frame costs a
 * handful of integer operations per pixel, and trains too fine for a row's ground footprint are
 * faded out there, so the distant water does not shimmer with aliasing.
 */
class WaterBackdrop
{
public:
    WaterBackdrop(const ShoreCamera& camera, std::uint64_t seed);

    /** The still picture, for drawing static objects into. */
    [[nodiscard]] YuvPicture& stillPicture() { return m_still; }
    [[nodiscard]] const YuvPicture& stillPicture() const { return m_still; }

    /** Weakens the waves under whatever covers the water (coverage 0..255 per pixel). */
    void shelter(const std::vector<std::uint8_t>& coverage);

    /** The still picture with the waves at a moment of the clip; the picture must be of the same size. */
    void render(double seconds, YuvPicture& picture) const;

private:
    static constexpr int waveCount = 4;

    struct WaveTrain
    {
        double wavelengthMetres;
        double directionRadians;
        double amplitude;   ///< luma code values
        double phaseOffset; ///< turns
        double turnsPerSecond;
    };

    void buildStill(const ShoreCamera& camera, std::uint64_t seed);

    YuvPicture m_still;
    std::array<WaveTrain, waveCount> m_trains{};
    /** Per pixel and train: the train's phase there, in 1/65536 turns. */
    std::array<std::vector<std::uint16_t>, waveCount> m_phase;
    /** Per pixel: how strongly waves show (0..255). */
    std::vector<std::uint8_t> m_gain;
    /** Per row and train: amplitude x 16, faded where the train is finer than the row's footprint. */
    std::vector<std::array<std::int32_t, waveCount>> m_rowAmplitude;
    int m_firstWaterRow = 0;
};

} // namespace leapmark
