// The capture control's single pictures: grabbed stills and the live preview.
#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include <cstdio>

namespace leapmark {
namespace {

/** "testvid.jpg" numbered: "testvid0001.jpg". */
std::string numberedName(const std::string& name, int number)
{
    char digits[16] = {};
    std::snprintf(digits, sizeof digits, "%04d", number);
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return name + digits;
    return name.substr(0, dot) + digits + name.substr(dot);
}

} // namespace

Result<void> FfmpegCaptureControl::grabFrame(GrabFinished finished)
{
    if (!connected())
        return notConnected();
    std::string name =
        m_frameOptions.frameFile.empty() ? std::string("testvid.jpg") : m_frameOptions.frameFile;
    if (m_frameOptions.autoIncrement)
        name = numberedName(name, ++m_grabCount);
    std::weak_ptr<ListenerSlot> alive = m_slot;
    m_stills.request(resolvedPath(name), [&poster = m_poster, alive,
                                          finished = std::move(finished)](Result<void> outcome) mutable {
        poster.post([alive, finished = std::move(finished), outcome = std::move(outcome)] {
            if (alive.lock() && finished)
                finished(outcome);
        });
    });
    return success();
}

void FfmpegCaptureControl::frameArrived(const YuvPicture& picture, std::int64_t deviceFrameNumber)
{
    m_stills.offer(picture);
    // One live picture at a time: while the screen has not taken the last one, newer ones pass by.
    if (!m_preview || m_previewPending.exchange(true))
        return;
    std::shared_ptr<PreviewImage> image = m_scaler.scale(picture);
    if (!image) {
        m_previewPending = false;
        return;
    }
    image->deviceFrameNumber = deviceFrameNumber;
    {
        const std::lock_guard lock(m_frameMutex);
        m_latestPreview = std::move(image);
    }
    post([](CaptureListener& listener) { listener.previewFrameReady(); });
}

std::shared_ptr<const PreviewImage> FfmpegCaptureControl::takePreviewImage()
{
    std::shared_ptr<const PreviewImage> image;
    {
        const std::lock_guard lock(m_frameMutex);
        image = std::move(m_latestPreview);
        m_latestPreview.reset();
    }
    m_previewPending = false;
    return image;
}

Result<void> FfmpegCaptureControl::setPreview(bool on)
{
    m_preview = on;
    if (!on) {
        const std::lock_guard lock(m_frameMutex);
        m_latestPreview.reset();
    }
    return success();
}
} // namespace leapmark
