#include "common/RecordFile.h"

#include "common/PathText.h"
#include "common/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

/** Symbolic links followed before a path counts as a loop, as the system itself allows. */
constexpr int kMaxLinkHops = 40;

/**
 * The file a path names once its chain of symbolic links is followed; a link whose target is
 * missing gives that target. A relative target is taken from the link's own folder.
 */
Result<std::filesystem::path> finalTarget(const std::filesystem::path& path)
{
    std::filesystem::path current = path;
    for (int hop = 0;; ++hop) {
        struct stat link
        {};
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return current; // a missing file is created, other failures show in the write
        if (hop == kMaxLinkHops)
            return writeError(path, ELOOP);
        std::string target(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0)
            return writeError(path, errno);
        if (static_cast<std::size_t>(length) >= target.size())
            continue; // the link changed while it was read: read it again
        target.resize(static_cast<std::size_t>(length));
        const std::filesystem::path next(target);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
}

/** Opens a record file for appending; created tells whether this call made it. */
int openForAppend(const std::filesystem::path& path, bool& created)
{
    created = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Read access lets an unended last line be found; a file only writable is appended to as it is.
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
    errno = EEXIST; // it keeps coming and going
    return -1;
}

/**
 * Waits for the file's advisory lock. Every append of every process goes through here, so the
 * tail check, the write and the sync of one append never meet another's. A file system without
 * such locks is written unlocked, as before: refusing would lose the record for certain.
 */
Result<void> lockForAppend(int fd, const std::filesystem::path& path)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL)
            return success();
        return systemError("lock", path, errno);
    }
    return success();
}

/**
 * True when the descriptor still is the file at the path. A first append that fails removes the
 * file it made; another process may have opened that file meanwhile and waited on its lock.
 */
bool stillAtPath(int fd, const std::filesystem::path& path)
{
    struct stat opened
    {};
    struct stat named
    {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

/** A record file opened for appending, its lock held; created tells whether this append made it. */
struct LockedFile
{
    int fd = -1;
    bool created = false;
};

/**
 * Opens the file (the path's final target) and holds its lock; a file removed while waiting is
 * opened again. Errors name the path as given.
 */
Result<LockedFile> openLocked(const std::filesystem::path& file, const std::filesystem::path& path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        LockedFile opened;
        opened.fd = openForAppend(file, opened.created);
        if (opened.fd < 0)
            return writeError(path, errno);
        if (auto locked = lockForAppend(opened.fd, path); !locked) {
            ::close(opened.fd);
            return locked.error();
        }
        if (stillAtPath(opened.fd, file))
            return opened;
        ::close(opened.fd);
    }
    return Error("Could not write " + pathText(path) + ": the file keeps being removed while it is opened");
}

/**
 * True when the file's last byte ends no line. That line may be a judge's note typed at the end of
 * a report, or a record whose writer died in the middle of it; either way the bytes are not ours to
 * remove, but the next record must not be glued onto them. A lone CR ends a line.
 */
bool lastLineUnended(int fd, off_t length)
{
    char last = 0;
    return length > 0 && ::pread(fd, &last, 1, length - 1) == 1 && last != '\n' && last != '\r';
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
    const auto target = finalTarget(path);
    if (!target)
        return target.error();
    const auto file = openLocked(*target, path);
    if (!file)
        return file.error();
    const int fd = file->fd;
    const bool created = file->created;

    // From here to the close this process alone appends. On any failure the file goes back to the
    // length it had: the bytes after it are this append's own.
    struct stat before
    {};
    if (::fstat(fd, &before) != 0) {
        const int reason = errno;
        ::close(fd);
        return writeError(path, reason);
    }
    std::string record;
    if (lastLineUnended(fd, before.st_size))
        record = "\r\n";
    record += bytes;
    const bool written = writeAll(fd, record) && (::fsync(fd) == 0 || errno == EINVAL);
    if (!written) {
        const int reason = errno;
        if (created && before.st_size == 0)
            ::unlink(target->c_str());
        else if (::ftruncate(fd, before.st_size) == 0)
            ::fsync(fd);
        ::close(fd);
        return writeError(path, reason);
    }
    if (::close(fd) != 0)
        return writeError(path, errno);
    if (created)
        syncFolder(target->parent_path());
    return success();
}

Result<void> replaceFile(const std::filesystem::path& path, std::string_view bytes)
{
    const auto resolved = finalTarget(path);
    if (!resolved)
        return resolved.error();
    const std::filesystem::path& target = *resolved;
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        return Error("Could not write " + pathText(path) + ": it is a folder, not a file");

    mode_t mode = 0644;
    if (struct stat old{}; ::stat(target.c_str(), &old) == 0)
        mode = old.st_mode & 0777;
    std::string temporary = target.string() + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return writeError(path, errno);
    ::fchmod(fd, mode);
    if (auto written = writeAllSyncClose(fd, path, bytes); !written) {
        ::unlink(temporary.c_str());
        return written;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        return writeError(path, reason);
    }
    syncFolder(target.parent_path());
    return success();
}

} // namespace leapmark
