#include "measure/MeasureForm.h"

#include "measure/JumpNumber.h"

namespace leapmark {

void showUnmeasuredUnits(MeasureForm& form)
{
    form.distance = "m";
    form.distance_ft = "ft";
}

void clearForNextJump(MeasureForm& form)
{
    showUnmeasuredUnits(form);
    form.Jump_no = nextJumpNumberText(form.Jump_no);
    form.option = ResultOption::JumpOK;
    form.Comment.clear();
}

} // namespace leapmark
