#include "simulator/SimulationParameters.h"

#include "common/NumberText.h"
#include "simulator/FrameIndexPattern.h"

#include <cmath>

namespace leapmark {
namespace {

constexpr const char* cornerNames[4] = {"upper right", "lower right", "upper left", "lower left"};

std::string pointText(SurveyPoint point)
{
    return "(" + plainForm(point.xMetres) + ", " + plainForm(point.yMetres) + ")";
}

bool isFinite(SurveyPoint point)
{
    return std::isfinite(point.xMetres) && std::isfinite(point.yMetres);
}

} // namespace

std::int64_t frameCount(const SimulationParameters& parameters)
{
    const double frames = parameters.seconds * parameters.rate.framesPerSecond();
    if (!std::isfinite(frames) || frames < 0.0 || frames > 1e12)
        return 0;
    return std::llround(frames);
}

Result<ShoreCamera> checkSimulationParameters(const SimulationParameters& parameters)
{
    const PictureSize size = parameters.size;
    if (size.widthPixels < 64 || size.heightPixels < 64 || size.widthPixels > 7680 ||
        size.heightPixels > 4320 || size.widthPixels % 2 != 0 || size.heightPixels % 2 != 0)
        return Error("The picture size " + sizeText(size) +
                     " is not usable: width and height must be even, from 64x64 to 7680x4320");
    const FrameRate rate = parameters.rate;
    if (rate.numerator <= 0 || rate.denominator <= 0 || rate.framesPerSecond() > 1000.0)
        return Error("The frame rate " + frameRateText(rate) +
                     " is not usable: it must be above 0 and at most 1000");
    const std::int64_t frames = frameCount(parameters);
    if (frames < 1 || frames > frame_index_pattern::largestIndex)
        return Error("A clip of " + plainForm(parameters.seconds) + " seconds at " + frameRateText(rate) +
                     " frames per second is not usable: it must hold 1 to " +
                     std::to_string(frame_index_pattern::largestIndex) + " frames");
    if (parameters.landingFrame < 0 || parameters.landingFrame >= frames)
        return Error("The landing frame " + std::to_string(parameters.landingFrame) +
                     " is outside the clip, whose frames are 0 to " + std::to_string(frames - 1));

    for (const SurveyPoint point : parameters.buoys)
        if (!isFinite(point))
            return Error("Every buoy needs a survey position");
    if (!isFinite(parameters.ramp) || !isFinite(parameters.landing))
        return Error("The ramp and the landing need survey positions");
    const double jumpMetres = std::hypot(parameters.landing.xMetres - parameters.ramp.xMetres,
                                         parameters.landing.yMetres - parameters.ramp.yMetres);
    if (!(jumpMetres >= 5.0))
        return Error("The landing " + pointText(parameters.landing) + " must be at least 5 m from the ramp " +
                     pointText(parameters.ramp));
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (std::hypot(parameters.buoys[i].xMetres - parameters.buoys[j].xMetres,
                           parameters.buoys[i].yMetres - parameters.buoys[j].yMetres) < 1.0)
                return Error(std::string("The ") + cornerNames[i] + " and " + cornerNames[j] +
                             " buoys must be at least 1 m apart");

    auto camera = ShoreCamera::create(parameters.camera, size);
    if (!camera)
        return camera.error();
    for (int corner = 0; corner < 4; ++corner) {
        const auto pixel = camera->pixelOfSurveyPoint(parameters.buoys[corner]);
        if (!pixel || !camera->isInPicture(*pixel))
            return Error(std::string("The camera does not see the ") + cornerNames[corner] + " buoy " +
                         pointText(parameters.buoys[corner]));
    }
    // The corner numbers must match the picture, or a grid built from them would be drawn twisted.
    const auto pixelOf = [&](int corner) { return *camera->pixelOfSurveyPoint(parameters.buoys[corner]); };
    if (!(pixelOf(0).y < pixelOf(1).y && pixelOf(2).y < pixelOf(3).y && pixelOf(0).x > pixelOf(2).x &&
          pixelOf(1).x > pixelOf(3).x))
        return Error(
            "The buoys are not in corner order for this camera: upper right, lower right, upper left, "
            "lower left, upper meaning higher in the picture");
    const auto landing = camera->pixelOfSurveyPoint(parameters.landing);
    if (!landing || !camera->isInPicture(*landing))
        return Error("The camera does not see the landing " + pointText(parameters.landing));
    return camera;
}

} // namespace leapmark
