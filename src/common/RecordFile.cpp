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
    return systemError("write", path, reason);
}

/** Writes every byte; false with errno set on a failure. */
bool writeAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

/** Writes every byte, syncs and closes; the descriptor is closed on every path. */
Result<void> writeAllSyncClose(int fd, const std::filesystem::path& path, std::string_view bytes)
{
    if (!writeAll(fd, bytes)) {
        const int reason = errno;
        ::close(fd);
        return writeError(path, reason);
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

/** Opens a record file for appending; created tells whether this call made it. */
int openForAppend(const std::filesystem::path& path, bool& created)
{
    created = false;
    for (;;) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int made = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (made >= 0) {
            created = true;
            return made;
        }
        if (errno != EEXIST)
            return -1;
        // Someone else created it between the two opens: append to theirs.
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
    bool created = false;
    const int fd = openForAppend(path, created);
    if (fd < 0)
        return writeError(path, errno);

    // A record is whole or absent: on any failure the file goes back to the length it had, so a
    // torn line can never be glued to the next record.
    struct stat before
    {};
    if (::fstat(fd, &before) != 0) {
        const int reason = errno;
        ::close(fd);
        return writeError(path, reason);
    }
    const bool written = writeAll(fd, bytes) && (::fsync(fd) == 0 || errno == EINVAL);
    if (!written) {
        const int reason = errno;
        if (created)
            ::unlink(path.c_str());
        else if (::ftruncate(fd, before.st_size) == 0)
            ::fsync(fd);
        ::close(fd);
        return writeError(path, reason);
    }
    if (::close(fd) != 0)
        return writeError(path, errno);
    if (created)
        syncFolder(path.parent_path());
    return success();
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
