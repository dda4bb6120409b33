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
        // Read access lets a torn last line be found; a file only writable is appended to as it is.
        int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
        if (fd < 0 && errno == EACCES)
            fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int made = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (made >= 0) {
            created = true;
            return made;
        }
        if (errno != EEXIST)
            return -1;
        // Someone else created it between the two opens: append to theirs.
    }
}

/**
 * The length of the file without a torn last line: records always end with a line end, so bytes
 * after the last one are the start of a record whose writer died in the middle of it (a process
 * killed inside its write, a machine losing power). Such a record was never reported written.
 */
off_t lengthWithoutTornTail(int fd, off_t length)
{
    constexpr off_t kChunk = 4096;
    char last = 0;
    if (length == 0 || ::pread(fd, &last, 1, length - 1) != 1 || last == '\n' || last == '\r')
        return length;
    std::string chunk(kChunk, '\0');
    for (off_t end = length; end > 0;) {
        const off_t start = end > kChunk ? end - kChunk : 0;
        const ssize_t got = ::pread(fd, chunk.data(), static_cast<std::size_t>(end - start), start);
        if (got != end - start)
            return length; // unreadable: leave the file as it is
        for (off_t i = end - start; i > 0; --i) {
            const char byte = chunk[static_cast<std::size_t>(i - 1)];
            if (byte == '\n' || byte == '\r')
                return start + i;
        }
        end = start;
    }
    return 0;
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
    if (bytes.empty() || bytes.back() != '\n')
        return Error("Could not write " + pathText(path) + ": a record must end with a line end");
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
    const off_t whole = lengthWithoutTornTail(fd, before.st_size);
    if (whole != before.st_size && ::ftruncate(fd, whole) != 0) {
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
