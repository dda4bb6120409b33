#pragma once

#include "common/Result.h"
#include "common/RtfDocument.h"

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace leapmark {

/** Larger inputs are refused rather than read. */
inline constexpr std::size_t kMaxRtfBytes = 16 * 1024 * 1024;
/** Deeper nesting is refused: no real document comes near it. */
inline constexpr std::size_t kMaxRtfGroupDepth = 1000;

/** Rich text starts with "{\rtf"; anything else is plain text. */
[[nodiscard]] bool isRichText(std::string_view bytes);

/**
 * Reads rich text into its plain text and formatted paragraphs. Input that is not rich text is
 * plain text: its bytes are the plain text as they are, its lines the paragraphs. Character codes
 * ("\'hh" and bytes above 127) are Windows-1252; "\uN" is UTF-16 (negative N counts from 65536),
 * followed by "\ucN" fallback characters that are skipped. Unknown control words are ignored, a
 * missing closing brace ends the document, and text after the final brace is ignored.
 * Errors: input over kMaxRtfBytes, groups nested deeper than kMaxRtfGroupDepth.
 */
[[nodiscard]] Result<RtfDocument> readRtf(std::string_view bytes);

/** readRtf on a file's bytes; the error names the file. */
[[nodiscard]] Result<RtfDocument> readRtfFile(const std::filesystem::path& path);

} // namespace leapmark
