#include "simulator/GroundTruth.h"

#include "common/NumberText.h"

#include <cmath>

namespace leapmark {
namespace {

constexpr const char* buoyNames[4] = {"buoy_1_upper_right", "buoy_2_lower_right", "buoy_3_upper_left",
                                      "buoy_4_lower_left"};

std::string numbers(std::initializer_list<double> values)
{
    std::string text;
    for (const double value : values) {
        if (!text.empty())
            text += ' ';
        text += plainForm(value);
    }
    return text;
}

std::string fact(const std::string& name, const std::string& value)
{
    return name + ": " + value + "\n";
}

std::string pixelText(PixelPoint pixel)
{
    return numbers({pixel.x, pixel.y});
}

std::string surveyText(SurveyPoint point)
{
    return numbers({point.xMetres, point.yMetres});
}

} // namespace

Result<GroundTruth> computeGroundTruth(const SimulationParameters& parameters)
{
    auto camera = checkSimulationParameters(parameters);
    if (!camera)
        return camera.error();
    GroundTruth truth;
    truth.parameters = parameters;
    truth.frameCount = frameCount(parameters);
    truth.focalLengthPixels = camera->focalLengthPixels();
    for (int corner = 0; corner < 4; ++corner)
        truth.buoyPixels[corner] = *camera->pixelOfSurveyPoint(parameters.buoys[corner]);
    truth.rampPixel = camera->pixelOfSurveyPoint(parameters.ramp);
    truth.landingPixel = *camera->pixelOfSurveyPoint(parameters.landing);
    truth.screenToSurveyCoefficients = camera->screenToSurveyCoefficients();
    // Worked as the measuring program works it: each square as a power, then the allowance.
    const double apart = std::sqrt(std::pow(parameters.ramp.xMetres - parameters.landing.xMetres, 2) +
                                   std::pow(parameters.ramp.yMetres - parameters.landing.yMetres, 2));
    truth.distanceMetres = apart + normalRampAllowanceMetres;
    return truth;
}

std::string groundTruthText(const GroundTruth& truth)
{
    const SimulationParameters& p = truth.parameters;
    std::string text =
        "# Leapmark simulated jump: ground truth. Pixels count from the centre of the top-left "
        "pixel; screen twips = pixels x 15.\n";
    text += fact("picture_size_pixels",
                 std::to_string(p.size.widthPixels) + " " + std::to_string(p.size.heightPixels));
    text += fact("frame_rate_fps", frameRateText(p.rate));
    text += fact("frame_count", std::to_string(truth.frameCount));
    text += fact("landing_frame", std::to_string(p.landingFrame));
    text += fact("landing_time_seconds", plainForm(p.rate.secondsAtFrame(p.landingFrame)));
    text += fact("seed", std::to_string(p.seed));
    text += fact("camera_position_metres",
                 numbers({p.camera.position.xMetres, p.camera.position.yMetres, p.camera.heightMetres}));
    text += fact("camera_aim_metres", numbers({p.camera.aim.xMetres, p.camera.aim.yMetres, 0.0}));
    text += fact("horizontal_field_of_view_degrees", plainForm(p.camera.horizontalFieldOfViewDegrees));
    text += fact("focal_length_pixels", plainForm(truth.focalLengthPixels));
    for (int corner = 0; corner < 4; ++corner) {
        text += fact(std::string(buoyNames[corner]) + "_survey_metres", surveyText(p.buoys[corner]));
        text += fact(std::string(buoyNames[corner]) + "_pixels", pixelText(truth.buoyPixels[corner]));
    }
    text += fact("ramp_survey_metres", surveyText(p.ramp));
    text += fact("ramp_pixels", truth.rampPixel ? pixelText(*truth.rampPixel) : "none");
    text += fact("landing_survey_metres", surveyText(p.landing));
    text += fact("landing_pixels", pixelText(truth.landingPixel));
    text += fact("distance_metres", plainForm(truth.distanceMetres));
    return text;
}

} // namespace leapmark
