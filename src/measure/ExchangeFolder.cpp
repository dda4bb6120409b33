#include "measure/ExchangeFolder.h"

#include "common/DateTimeText.h"
#include "common/DelimitedFieldReader.h"
#include "common/PathText.h"
#include "common/RecordFile.h"
#include "common/TextFile.h"
#include "names/NameText.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <system_error>
#include <vector>

namespace leapmark {
namespace {

// The name and flag files hold one short line; anything much larger is not theirs.
constexpr ReadLimits kExchangeReadLimits{64 * 1024, 4 * 1024};

bool hasBitmapExtension(const std::filesystem::path& path)
{
    const std::string name = pathText(path.filename());
    constexpr std::string_view kExtension = ".bmp";
    if (name.size() < kExtension.size())
        return false;
    return std::equal(
        kExtension.begin(), kExtension.end(), name.end() - kExtension.size(),
        [](char wanted, char c) { return std::tolower(static_cast<unsigned char>(c)) == wanted; });
}

} // namespace

Result<std::string> skierNameOfBytes(const std::string& sourceName, std::string_view bytes)
{
    if (bytes.size() > kExchangeReadLimits.maxFileBytes)
        return Error(sourceName + ": the file is larger than " +
                         std::to_string(kExchangeReadLimits.maxFileBytes) + " bytes",
                     ErrorKind::TooLarge);
    // The limits hold for the bytes on the disk; Windows-1252 text grows up to three times as UTF-8.
    const ReadLimits decodedLimits{kExchangeReadLimits.maxFileBytes * 3,
                                   kExchangeReadLimits.maxLineBytes * 3};
    auto reader = DelimitedFieldReader::fromText(sourceName, nameFileText(bytes), decodedLimits);
    if (!reader)
        return reader.error();
    return reader->nextField();
}

bool clipFlagIsReady(std::string_view bytes)
{
    auto reader = DelimitedFieldReader::fromText(std::string(ExchangeFolder::kClipFlagFileName),
                                                 std::string(bytes), kExchangeReadLimits);
    if (!reader)
        return false;
    const auto flag = reader->nextField();
    return flag.ok() && *flag == "Ready";
}

ResultLine resultLine(std::string_view comment, std::string_view exchangeMetresText,
                      std::string_view exchangeFeetText, std::string_view jumpNumberText)
{
    std::string text;
    if (comment == "Fall" || comment == "Pass") {
        text = std::string(comment) + ", 0, 0,";
    } else {
        text = "OK, ";
        text += exchangeMetresText;
        text += ", ";
        text += exchangeFeetText;
        text += ", ";
    }
    text += jumpNumberText;
    return {text};
}

std::string shortSkierName(std::string_view skierName)
{
    return std::string(skierName.substr(0, skierName.find(',')));
}

Result<void> ExchangeFolder::publishResult(const ResultLine& line, std::string_view shortSkierName,
                                           const LocalDateTime& moment) const
{
    if (auto replaced = replaceFile(file(kResultFileName), crlfLine(line.text)); !replaced)
        return replaced;
    std::string raw = timeText(moment) + " ,";
    raw += shortSkierName;
    raw += "," + line.text;
    return appendRecord(file(kRawResultsFileName), crlfLine(raw));
}

Result<std::string> ExchangeFolder::readSkierName() const
{
    const std::filesystem::path path = file(kSkierNameFileName);
    auto bytes = readWholeFile(path, kExchangeReadLimits.maxFileBytes);
    if (!bytes)
        return bytes.error();
    return skierNameOfBytes(pathText(path), *bytes);
}

bool ExchangeFolder::isClipboardReady() const
{
    const auto bytes = readWholeFile(file(kClipFlagFileName), kExchangeReadLimits.maxFileBytes);
    return bytes.ok() && clipFlagIsReady(*bytes);
}

Result<void> ExchangeFolder::resetClipFlag() const
{
    return replaceFile(file(kClipFlagFileName), crlfLine("  "));
}

Result<void> ExchangeFolder::deleteBitmaps() const
{
    std::error_code ec;
    std::filesystem::directory_iterator entries(m_folder, ec);
    if (ec == std::errc::no_such_file_or_directory)
        return success();
    if (ec)
        return Error("Could not list " + pathText(m_folder) + ": " + ec.message());

    // Collected first: removing files while the folder is being read may skip or repeat entries.
    std::vector<std::filesystem::path> bitmaps;
    for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
        std::error_code typeError;
        if (hasBitmapExtension(entries->path()) && !entries->is_directory(typeError))
            bitmaps.push_back(entries->path());
    }
    if (ec)
        return Error("Could not list " + pathText(m_folder) + ": " + ec.message());

    std::optional<Error> firstFailure;
    for (const auto& bitmap : bitmaps) {
        std::error_code removeError;
        std::filesystem::remove(bitmap, removeError);
        if (removeError && !firstFailure)
            firstFailure = Error("Could not delete " + pathText(bitmap) + ": " + removeError.message());
    }
    if (firstFailure)
        return *firstFailure;
    return success();
}

std::filesystem::path ExchangeFolder::snapshotPath() const
{
    return file(kSnapshotFileName);
}

std::filesystem::path ExchangeFolder::file(std::string_view name) const
{
    return m_folder / toPath(name);
}

} // namespace leapmark
