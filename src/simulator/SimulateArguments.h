#pragma once

#include "common/Result.h"
#include "simulator/SimulationParameters.h"

#include <filesystem>
#include <string>
#include <vector>

namespace leapmark {

/** What "leapmark-cli simulate" was asked to do. */
struct SimulateRequest
{
    std::filesystem::path outFolder;
    SimulationParameters parameters;
};

/**
 * Reads the options that follow "simulate":
 *   --out DIR  [--size WxH] [--fps F] [--seconds S] [--landing X Y] [--landing-frame N] [--seed K]
 *              [--camera X Y HEIGHT] [--aim X Y] [--fov DEGREES]   (survey metres, degrees)
 * --out is required; the rest default to SimulationParameters, except that without --landing-frame
 * the landing comes 60 % of the way into the clip (frame 90 of the default 150). The values are
 * only read here; whether they make a usable clip is checkSimulationParameters' business.
 */
[[nodiscard]] Result<SimulateRequest> parseSimulateArguments(const std::vector<std::string>& arguments);

/** The usage line of the simulate command. */
[[nodiscard]] std::string simulateUsage();

} // namespace leapmark
