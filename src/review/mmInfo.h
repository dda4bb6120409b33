#pragma once

#include "review/AviFileInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace leapmark {

class Prompts;

/**
 * The AVI queries of frame selection. Every query opens, reads and closes the file again, and a
 * query whose read fails tells the operator why through Prompts and answers 0, "" or false.
 */
class mmInfo
{
public:
    explicit mmInfo(Prompts& prompts);

    /**
     * True when the file begins with "RIFF" and has "AVI " at byte 8. A missing file, a folder, a
     * pipe or a device, a locked file and any other open error are told to the operator and answer
     * false.
     */
    [[nodiscard]] bool isAviFile(const std::string& path);

    /** The file-information record, or nothing after telling the operator why it is missing. */
    [[nodiscard]] std::optional<AviFileInfo> readFileInfo(const std::string& path);

    [[nodiscard]] std::uint32_t width(const std::string& path);
    [[nodiscard]] std::uint32_t height(const std::string& path);
    [[nodiscard]] std::uint32_t length(const std::string& path);
    /** rate / scale rounded half to even (29.97 gives 30); 0 when the read fails or scale is 0. */
    [[nodiscard]] std::uint32_t frameRate(const std::string& path);
    [[nodiscard]] std::string fileType(const std::string& path);

    [[nodiscard]] bool isCompressed(const std::string& path);
    [[nodiscard]] bool allKeyFrames(const std::string& path);
    [[nodiscard]] bool canRead(const std::string& path);
    [[nodiscard]] bool canWrite(const std::string& path);

    [[nodiscard]] bool hasCopyright(const std::string& path);
    [[nodiscard]] bool wasCaptureFile(const std::string& path);
    [[nodiscard]] bool hasIndex(const std::string& path);
    [[nodiscard]] bool mustUseIndex(const std::string& path);
    [[nodiscard]] bool isInterleaved(const std::string& path);

    /** True when the file's length can be read. */
    [[nodiscard]] static bool fileExists(const std::string& path);

    /**
     * The seventeen information lines for the file. The record is read once; when that fails the
     * operator is told once and the lines show zeros, an empty type and "False".
     */
    [[nodiscard]] std::vector<std::string> fileInformationLines(const std::string& path);

private:
    [[nodiscard]] bool capsBit(const std::string& path, std::uint32_t bit);
    [[nodiscard]] bool flagsBit(const std::string& path, std::uint32_t bit);
    void tellNotARegularFile(const std::string& path);

    Prompts& m_prompts;
};

/** The seventeen information lines of a file's record, in the order frame selection lists them. */
[[nodiscard]] std::vector<std::string> fileInformationLines(const std::string& path, const AviFileInfo& info);

} // namespace leapmark
