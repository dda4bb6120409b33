#pragma once

#include "common/Prompts.h"
#include "measure/MeasureForm.h"

#include <string>

namespace leapmark {

/** True when feet lie within 2 ft of metres x 3.2808, the bounds included. */
[[nodiscard]] bool otherGridEntriesAgree(double metres, double feet);

/** The two middle fields of the scoring program's "OK, " line, as the dialogue left them. */
struct ExchangeTexts
{
    std::string metres;
    std::string feet;

    friend bool operator==(const ExchangeTexts&, const ExchangeTexts&) = default;
};

/**
 * The Other Grid questions, asked again from the start while the metres and feet entered disagree.
 * Yes: the metres and feet boxes take the entries ("m" and " " ... "ft" around them) and the
 * exchange texts the entries as typed. No: the comment reads "Other Grid - no distance recorded",
 * the boxes and the exchange texts are emptied (so entries refused on an earlier round go nowhere). A
 * cancelled input box is an empty entry, as the operator's program reads it.
 */
void runOtherGridDialogue(MeasureForm& form, ExchangeTexts& exchange, Prompts& prompts);

} // namespace leapmark
