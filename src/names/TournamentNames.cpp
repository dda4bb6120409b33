#include "names/TournamentNames.h"

#include "common/DelimitedFieldReader.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "names/NameText.h"

namespace leapmark {

namespace {

constexpr ReadLimits kNameFileLimits;

} // namespace

Result<std::vector<std::string>> tournamentNamesOfBytes(const std::string& sourceName, std::string_view bytes)
{
    if (bytes.size() > kNameFileLimits.maxFileBytes)
        return Error(sourceName + ": the file is larger than " +
                         std::to_string(kNameFileLimits.maxFileBytes) + " bytes",
                     ErrorKind::TooLarge);
    // Windows-1252 text grows when it becomes UTF-8: at most three bytes for one.
    const ReadLimits decodedLimits{kNameFileLimits.maxFileBytes * 3, kNameFileLimits.maxLineBytes * 3};
    auto reader = DelimitedFieldReader::fromText(sourceName, nameFileText(bytes), decodedLimits);
    if (!reader)
        return reader.error();

    std::vector<std::string> names;
    while (!reader->atEnd()) {
        auto item = reader->nextField(NumericField::PlainNumber);
        if (!item)
            break;
        if (!item->empty())
            names.push_back(std::move(item).value());
    }
    return names;
}

Result<std::vector<std::string>> readTournamentNames(const std::filesystem::path& path)
{
    auto bytes = readWholeFile(path, kNameFileLimits.maxFileBytes);
    if (!bytes)
        return bytes.error();
    return tournamentNamesOfBytes(pathText(path), *bytes);
}

} // namespace leapmark
