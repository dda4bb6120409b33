#pragma once

#include "common/Clock.h"

#include <optional>
#include <string>

namespace leapmark {

/** Whether the tournament is a barefoot one: its records carry a marker and its feet go to the tenth. */
enum class BarefootTournament { No, Yes };

/** Verify mode marks every jump recorded while it is on as unofficial. */
enum class VerifyMode { Off, On };

/**
 * The impact state a jump record's tail repeats: the transform registers and the raw distance of
 * the last marking or measurement. Its start values (zeros and an empty raw distance) are what a
 * record written before any marking carries.
 */
struct ImpactState
{
    double survey_x = 0.0; ///< metres
    double survey_y = 0.0; ///< metres
    double screen_x = 0.0; ///< twips
    double screen_y = 0.0; ///< twips
    std::string raw_distance_text;
};

/** Everything one jump line of the results file is made of, as the measuring screen holds it. */
struct JumpRecordFields
{
    LocalDateTime moment;
    std::string skierName;      ///< the text of `Skier_name`, commas and all
    std::string jumpNumberText; ///< the text of `Jump_no` before it advances, e.g. "1" or " 4"
    std::string metresText;     ///< the text of `distance`, e.g. " 45.1m", "40m" or empty
    std::string feetText;       ///< the text of `distance_ft`, e.g. " 148ft" or empty
    BarefootTournament barefoot = BarefootTournament::No;
    VerifyMode verify = VerifyMode::Off;
    std::string comment; ///< the text of `Comment`, possibly empty
    /** The three bracketed groups; none for a jump measured on another grid. */
    std::optional<ImpactState> tail;
};

/**
 * The tail of a jump line: " (" survey x "/" survey y ")", " (" screen x "/" screen y ")" and
 * " (" raw distance text ")". Survey positions are rounded to 3 decimals, screen positions cut to
 * their whole part, every number in signed form.
 */
[[nodiscard]] std::string impactTail(const ImpactState& impact);

/** One jump line of the results file, CR LF included. */
[[nodiscard]] std::string jumpRecord(const JumpRecordFields& fields);

} // namespace leapmark
