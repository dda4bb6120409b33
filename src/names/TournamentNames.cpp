#include "names/TournamentNames.h"

#include "common/DelimitedFieldReader.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "names/NameText.h"

namespace leapmark {

Result<std::vector<std::string>> readTournamentNames(const std::filesystem::path& path)
{
    const ReadLimits limits;
    auto bytes = readWholeFile(path, limits.maxFileBytes);
    if (!bytes)
        return bytes.error();
    // Windows-1252 text grows when it becomes UTF-8: at most three bytes for one.
    const ReadLimits decodedLimits{limits.maxFileBytes * 3, limits.maxLineBytes * 3};
    auto reader = DelimitedFieldReader::fromText(pathText(path), nameFileText(*bytes), decodedLimits);
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

} // namespace leapmark
