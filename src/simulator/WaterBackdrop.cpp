#include "simulator/WaterBackdrop.h"

#include "simulator/SceneRandom.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace leapmark {
namespace {

constexpr double pi = std::numbers::pi;
/** The far shore, measured from the camera along its horizontal viewing direction. */
constexpr double shoreDistanceMetres = 350.0;
constexpr double shoreStripMetres = 1.2;

struct Rgb
{
    double red;
    double green;
    double blue;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t, a.blue + (b.blue - a.blue) * t};
}

Rgb brighter(Rgb colour, double by)
{
    return {colour.red + by, colour.green + by, colour.blue + by};
}

Rgb scaled(Rgb colour, double factor)
{
    return {colour.red * factor, colour.green * factor, colour.blue * factor};
}

RgbColour codeValues(Rgb colour)
{
    return {static_cast<int>(std::lround(colour.red)), static_cast<int>(std::lround(colour.green)),
            static_cast<int>(std::lround(colour.blue))};
}

/** Clear-day sky: pale at the horizon, deeper blue higher up. */
Rgb skyAt(double elevationRadians)
{
    const Rgb horizon{194.0, 210.0, 224.0};
    const Rgb high{82.0, 136.0, 204.0};
    return mix(horizon, high, std::pow(std::clamp(elevationRadians / (30.0 * pi / 180.0), 0.0, 1.0), 0.7));
}

double smoothStep(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

/** Smooth value noise in [-1, 1] over square cells of the given size. */
double valueNoise(double x, double y, double cellMetres, std::uint64_t seed)
{
    const double gx = x / cellMetres;
    const double gy = y / cellMetres;
    const double fx = std::floor(gx);
    const double fy = std::floor(gy);
    const auto i = static_cast<std::int64_t>(fx);
    const auto j = static_cast<std::int64_t>(fy);
    const double sx = smoothStep(gx - fx);
    const double sy = smoothStep(gy - fy);
    const double top =
        latticeNoise(i, j, seed) + (latticeNoise(i + 1, j, seed) - latticeNoise(i, j, seed)) * sx;
    const double bottom =
        latticeNoise(i, j + 1, seed) + (latticeNoise(i + 1, j + 1, seed) - latticeNoise(i, j + 1, seed)) * sx;
    return 2.0 * (top + (bottom - top) * sy) - 1.0;
}

/** How much of a pattern of this wavelength survives a ground footprint: 1 at four footprints or more. */
double detailWeight(double wavelengthMetres, double footprintMetres)
{
    return std::clamp(wavelengthMetres / (2.0 * footprintMetres) - 1.0, 0.0, 1.0);
}

std::uint16_t turnsToPhase(double turns)
{
    const double fraction = turns - std::floor(turns);
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(fraction * 65536.0) & 0xFFFFu);
}

/** A sine of a phase in 1/65536 turns, times 256, by the parabola 4x(1 - |x|): smooth enough for
 *  water and a few integer operations. */
inline std::int32_t parabolicSine(std::uint16_t phase)
{
    const std::int32_t q = static_cast<std::int16_t>(phase);
    return (q * (32768 - std::abs(q))) >> 20;
}

/** One row of water: still luma plus the four trains, weighted by the pixel's gain. Written with
 *  plain integer steps and unaliased pointers so that the compiler turns it into vector code. */
void addWaveRow(int width, const std::array<std::int32_t, 4>& amplitude,
                const std::array<std::uint16_t, 4>& offsets, const std::uint16_t* __restrict phase0,
                const std::uint16_t* __restrict phase1, const std::uint16_t* __restrict phase2,
                const std::uint16_t* __restrict phase3, const std::uint8_t* __restrict gain,
                const std::uint8_t* __restrict still, std::uint8_t* __restrict out)
{
    const std::int32_t a0 = amplitude[0], a1 = amplitude[1], a2 = amplitude[2], a3 = amplitude[3];
    const std::uint16_t o0 = offsets[0], o1 = offsets[1], o2 = offsets[2], o3 = offsets[3];
    for (int x = 0; x < width; ++x) {
        const std::int32_t wave = a0 * parabolicSine(static_cast<std::uint16_t>(phase0[x] + o0)) +
                                  a1 * parabolicSine(static_cast<std::uint16_t>(phase1[x] + o1)) +
                                  a2 * parabolicSine(static_cast<std::uint16_t>(phase2[x] + o2)) +
                                  a3 * parabolicSine(static_cast<std::uint16_t>(phase3[x] + o3));
        std::int32_t value = still[x] + ((gain[x] * wave) >> 20);
        value = value < 0 ? 0 : value;
        value = value > 255 ? 255 : value;
        out[x] = static_cast<std::uint8_t>(value);
    }
}

} // namespace

