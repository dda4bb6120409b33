#include "review/cDIB.h"

#include "common/RecordFile.h"

#include <string>

namespace leapmark {

namespace {

std::uint16_t le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void put16(std::string& out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xff));
}

BitmapInfoHeader infoHeaderFrom(const std::uint8_t* p)
{
    BitmapInfoHeader header;
    header.size = le32(p);
    header.width = static_cast<std::int32_t>(le32(p + 4));
    header.height = static_cast<std::int32_t>(le32(p + 8));
    header.planes = le16(p + 12);
    header.bitCount = le16(p + 14);
    header.compression = le32(p + 16);
    header.sizeImage = static_cast<std::int32_t>(le32(p + 20));
    header.xPelsPerMeter = static_cast<std::int32_t>(le32(p + 24));
    header.yPelsPerMeter = static_cast<std::int32_t>(le32(p + 28));
    header.clrUsed = le32(p + 32);
    header.clrImportant = le32(p + 36);
    return header;
}

} // namespace

bool cDIB::CreateFromPackedDIBPointer(std::span<const std::uint8_t> packedDib)
{
    if (packedDib.size() < bitmapInfoHeaderBytes)
        return false;
    const BitmapInfoHeader header = infoHeaderFrom(packedDib.data());
    if (header.bitCount <= 15 || header.sizeImage <= 0)
        return false;
    const auto imageBytes = static_cast<std::size_t>(header.sizeImage);
    if (packedDib.size() - bitmapInfoHeaderBytes < imageBytes)
        return false;

    m_infoHeader = header;
    m_bits.assign(packedDib.begin() + bitmapInfoHeaderBytes,
                  packedDib.begin() + static_cast<std::ptrdiff_t>(bitmapInfoHeaderBytes + imageBytes));
    m_bitmapInfo.assign(packedDib.begin(), packedDib.begin() + bitmapInfoHeaderBytes);
    m_fileHeader.type = 0x4D42; // "BM"
    m_fileHeader.size =
        static_cast<std::uint32_t>(bitmapFileHeaderBytes + bitmapInfoHeaderBytes + imageBytes);
    m_fileHeader.reserved1 = 0;
    m_fileHeader.reserved2 = 0;
    m_fileHeader.bitsOffset = static_cast<std::uint32_t>(bitmapFileHeaderBytes + bitmapInfoHeaderBytes);
    return true;
}

Result<void> cDIB::WriteToFile(const std::filesystem::path& path) const
{
    std::string bytes;
    bytes.reserve(bitmapFileHeaderBytes + m_bitmapInfo.size() + m_bits.size());
    put16(bytes, m_fileHeader.type);
    put32(bytes, m_fileHeader.size);
    put16(bytes, m_fileHeader.reserved1);
    put16(bytes, m_fileHeader.reserved2);
    put32(bytes, m_fileHeader.bitsOffset);
    bytes.append(reinterpret_cast<const char*>(m_bitmapInfo.data()), m_bitmapInfo.size());
    bytes.append(reinterpret_cast<const char*>(m_bits.data()), m_bits.size());
    return replaceFile(path, bytes);
}

} // namespace leapmark
