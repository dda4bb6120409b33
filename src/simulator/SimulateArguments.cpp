#include "simulator/SimulateArguments.h"

#include "common/PathText.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <type_traits>

namespace leapmark {
namespace {

template <typename Number>
std::optional<Number> numberText(const std::string& text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end)
        return std::nullopt;
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    return value;
}

Error badValue(const std::string& option, const std::string& value, const std::string& expected)
{
    return Error("simulate: " + option + " \"" + value + "\" is not " + expected + "\n" + simulateUsage());
}

} // namespace

std::string simulateUsage()
{
    return "usage: leapmark-cli simulate --out DIR [--size WxH] [--fps F] [--seconds S] [--landing X Y] "
           "[--landing-frame N] [--seed K] [--camera X Y HEIGHT] [--aim X Y] [--fov DEGREES]";
}

Result<SimulateRequest> parseSimulateArguments(const std::vector<std::string>& arguments)
{
    SimulateRequest request;
    SimulationParameters& parameters = request.parameters;
    bool outGiven = false;
    bool landingFrameGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const auto valueCount = option == "--camera"                         ? 3u
                                : option == "--landing" || option == "--aim" ? 2u
                                                                             : 1u;
        if (option != "--out" && option != "--size" && option != "--fps" && option != "--seconds" &&
            option != "--landing" && option != "--landing-frame" && option != "--seed" &&
            option != "--camera" && option != "--aim" && option != "--fov")
            return Error("simulate: unknown option \"" + option + "\"\n" + simulateUsage());
        if (i + valueCount >= arguments.size())
            return Error("simulate: " + option + " needs " +
                         (valueCount == 3   ? "three values"
                          : valueCount == 2 ? "two values"
                                            : "a value") +
                         "\n" + simulateUsage());
        if (option == "--camera" || option == "--aim") {
            std::vector<double> values;
            std::string given;
            for (std::size_t k = 1; k <= valueCount; ++k) {
                given += (k > 1 ? " " : "") + arguments[i + k];
                if (const auto value = numberText<double>(arguments[i + k]))
                    values.push_back(*value);
            }
            i += valueCount;
            if (values.size() != valueCount)
                return badValue(option, given,
                                option == "--camera" ? "survey x, y and the height in metres"
                                                     : "two survey coordinates in metres");
            if (option == "--camera") {
                parameters.camera.position = {values[0], values[1]};
                parameters.camera.heightMetres = values[2];
            } else {
                parameters.camera.aim = {values[0], values[1]};
            }
            continue;
        }
        const std::string& value = arguments[++i];
        if (option == "--out") {
            if (value.empty())
                return badValue(option, value, "a folder");
            request.outFolder = toPath(value);
            outGiven = true;
        } else if (option == "--size") {
            const auto size = parsePictureSize(value);
            if (!size)
                return badValue(option, value, "a size such as 1280x720");
            parameters.size = *size;
        } else if (option == "--fps") {
            const auto rate = parseFrameRate(value);
            if (!rate)
                return badValue(option, value, "a frame rate such as 30, 25 or 30000/1001");
            parameters.rate = *rate;
        } else if (option == "--seconds") {
            const auto seconds = numberText<double>(value);
            if (!seconds || !(*seconds > 0.0))
                return badValue(option, value, "a positive number of seconds");
            parameters.seconds = *seconds;
        } else if (option == "--landing") {
            const std::string& other = arguments[++i];
            const auto x = numberText<double>(value);
            const auto y = numberText<double>(other);
            if (!x || !y)
                return badValue(option, value + " " + other, "two survey coordinates in metres");
            parameters.landing = {*x, *y};
        } else if (option == "--fov") {
            const auto degrees = numberText<double>(value);
            if (!degrees || !(*degrees > 0.0))
                return badValue(option, value, "a horizontal field of view in degrees");
            parameters.camera.horizontalFieldOfViewDegrees = *degrees;
        } else if (option == "--landing-frame") {
            const auto frame = numberText<std::int64_t>(value);
            if (!frame || *frame < 0)
                return badValue(option, value, "a frame number (0 is the first frame)");
            parameters.landingFrame = *frame;
            landingFrameGiven = true;
        } else {
            const auto seed = numberText<std::uint64_t>(value);
            if (!seed)
                return badValue(option, value, "a whole number");
            parameters.seed = *seed;
        }
    }
    if (!outGiven)
        return Error("simulate: --out DIR is required\n" + simulateUsage());
    if (!landingFrameGiven)
        parameters.landingFrame = frameCount(parameters) * 3 / 5;
    return request;
}

} // namespace leapmark