WaterBackdrop::WaterBackdrop(const ShoreCamera& camera, std::uint64_t seed)
    : m_still(camera.pictureSize(), ColourRange::Full)
{
    SceneRandom random(seed ^ 0x57A7E2B4C0FFEE11ull);
    const double wind = random.uniform(0.0, 2.0 * pi);
    const double wavelengths[waveCount] = {5.5, 2.7, 1.25, 0.6};
    const double amplitudes[waveCount] = {6.0, 5.0, 4.5, 3.5};
    for (int i = 0; i < waveCount; ++i) {
        WaveTrain& train = m_trains[i];
        train.wavelengthMetres = wavelengths[i] * random.uniform(0.85, 1.15);
        train.directionRadians = wind + random.uniform(-1.0, 1.0);
        train.amplitude = amplitudes[i];
        train.phaseOffset = random.uniform(0.0, 1.0);
        // Deep water: c = sqrt(g lambda / 2 pi), so the phase turns at c / lambda per second.
        train.turnsPerSecond = std::sqrt(9.81 / (2.0 * pi * train.wavelengthMetres));
    }
    buildStill(camera, seed);
}

void WaterBackdrop::buildStill(const ShoreCamera& camera, std::uint64_t seed)
{
    const int width = m_still.width();
    const int height = m_still.height();
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    for (auto& phase : m_phase)
        phase.assign(pixels, 0);
    m_gain.assign(pixels, 0);
    m_rowAmplitude.assign(static_cast<std::size_t>(height), {});
    m_firstWaterRow = height;

    const Vector3 centre = camera.position();
    const CameraPlacement& placement = camera.placement();
    const Vector3 ahead = normalized(Vector3{placement.aim.xMetres - placement.position.xMetres,
                                             placement.aim.yMetres - placement.position.yMetres, 0.0});
    const Vector3 along{-ahead.y, ahead.x, 0.0};
    const Rgb deepWater{24.0, 66.0, 82.0};
    const Rgb trees{36.0, 64.0, 40.0};
    const Rgb strip{150.0, 142.0, 112.0};
    const std::uint64_t textureSeed = seed ^ 0x7E47u;
    const std::uint64_t shoreSeed = seed ^ 0x540Eu;

    // Each train's phase gradient over the water, in turns per metre.
    std::array<Vector3, waveCount> turnsPerMetre{};
    for (int i = 0; i < waveCount; ++i)
        turnsPerMetre[i] = {std::cos(m_trains[i].directionRadians) / m_trains[i].wavelengthMetres,
                            std::sin(m_trains[i].directionRadians) / m_trains[i].wavelengthMetres, 0.0};

    std::vector<int> chromaU(static_cast<std::size_t>(width / 2));
    std::vector<int> chromaV(chromaU.size());
    for (int y = 0; y < height; ++y) {
        // Ground metres per pixel row here, for fading detail that the pixels cannot hold.
        const double middle = (width - 1) / 2.0;
        const auto here = camera.surveyPointOfPixel({middle, static_cast<double>(y)});
        const auto below = camera.surveyPointOfPixel({middle, y + 1.0});
        double footprint = std::numeric_limits<double>::infinity();
        if (here && below)
            footprint = std::hypot(below->xMetres - here->xMetres, below->yMetres - here->yMetres);
        for (int i = 0; i < waveCount; ++i)
            m_rowAmplitude[y][i] = static_cast<std::int32_t>(std::lround(
                16.0 * m_trains[i].amplitude * detailWeight(m_trains[i].wavelengthMetres, footprint)));
        const double fineWeight = detailWeight(1.5, footprint);

        if (y % 2 == 0) {
            std::fill(chromaU.begin(), chromaU.end(), 0);
            std::fill(chromaV.begin(), chromaV.end(), 0);
        }
        std::uint8_t* lumaRow = m_still.lumaRow(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t index = static_cast<std::size_t>(y) * width + x;
            const Vector3 ray = camera.rayThrough({static_cast<double>(x), static_cast<double>(y)});
            const double rayLength = length(ray);
            Rgb colour{};
            bool water = false;
            if (ray.z < 0.0) {
                const Vector3 hit = centre + (-centre.z / ray.z) * ray;
                if (dot(hit - centre, ahead) < shoreDistanceMetres) {
                    water = true;
                    const double sinDepression = -ray.z / rayLength;
                    const double grazing = 1.0 - sinDepression;
                    const double reflectance = 0.02 + 0.98 * grazing * grazing * grazing * grazing * grazing;
                    colour = mix(deepWater, skyAt(std::asin(sinDepression)), reflectance);
                    const double mottle = 5.0 * valueNoise(hit.x, hit.y, 6.0, textureSeed) +
                                          3.0 * fineWeight * valueNoise(hit.x, hit.y, 1.5, textureSeed + 1);
                    colour = brighter(colour, mottle);
                    m_gain[index] = static_cast<std::uint8_t>(
                        std::lround(255.0 * std::clamp(0.6 + 0.6 * reflectance, 0.0, 1.0)));
                    for (int i = 0; i < waveCount; ++i)
                        m_phase[i][index] =
                            turnsToPhase(hit.x * turnsPerMetre[i].x + hit.y * turnsPerMetre[i].y +
                                         m_trains[i].phaseOffset);
                    m_firstWaterRow = std::min(m_firstWaterRow, y);
                }
            }
            if (!water) {
                const double forward = dot(ray, ahead);
                double shoreHeight = std::numeric_limits<double>::infinity();
                double lateral = 0.0;
                if (forward > 0.0) {
                    const double reach = shoreDistanceMetres / forward;
                    shoreHeight = centre.z + reach * ray.z;
                    lateral = dot(centre + reach * ray, along);
                }
                const double treeLine = 8.0 + 4.0 * valueNoise(lateral, 0.0, 25.0, shoreSeed) +
                                        2.0 * valueNoise(lateral, 0.0, 4.0, shoreSeed + 1);
                if (shoreHeight < shoreStripMetres)
                    colour = brighter(strip, 10.0 * valueNoise(lateral, shoreHeight, 2.0, shoreSeed + 2));
                else if (shoreHeight < treeLine)
                    colour = scaled(trees, 1.0 + 0.3 * valueNoise(lateral, shoreHeight, 2.5, shoreSeed + 3));
                else
                    colour = skyAt(std::asin(std::clamp(ray.z / rayLength, -1.0, 1.0)));
            }
            const YuvColour code = toYuv(codeValues(colour), ColourRange::Full);
            lumaRow[x] = code.y;
            chromaU[x / 2] += code.u;
            chromaV[x / 2] += code.v;
        }
        if (y % 2 == 1) {
            for (int cx = 0; cx < width / 2; ++cx) {
                m_still.uRow(y / 2)[cx] = static_cast<std::uint8_t>((chromaU[cx] + 2) / 4);
                m_still.vRow(y / 2)[cx] = static_cast<std::uint8_t>((chromaV[cx] + 2) / 4);
            }
        }
    }
}

