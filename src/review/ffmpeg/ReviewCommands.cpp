#include "review/ffmpeg/ReviewCommands.h"

#include "common/PathText.h"
#include "review/AviRiffReader.h"
#include "review/ffmpeg/ContactSearch.h"
#include "review/ffmpeg/FrameExtractor.h"
#include "review/mmInfo.h"

#include <charconv>
#include <cstdint>
#include <iomanip>
#include <ostream>

namespace leapmark {

int runAviInfo(const std::string& file, std::ostream& out, std::ostream& err)
{
    const auto info = readAviFileInfo(toPath(file));
    if (!info) {
        err << info.error().text() << '\n';
        return 1;
    }
    for (const std::string& line : fileInformationLines(file, *info))
        out << line << '\n';
    return 0;
}

int runExtractFrame(const std::string& file, const std::string& frameText, const std::string& bitmapFile,
                    std::ostream& out, std::ostream& err)
{
    std::int64_t frame = -1;
    const char* end = frameText.data() + frameText.size();
    const auto [stop, problem] = std::from_chars(frameText.data(), end, frame);
    if (problem != std::errc() || stop != end || frame < 0) {
        err << "The frame number must be a whole number from 0 up, not \"" << frameText << "\"\n";
        return 1;
    }
    if (auto written = writeFrameBitmap(toPath(file), frame, toPath(bitmapFile)); !written) {
        err << written.error().text() << '\n';
        return 1;
    }
    out << "Frame " << frame << " of " << file << " written to " << bitmapFile << '\n';
    return 0;
}

int runSuggestContact(const std::string& file, bool traceScores, std::ostream& out, std::ostream& err)
{
    const std::atomic<bool> never{false};
    ContactEvidence evidence;
    const auto found = searchContactFrame(toPath(file), never, evidence);
    if (!found) {
        err << found.error().text() << '\n';
        return 1;
    }
    if (traceScores)
        for (std::size_t i = 0; i < evidence.splashScore.size(); ++i)
            err << i << ' ' << evidence.splashScore[i] << '\n';
    if (*found)
        out << "suggested_frame " << (*found)->frame << "\nconfidence " << std::fixed << std::setprecision(2)
            << (*found)->confidence << '\n';
    else
        out << "suggested_frame none\n";
    return 0;
}

} // namespace leapmark
