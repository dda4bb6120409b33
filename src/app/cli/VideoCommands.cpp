#include "app/cli/VideoCommands.h"

#include "review/ffmpeg/ReviewCommands.h"
#include "video/ffmpeg/FfmpegLog.h"

#include <optional>
#include <string>

namespace leapmark::cli {
namespace {

/**
 * While a video verb runs, FFmpeg's and the codecs' own lines stay off stderr: the verb gives its
 * result, or the file and the reason, and nothing else.
 */
class QuietFfmpeg
{
public:
    QuietFfmpeg()
    {
        setFfmpegLogSink([](FfmpegLogLevel, const std::string&) {});
    }
    ~QuietFfmpeg() { setFfmpegLogSink({}); }
    QuietFfmpeg(const QuietFfmpeg&) = delete;
    QuietFfmpeg& operator=(const QuietFfmpeg&) = delete;
};

int runAviInfoCommand(CliArguments& args, CommandOutput& output)
{
    const auto file = args.take();
    if (!file || !args.empty())
        return usageError(aviInfoCommand, output);
    const QuietFfmpeg quiet;
    return runAviInfo(*file, output.out, output.err);
}

int runExtractFrameCommand(CliArguments& args, CommandOutput& output)
{
    const auto file = args.take();
    const auto frame = args.take();
    const auto bitmap = args.take();
    if (!file || !frame || !bitmap || !args.empty())
        return usageError(extractFrameCommand, output);
    const QuietFfmpeg quiet;
    return runExtractFrame(*file, *frame, *bitmap, output.out, output.err);
}

int runSuggestContactCommand(CliArguments& args, CommandOutput& output)
{
    bool trace = false;
    std::optional<std::string> file;
    while (auto word = args.take()) {
        if (*word == "--trace")
            trace = true;
        else if (!file)
            file = *word;
        else
            return usageError(suggestContactCommand, output);
    }
    if (!file)
        return usageError(suggestContactCommand, output);
    const QuietFfmpeg quiet;
    return runSuggestContact(*file, trace, output.out, output.err);
}

} // namespace

const Command suggestContactCommand{"suggest-contact", "suggest-contact [--trace] VIDEO",
                                    "the frame of first water contact the video suggests",
                                    runSuggestContactCommand};
const Command aviInfoCommand{"avi-info", "avi-info FILE", "the file-information lines of an AVI file",
                             runAviInfoCommand};
const Command extractFrameCommand{"extract-frame", "extract-frame FILE N OUT.bmp",
                                  "frame N (counted from 0) of a video as a 24-bit BMP",
                                  runExtractFrameCommand};

} // namespace leapmark::cli
