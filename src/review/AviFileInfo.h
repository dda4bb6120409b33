#pragma once

#include <cstdint>
#include <string>

namespace leapmark {

/** Capability bits of the file-information record. */
namespace AviCaps {
inline constexpr std::uint32_t CanRead = 0x01;
inline constexpr std::uint32_t CanWrite = 0x02;
inline constexpr std::uint32_t AllKeyFrames = 0x10;
inline constexpr std::uint32_t NoCompression = 0x20;
} // namespace AviCaps

/** File flags of the file-information record, as the AVI main header carries them. */
namespace AviFlags {
inline constexpr std::uint32_t HasIndex = 0x10;
inline constexpr std::uint32_t MustUseIndex = 0x20;
inline constexpr std::uint32_t IsInterleaved = 0x100;
inline constexpr std::uint32_t WasCaptureFile = 0x10000;
inline constexpr std::uint32_t Copyrighted = 0x20000;
} // namespace AviFlags

/** The frame rectangle of a video stream header, in pixels. */
struct FrameRectangle
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] int width() const { return right - left; }
    [[nodiscard]] int height() const { return bottom - top; }
    friend bool operator==(const FrameRectangle&, const FrameRectangle&) = default;
};

/**
 * What an AVI file says about itself: the main header's size and flags, the first video stream's
 * rate, scale and frame rectangle, the frame count and what the index tells about key frames.
 */
struct AviFileInfo
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    /** Frames in the whole file, OpenDML extensions included. */
    std::uint32_t length = 0;
    std::uint32_t rate = 0;
    std::uint32_t scale = 0;
    std::string fileType;
    std::uint32_t caps = 0;
    std::uint32_t flags = 0;
    /** rcFrame of the first video stream (from its format when the header leaves it empty). */
    FrameRectangle frame;
    /** The video stream's compression code as four characters ("MJPG"); empty for uncompressed. */
    std::string compression;
    /** True when the file carries OpenDML extensions (a "dmlh" header, "AVIX" parts). */
    bool openDml = false;

    friend bool operator==(const AviFileInfo&, const AviFileInfo&) = default;
};

/** The file-type text every AVI file reports. */
inline constexpr const char* aviFileTypeText = "AVI File";

/** rate / scale rounded to the nearest whole number, halves to even; 0 when scale is 0. */
[[nodiscard]] std::uint32_t roundedFrameRate(const AviFileInfo& info);

} // namespace leapmark
