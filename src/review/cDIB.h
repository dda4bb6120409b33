#pragma once

#include "common/Result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace leapmark {

/** The 14-byte header at the start of a .bmp file. */
struct BitmapFileHeader
{
    std::uint16_t type = 0;
    std::uint32_t size = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t bitsOffset = 0;
};

/** The 40-byte bitmap information header. */
struct BitmapInfoHeader
{
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::int32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

inline constexpr std::size_t bitmapFileHeaderBytes = 14;
inline constexpr std::size_t bitmapInfoHeaderBytes = 40;

/** One device-independent bitmap, filled from a packed DIB and written out as a .bmp file. */
class cDIB
{
public:
    /**
     * Takes a packed DIB: the 40-byte info header followed by the pixel bits, no colour table. A
     * bit count of 15 or less, an image size of 0 or less, or fewer bytes than the header promises
     * answer false and leave the bitmap as it was.
     */
    [[nodiscard]] bool CreateFromPackedDIBPointer(std::span<const std::uint8_t> packedDib);

    /**
     * Writes file header, bitmap info and bits. The file is replaced whole (a longer old file
     * leaves no tail behind) and a failed write is reported with the path and the reason.
     */
    [[nodiscard]] Result<void> WriteToFile(const std::filesystem::path& path) const;

    [[nodiscard]] std::uint16_t BitCount() const { return m_infoHeader.bitCount; }
    [[nodiscard]] std::int32_t Height() const { return m_infoHeader.height; }
    [[nodiscard]] std::int32_t Width() const { return m_infoHeader.width; }
    [[nodiscard]] std::uint32_t Compression() const { return m_infoHeader.compression; }
    [[nodiscard]] std::uint32_t SizeInfoHeader() const { return m_infoHeader.size; }
    [[nodiscard]] std::int32_t SizeImage() const { return m_infoHeader.sizeImage; }
    [[nodiscard]] std::uint16_t Planes() const { return m_infoHeader.planes; }
    [[nodiscard]] std::uint32_t ClrImportant() const { return m_infoHeader.clrImportant; }
    [[nodiscard]] std::uint32_t ClrUsed() const { return m_infoHeader.clrUsed; }
    [[nodiscard]] std::int32_t XPPM() const { return m_infoHeader.xPelsPerMeter; }
    [[nodiscard]] std::int32_t YPPM() const { return m_infoHeader.yPelsPerMeter; }
    [[nodiscard]] std::uint16_t FileType() const { return m_fileHeader.type; }
    [[nodiscard]] std::uint32_t SizeFileHeader() const { return m_fileHeader.size; }
    [[nodiscard]] std::uint32_t BitOffset() const { return m_fileHeader.bitsOffset; }
    /** The first pixel byte; null while the bitmap is empty. */
    [[nodiscard]] const std::uint8_t* PointerToBits() const
    {
        return m_bits.empty() ? nullptr : m_bits.data();
    }
    /** The first byte of the bitmap info; null while the bitmap is empty. */
    [[nodiscard]] const std::uint8_t* PointerToBitmapInfo() const
    {
        return m_bitmapInfo.empty() ? nullptr : m_bitmapInfo.data();
    }
    [[nodiscard]] std::size_t SizeBitmapInfo() const { return m_bitmapInfo.size(); }

private:
    BitmapFileHeader m_fileHeader;
    BitmapInfoHeader m_infoHeader;
    std::vector<std::uint8_t> m_bitmapInfo;
    std::vector<std::uint8_t> m_bits;
};

} // namespace leapmark
