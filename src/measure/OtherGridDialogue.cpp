#include "measure/OtherGridDialogue.h"

#include "common/LeadingNumber.h"

namespace leapmark {
namespace {

constexpr double kFeetPerMetre = 3.2808;
constexpr double kAllowedFeet = 2.0;
constexpr const char* kInputTitle = "Other Grid Measurement";

std::string entry(Prompts& prompts, const char* question)
{
    return prompts.input({question, kInputTitle, {}, std::nullopt}).value_or(std::string());
}

} // namespace

bool otherGridEntriesAgree(double metres, double feet)
{
    const double expected = metres * kFeetPerMetre;
    return !(expected + kAllowedFeet < feet || expected - kAllowedFeet > feet);
}

void runOtherGridDialogue(MeasureForm& form, ExchangeTexts& exchange, Prompts& prompts)
{
    for (;;) {
        const MessageAnswer answer =
            prompts.message({"Is there a distance to be recorded in the other grid?", "Message",
                             MessageButtons::YesNo, MessageIcon::None, DefaultButton::First});
        if (answer != MessageAnswer::Yes) {
            form.Comment = "Other Grid - no distance recorded";
            form.distance.clear();
            form.distance_ft.clear();
            // Entries refused on an earlier round must not reach the scoring program.
            exchange = {};
            return;
        }
        form.distance = entry(prompts, "Enter distance in meters from other screen");
        form.distance_ft = " " + entry(prompts, "Enter distance in feet from other screen");
        exchange = {form.distance, form.distance_ft};
        form.distance += "m";
        form.distance_ft += "ft";
        if (otherGridEntriesAgree(leadingNumber(form.distance), leadingNumber(form.distance_ft)))
            return;
        prompts.tell("The meter distance and the foot distance you entered did not match, please enter them "
                     "again");
    }
}

} // namespace leapmark
