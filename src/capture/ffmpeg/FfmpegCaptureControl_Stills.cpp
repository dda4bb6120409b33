// The capture control's single pictures: grabbed stills and the live preview.
#include "capture/ffmpeg/FfmpegCaptureControl.h"

#include "capture/ffmpeg/JpegStill.h"

#include <chrono>
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

Result<void> FfmpegCaptureControl::grabFrame()
{
    if (!connected())
        return notConnected();
    std::optional<YuvPicture> picture;
    {
        std::unique_lock lock(m_frameMutex);
        m_grabWanted = true;
        m_grabbed.reset();
        const bool arrived =
            m_grabbedWake.wait_for(lock, std::chrono::seconds(2), [this] { return m_grabbed.has_value(); });
        m_grabWanted = false;
        if (!arrived)
            return Error("The capture device sent no picture to grab");
        picture = std::move(m_grabbed);
        m_grabbed.reset();
    }
    std::string name =
        m_frameOptions.frameFile.empty() ? std::string("testvid.jpg") : m_frameOptions.frameFile;
    if (m_frameOptions.autoIncrement)
        name = numberedName(name, ++m_grabCount);
    return writeJpegStill(resolvedPath(name), *picture);
}

void FfmpegCaptureControl::frameArrived(const YuvPicture& picture, std::int64_t deviceFrameNumber)
{
    {
        const std::lock_guard lock(m_frameMutex);
        if (m_grabWanted && !m_grabbed) {
            m_grabbed = picture;
            m_grabbedWake.notify_all();
        }
    }
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
