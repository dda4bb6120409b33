#include "measure/JumpRecord.h"

#include "common/DateTimeText.h"
#include "common/NumberText.h"
#include "common/RecordFile.h"
#include "common/Rounding.h"

#include <cmath>

namespace leapmark {
namespace {

constexpr int kSurveyPlaces = 3;

std::string bracketedPair(const std::string& first, const std::string& second)
{
    return " (" + first + "/" + second + ")";
}

} // namespace

std::string impactTail(const ImpactState& impact)
{
    std::string tail = bracketedPair(signedForm(roundToPlaces(impact.survey_x, kSurveyPlaces)),
                                     signedForm(roundToPlaces(impact.survey_y, kSurveyPlaces)));
    tail += bracketedPair(signedForm(std::floor(impact.screen_x)), signedForm(std::floor(impact.screen_y)));
    tail += " (" + impact.raw_distance_text + ")";
    return tail;
}

std::string jumpRecord(const JumpRecordFields& fields)
{
    std::string line = dateText(fields.moment) + " " + timeText(fields.moment) + " ";
    line += fields.skierName + "  jump " + fields.jumpNumberText + " - ";
    line += fields.metresText + "  (IWSF)";
    line += fields.feetText + "  (AWSA)";
    if (fields.barefoot == BarefootTournament::Yes)
        line += " BAREFOOT ";
    if (fields.verify == VerifyMode::On)
        line += " UNOFFICIAL JUMP - verify mode ";
    line += fields.comment;
    if (fields.tail)
        line += impactTail(*fields.tail);
    return crlfLine(line);
}

} // namespace leapmark
