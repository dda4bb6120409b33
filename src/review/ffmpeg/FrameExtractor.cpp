#include "review/ffmpeg/FrameExtractor.h"

#include "common/PathText.h"
#include "common/Prompts.h"
#include "review/cDIB.h"
#include "review/ffmpeg/FfmpegVideoDecoder.h"

namespace leapmark {

namespace {

/** The frame as a bitmap ready to write, or why there is none. */
Result<cDIB> frameBitmap(VideoDecoder& decoder, std::int64_t frameIndex)
{
    auto frame = decoder.frame(frameIndex);
    if (!frame)
        return frame.error();
    cDIB bitmap;
    if (!bitmap.CreateFromPackedDIBPointer(packedDibFromFrame(**frame)))
        return Error("frame " + std::to_string(frameIndex) + " gave no picture");
    return bitmap;
}

} // namespace

Result<void> writeFrameBitmap(const std::filesystem::path& videoPath, std::int64_t frameIndex,
                              const std::filesystem::path& bitmapPath)
{
    auto decoder = FfmpegVideoDecoder::open(videoPath);
    if (!decoder)
        return decoder.error();
    auto bitmap = frameBitmap(**decoder, frameIndex);
    if (!bitmap)
        return bitmap.error();
    return bitmap->WriteToFile(bitmapPath);
}

void tellBitmapOutcome(Prompts& prompts, BitmapOutcome outcome, const std::string& videoPath,
                       const std::string& reason)
{
    switch (outcome) {
    case BitmapOutcome::Written:
        return;
    case BitmapOutcome::NoDecoder:
        prompts.tell("No suitable decompressor found for this video stream!", MessageIcon::Information);
        return;
    case BitmapOutcome::OpenFailed:
        prompts.tell("There was an error working with the file:\r\n" + videoPath, MessageIcon::Information);
        return;
    case BitmapOutcome::FrameFailed:
        prompts.tell(reason, MessageIcon::Information);
        return;
    case BitmapOutcome::WriteFailed:
        prompts.tell(reason, MessageIcon::Critical);
        return;
    }
}

bool extract_frame_to_bitmap(Prompts& prompts, const std::string& markedVideoPath, std::int64_t markedFrame,
                             const std::filesystem::path& applicationFolder)
{
    auto decoder = FfmpegVideoDecoder::open(toPath(markedVideoPath));
    if (!decoder) {
        tellBitmapOutcome(prompts,
                          decoder.error().kind() == ErrorKind::Unsupported ? BitmapOutcome::NoDecoder
                                                                           : BitmapOutcome::OpenFailed,
                          markedVideoPath, decoder.error().text());
        return false;
    }
    auto bitmap = frameBitmap(**decoder, markedFrame);
    if (!bitmap) {
        tellBitmapOutcome(prompts, BitmapOutcome::FrameFailed, markedVideoPath, bitmap.error().text());
        return false;
    }
    if (auto written = bitmap->WriteToFile(applicationFolder / currentCaptureFileName); !written) {
        tellBitmapOutcome(prompts, BitmapOutcome::WriteFailed, markedVideoPath, written.error().text());
        return false;
    }
    return true;
}

} // namespace leapmark
