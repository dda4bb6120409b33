#include "measure/JumpNumber.h"

#include "common/LeadingNumber.h"
#include "common/NumberText.h"

namespace leapmark {

std::string nextJumpNumberText(std::string_view jumpNumberText)
{
    return signedForm(leadingNumber(jumpNumberText) + 1.0);
}

} // namespace leapmark
