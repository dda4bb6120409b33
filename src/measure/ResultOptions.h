#pragma once

#include "common/Clock.h"
#include "common/Prompts.h"
#include "measure/ExchangeFolder.h"
#include "measure/MeasureForm.h"
#include "measure/ResultsFile.h"

namespace leapmark {

/*
 * The result options' own handlers and the skier name. The options that record at once (the two
 * rerides and a comment) append their line to the results file; when it cannot be written the
 * operator is told the file and the reason, the comment goes back to what it was and the option is
 * deselected, so that it can be chosen again.
 */

/** "Pass", "Fall" and "Other Grid" put their word into the comment, which goes into the jump line. */
void Pass_Click(MeasureForm& form);
void Fall_Click(MeasureForm& form);
void Other_Grid_Click(MeasureForm& form);

/** Whether the picture on the screen is frozen: a reride then stays selected. */
enum class PictureState { Live, Frozen };

/**
 * A reride, recorded at once with its own line. The comment is emptied again afterwards; on a live
 * picture the option is deselected; a mandatory reride also empties the metres and feet.
 */
[[nodiscard]] Result<void> recordReride(MeasureForm& form, RerideKind kind, PictureState picture,
                                        const ResultsFile& results, const Clock& clock, Prompts& prompts);

/**
 * "Comment": asks for the comment and records it at once as a line of its own (cancelled: an empty
 * comment line). The comment box is emptied and the option deselected afterwards.
 */
[[nodiscard]] Result<void> recordComment(MeasureForm& form, const ResultsFile& results, const Clock& clock,
                                         Prompts& prompts);

/** A new skier starts at jump "1" with the distances emptied. */
void skierNameChanged(MeasureForm& form);

/**
 * "Name": the skier name from the scoring program's name file, which counts as a new skier. A file
 * that cannot be read is reported ("Error while reading WSTIMS name file: " and the reason) and
 * changes nothing.
 */
[[nodiscard]] Result<void> fetchSkierName(MeasureForm& form, const ExchangeFolder& exchange,
                                          Prompts& prompts);

} // namespace leapmark
