#include "SimulatedLanding.h"

#include "simulator/JumpSceneRenderer.h"
#include "simulator/SimulatedGrid.h"
#include "simulator/SimulatedGridFile.h"

#include <algorithm>
#include <cmath>

namespace leapmark::testing {
namespace {

int clampByte(double v)
{
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

/** Full-range BT.601 YUV 4:2:0 to RGB, as a decoder of the camera's Motion-JPEG would give it. */
QImage rgbOf(const YuvPicture& yuv)
{
    QImage rgb(yuv.width(), yuv.height(), QImage::Format_RGB888);
    for (int y = 0; y < yuv.height(); ++y) {
        uchar* line = rgb.scanLine(y);
        for (int x = 0; x < yuv.width(); ++x) {
            const YuvColour c = yuv.at(x, y);
            const double u = c.u - 128.0;
            const double v = c.v - 128.0;
            line[3 * x] = static_cast<uchar>(clampByte(c.y + 1.402 * v));
            line[3 * x + 1] = static_cast<uchar>(clampByte(c.y - 0.344136 * u - 0.714136 * v));
            line[3 * x + 2] = static_cast<uchar>(clampByte(c.y + 1.772 * u));
        }
    }
    return rgb;
}

} // namespace

Result<SimulatedLanding> simulateLanding(const SimulationParameters& parameters,
                                         const std::filesystem::path& gridFile)
{
    auto truth = computeGroundTruth(parameters);
    if (!truth)
        return truth.error();
    auto renderer = JumpSceneRenderer::create(parameters);
    if (!renderer)
        return renderer.error();
    if (auto written = writeSimulatedGridFile(gridFile, simulatedGrid(*truth)); !written)
        return written.error();
    return SimulatedLanding{*truth, rgbOf(renderer->render(parameters.landingFrame))};
}

} // namespace leapmark::testing