void WaterBackdrop::shelter(const std::vector<std::uint8_t>& coverage)
{
    const std::size_t count = std::min(coverage.size(), m_gain.size());
    for (std::size_t i = 0; i < count; ++i)
        m_gain[i] = static_cast<std::uint8_t>(m_gain[i] * (255 - coverage[i]) / 255);
}

void WaterBackdrop::render(double seconds, YuvPicture& picture) const
{
    picture = m_still;
    std::array<std::uint16_t, waveCount> offsets{};
    for (int i = 0; i < waveCount; ++i)
        offsets[i] = turnsToPhase(-m_trains[i].turnsPerSecond * seconds);

    const int width = picture.width();
    for (int y = m_firstWaterRow; y < picture.height(); ++y) {
        const auto& amplitude = m_rowAmplitude[y];
        if (amplitude[0] == 0 && amplitude[1] == 0 && amplitude[2] == 0 && amplitude[3] == 0)
            continue;
        const std::size_t start = static_cast<std::size_t>(y) * width;
        addWaveRow(width, amplitude, offsets, m_phase[0].data() + start, m_phase[1].data() + start,
                   m_phase[2].data() + start, m_phase[3].data() + start, m_gain.data() + start,
                   m_still.lumaRow(y), picture.lumaRow(y));
    }
}

} // namespace leapmark
