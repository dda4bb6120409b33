#include "common/RecordFile.h"

#include "common/PathText.h"
#include "common/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace leapmark {
namespace {

Error writeError(const std::filesystem::path& path, int reason)
{
    return Error("Could not write " + pathText(path) + ": " + systemErrorText(reason));
}

/** Writes every byte, syncs and closes; the descriptor is closed on every path. */
Result<void> writeAllSyncClose(int fd, const std::filesystem::path& path, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            const int reason = errno;
            ::close(fd);
            return writeError(path, reason);
        }
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) {
        const int reason = errno;
        ::close(fd);
        return writeError(path, reason);
    }
    if (::close(fd) != 0)
        return writeError(path, errno);
    return success();
}

void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string crlfLine(std::string_view text)
{
    std::string line(text);
    line += "\r\n";
    return line;
}

std::string crlfLines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const auto line : lines)
        text += crlfLine(line);
    return text;
}

Result<void> appendRecord(const std::filesystem::path& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return writeError(path, errno);
    return writeAllSyncClose(fd, path, bytes);
}

Result<void> replaceFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Error("Could not write " + pathText(path) + ": it is a folder, not a file");

    std::string temporary = path.string() + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return writeError(path, errno);
    ::fchmod(fd, 0644);
    if (auto written = writeAllSyncClose(fd, path, bytes); !written) {
        ::unlink(temporary.c_str());
        return written;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        return writeError(path, reason);
    }
    syncFolder(path.parent_path());
    return success();
}

} // namespace leapmark
