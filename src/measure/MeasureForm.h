#pragma once

#include "measure/JumpRecord.h"
#include "measure/MeasuredJump.h"

#include <string>

namespace leapmark {

/** The result options of the measurement screen: one group, at most one selected. */
enum class ResultOption {
    None, ///< every option deselected (recording a Pass or Fall on a live picture leaves the group so)
    JumpOK,
    Pass,
    Fall,
    OptionalReride,
    MandatoryReride,
    OtherGrid,
    Comment,
};

/**
 * The texts and options of the measurement screen that recording and the option handlers read and
 * write, named after their controls. The screen hands its controls' state in and shows what comes
 * back; a step that fails hands back nothing, so the screen stays as the operator left it.
 */
struct MeasureForm
{
    std::string Skier_name;
    std::string Jump_no = "Jump";
    std::string distance = "M";
    std::string distance_ft = "FT";
    std::string Comment = "Comment";
    bool commentVisible = true;
    ResultOption option = ResultOption::JumpOK;
    /** The `verify` caption reads "Verify off". */
    VerifyMode verify = VerifyMode::Off;
    /** Tenths while the tournament indicator (`barefoot_indicator`) is shown. */
    FeetPrecision feetPrecision = FeetPrecision::WholeFeet;

    friend bool operator==(const MeasureForm&, const MeasureForm&) = default;
};

/** True for the two options that record no measurement. */
[[nodiscard]] constexpr bool isPassOrFall(ResultOption option)
{
    return option == ResultOption::Pass || option == ResultOption::Fall;
}

/** A fresh landing mark: the distance boxes show their units until the jump is recorded. */
void showUnmeasuredUnits(MeasureForm& form);

/** "Clear": units in the distance boxes, the next jump number, "Jump OK" and no comment. */
void clearForNextJump(MeasureForm& form);

} // namespace leapmark
