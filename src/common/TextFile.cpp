#include "common/TextFile.h"

#include "common/PathText.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace leapmark {

std::string systemErrorText(int errorNumber)
{
    return std::generic_category().message(errorNumber);
}

ErrorKind errorKindOf(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return ErrorKind::NotFound;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrorKind::DiskFull;
    default:
        return ErrorKind::Other;
    }
}

Error systemError(const char* verb, const std::filesystem::path& path, int errorNumber)
{
    return Error(std::string("Could not ") + verb + " " + pathText(path) + ": " +
                     systemErrorText(errorNumber),
                 errorKindOf(errorNumber));
}

Result<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Error("Could not read " + pathText(path) + ": it is a folder, not a file");

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int reason = errno;
        return systemError("read", path, reason ? reason : ENOENT);
    }

    std::string content;
    char buffer[64 * 1024];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (content.size() + got > maxBytes)
            return Error("Could not read " + pathText(path) + ": the file is larger than " +
                             std::to_string(maxBytes) + " bytes",
                         ErrorKind::TooLarge);
        content.append(buffer, got);
    }
    if (in.bad())
        return Error("Could not read " + pathText(path) + ": " + systemErrorText(EIO));
    return content;
}

} // namespace leapmark
