#pragma once

#include <string>
#include <vector>

namespace leapmark {

/** Character formatting of a run of rich text. */
struct RtfCharFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    /** Rich text counts font sizes in half-points: 24 is 12 point. */
    int fontSizeHalfPoints = 24;

    friend bool operator==(const RtfCharFormat&, const RtfCharFormat&) = default;
};

enum class RtfAlignment { Left, Centre, Right, Justified };

struct RtfParagraphFormat
{
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndentTwips = 0;
    /** Relative to the left indent; negative for a hanging first line. */
    int firstLineIndentTwips = 0;
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;

    friend bool operator==(const RtfParagraphFormat&, const RtfParagraphFormat&) = default;
};

/** Text in one format: UTF-8, "\t" for a tab and "\n" for a line break inside the paragraph. */
struct RtfRun
{
    std::string text;
    RtfCharFormat format;

    friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

struct RtfParagraph
{
    RtfParagraphFormat format;
    std::vector<RtfRun> runs;

    friend bool operator==(const RtfParagraph&, const RtfParagraph&) = default;
};

/**
 * What a rich text file says, in two forms: the plain text (what a text box shows and what the
 * skier list import saves) and the formatted paragraphs (what the manual viewer shows).
 *
 * In the plain text every paragraph mark and every line break ends a line with CR LF, the line
 * end of every text file the program writes; a final paragraph without a mark gets no line end.
 */
struct RtfDocument
{
    std::string plainText;
    std::vector<RtfParagraph> paragraphs;
};

} // namespace leapmark
