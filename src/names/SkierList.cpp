#include "names/SkierList.h"

#include "common/TextFile.h"
#include "names/NameText.h"

#include <system_error>

namespace leapmark {

namespace {

/** Where the next line starts, given the position of a line end (CR LF, LF or CR) or of the text's end. */
std::size_t nextLineStart(std::string_view text, std::size_t lineEnd)
{
    if (lineEnd >= text.size())
        return lineEnd;
    if (text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n')
        return lineEnd + 2;
    return lineEnd + 1;
}

/** Calls onLine for every line of the text, without its line end. */
template <typename OnLine>
void forEachLine(std::string_view text, OnLine onLine)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        onLine(text.substr(start, end - start));
        start = nextLineStart(text, end);
    }
}

Result<std::string> readListText(const std::filesystem::path& listFile)
{
    auto bytes = readWholeFile(listFile, kMaxSkierListBytes);
    if (!bytes)
        return bytes.error();
    return nameFileText(*bytes);
}

} // namespace

std::filesystem::path skierListPath(const std::filesystem::path& applicationFolder)
{
    return applicationFolder / kSkierListFileName;
}

bool skierListExists(const std::filesystem::path& applicationFolder)
{
    std::error_code ec;
    return std::filesystem::exists(skierListPath(applicationFolder), ec);
}

std::string normalisedSkierName(std::string_view line)
{
    std::string name(line);
    for (char& c : name) {
        if (c == ',')
            c = ' ';
    }
    return name;
}

std::vector<std::string> skierNamesOfList(std::string_view listText)
{
    std::vector<std::string> names;
    forEachLine(listText, [&](std::string_view line) {
        if (!line.empty())
            names.push_back(normalisedSkierName(line));
    });
    return names;
}

Result<std::vector<std::string>> readSkierList(const std::filesystem::path& listFile)
{
    auto text = readListText(listFile);
    if (!text)
        return text.error();
    return skierNamesOfList(*text);
}

Result<std::optional<std::string>> firstSkierName(const std::filesystem::path& listFile)
{
    std::error_code ec;
    if (!std::filesystem::exists(listFile, ec))
        return std::optional<std::string>(kNoSkierListName);
    auto text = readListText(listFile);
    if (!text)
        return text.error();
    return firstSkierNameOfList(*text);
}

std::optional<std::string> firstSkierNameOfList(std::string_view listText)
{
    const std::string_view firstLine = listText.substr(0, listText.find_first_of("\r\n"));
    if (firstLine.empty())
        return std::nullopt;
    return normalisedSkierName(firstLine);
}

std::string skierListFileBytes(std::string_view plainText)
{
    std::string bytes;
    bytes.reserve(plainText.size() + plainText.size() / 8);
    for (std::size_t i = 0; i < plainText.size(); ++i) {
        const char c = plainText[i];
        if (c == '\r') {
            bytes += "\r\n";
            if (i + 1 < plainText.size() && plainText[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            bytes += "\r\n";
        } else {
            bytes += c;
        }
    }
    return bytes;
}

} // namespace leapmark
