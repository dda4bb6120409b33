#include "measure/ResultOptions.h"

#include "measure/JumpNumber.h"

namespace leapmark {
namespace {

Result<void> appendOrRestore(MeasureForm& form, const MeasureForm& before, const ResultsFile& results,
                             const std::string& record, Prompts& prompts)
{
    auto written = results.append(record);
    if (!written) {
        prompts.tell("Nothing was recorded. " + written.error().text(), MessageIcon::Critical);
        form.Comment = before.Comment;
        form.option = ResultOption::None;
    }
    return written;
}

} // namespace

void Pass_Click(MeasureForm& form)
{
    form.Comment = "Pass";
}

void Fall_Click(MeasureForm& form)
{
    form.Comment = "Fall";
}

void Other_Grid_Click(MeasureForm& form)
{
    form.Comment = "Distance from other grid";
}

Result<void> recordReride(MeasureForm& form, RerideKind kind, PictureState picture,
                          const ResultsFile& results, const Clock& clock, Prompts& prompts)
{
    const MeasureForm before = form;
    form.Comment = std::string(rerideText(kind));
    if (auto written = appendOrRestore(form, before, results, rerideRecord(clock.now(), kind), prompts);
        !written)
        return written;
    form.Comment.clear();
    if (picture == PictureState::Live)
        form.option = ResultOption::None;
    if (kind == RerideKind::Mandatory) {
        form.distance.clear();
        form.distance_ft.clear();
    }
    return success();
}

Result<void> recordComment(MeasureForm& form, const ResultsFile& results, const Clock& clock,
                           Prompts& prompts)
{
    const MeasureForm before = form;
    form.Comment = prompts.input({"What comment would you like to add?", "Input Comment", {}, std::nullopt})
                       .value_or("");
    if (auto written =
            appendOrRestore(form, before, results, commentRecord(clock.now(), form.Comment), prompts);
        !written)
        return written;
    form.Comment.clear();
    form.option = ResultOption::None;
    return success();
}

void skierNameChanged(MeasureForm& form)
{
    form.Jump_no = std::string(kFirstJumpNumberText);
    form.distance.clear();
    form.distance_ft.clear();
}

Result<void> fetchSkierName(MeasureForm& form, const ExchangeFolder& exchange, Prompts& prompts)
{
    auto name = exchange.readSkierName();
    if (!name) {
        prompts.tell("Error while reading WSTIMS name file: " + name.error().text());
        return name.error();
    }
    form.Skier_name = *name;
    skierNameChanged(form);
    return success();
}

} // namespace leapmark
