#pragma once

#include <iosfwd>
#include <string>

namespace leapmark {

/**
 * `leapmark-cli avi-info FILE`: the seventeen information lines, one per output line. Returns the
 * process exit code: 0, or 1 after writing the reason (file and cause) to err.
 */
int runAviInfo(const std::string& file, std::ostream& out, std::ostream& err);

/**
 * `leapmark-cli extract-frame FILE N OUT.bmp`: writes frame N (0-based) as a 24-bit BMP. Returns 0,
 * or 1 after writing the reason to err (a bad frame number, an unreadable video, a failed write).
 */
int runExtractFrame(const std::string& file, const std::string& frameText, const std::string& bitmapFile,
                    std::ostream& out, std::ostream& err);

/**
 * `leapmark-cli suggest-contact VIDEO`: "suggested_frame N" and "confidence C" (0.00 to 1.00, see
 * SuggestedContact), or "suggested_frame none" when no contact stands out. Returns 0, or 1 after writing the
 * reason to err (an unreadable video). With traceScores each frame's splash score follows on err.
 */
int runSuggestContact(const std::string& file, bool traceScores, std::ostream& out, std::ostream& err);

} // namespace leapmark
