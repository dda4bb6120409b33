#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace leapmark {

/** One pair of a file dialog filter: what the operator reads and the name patterns it stands for. */
struct DialogFilterEntry
{
    std::string description;
    std::vector<std::string> patterns;

    friend bool operator==(const DialogFilterEntry&, const DialogFilterEntry&) = default;
};

/**
 * Splits a filter written as "description|patterns|description|patterns|" (patterns separated by
 * ";", the final "|" optional). A description without its patterns is dropped; blanks around a
 * pattern are dropped and an empty pattern list means every file.
 */
[[nodiscard]] std::vector<DialogFilterEntry> parseDialogFilter(std::string_view filter);

/** Whether a pattern's letters match names in either case. */
enum class PatternCase { AsWritten, EitherCase };

/** Either case where file names are case-sensitive (so "*.IPT" also finds grid.ipt), as written elsewhere. */
[[nodiscard]] PatternCase platformPatternCase();

/**
 * One entry as a Qt name filter: the description, a blank, and in parentheses the patterns Qt
 * matches, separated by blanks. "*.*" becomes "*" (every file, with or without an extension) and
 * with PatternCase::EitherCase each letter becomes a set of both cases ("*.IPT" gives
 * "*.[iI][pP][tT]"). A dialog that hides filter details shows the description exactly as written,
 * e.g. "Parameter Files (*.IPT) (*.[iI][pP][tT])" shows as "Parameter Files (*.IPT)".
 */
[[nodiscard]] std::string qtNameFilter(const DialogFilterEntry& entry, PatternCase patternCase);

/** Every entry of the filter as Qt name filters, in order. */
[[nodiscard]] std::vector<std::string> qtNameFilters(std::string_view filter, PatternCase patternCase);

} // namespace leapmark
