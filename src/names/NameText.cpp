#include "names/NameText.h"

#include "common/TextEncoding.h"

namespace leapmark {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

/** UTF-16 code units (after the byte-order mark) as UTF-8; a lone surrogate or odd byte is U+FFFD. */
std::string utf16Text(std::string_view bytes, bool bigEndian)
{
    std::string converted;
    converted.reserve(bytes.size() + bytes.size() / 2);
    const auto unitAt = [&](std::size_t at) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (char32_t{first} << 8) | second : (char32_t{second} << 8) | first;
    };
    std::size_t at = 0;
    while (at + 1 < bytes.size()) {
        const char32_t unit = unitAt(at);
        at += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < bytes.size()) {
            const char32_t low = unitAt(at);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                at += 2;
                appendUtf8(converted, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        appendUtf8(converted, unit); // a lone surrogate becomes U+FFFD
    }
    if (at < bytes.size())
        appendUtf8(converted, 0xFFFD);
    return converted;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t codePoint = 0;
        char32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (!isContinuation(next))
                return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string nameFileText(std::string_view bytes)
{
    // Notepad's "Unicode" and "Unicode big endian".
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return utf16Text(bytes.substr(kUtf16LittleEndianMark.size()), false);
    if (bytes.starts_with(kUtf16BigEndianMark))
        return utf16Text(bytes.substr(kUtf16BigEndianMark.size()), true);
    if (bytes.starts_with(kUtf8ByteOrderMark))
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string converted;
    converted.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes)
        appendUtf8(converted, windows1252CodePoint(static_cast<unsigned char>(c)));
    return converted;
}

} // namespace leapmark
