#pragma once

#include "common/Result.h"

#include <cstdint>
#include <filesystem>
#include <memory>

extern "C" {
struct AVIOContext;
}

namespace leapmark {

/**
 * The file a muxer writes, on a descriptor of our own: libavformat writes and seeks through an I/O
 * context whose callbacks go to this descriptor. Every write error (a short write, a full disk, the
 * file-size limit) is kept and refuses later writes, and the syncs go to the very descriptor the data
 * went through, so their errors are seen too. It also tells how much of the file, from its start and
 * without a gap, the system has taken.
 *
 * Errors name the file and the reason; a full disk or the file-size limit is ErrorKind::DiskFull.
 */
class MuxerFile
{
public:
    /** Creates (or replaces) the file. */
    [[nodiscard]] static Result<std::unique_ptr<MuxerFile>> create(const std::filesystem::path& path);
    ~MuxerFile();
    MuxerFile(const MuxerFile&) = delete;
    MuxerFile& operator=(const MuxerFile&) = delete;

    /** The I/O context to give the muxer; it stays owned by this file. */
    [[nodiscard]] AVIOContext* io() const { return m_io; }

    /** Whether the path is a plain file (not a device such as /dev/full, which is never cut or removed). */
    [[nodiscard]] bool isRegularFile() const { return m_regularFile; }

    /** Bytes from the start of the file that the system has taken, without a gap. */
    [[nodiscard]] std::int64_t storedBytes() const { return m_storedBytes; }

    /** Hands the context's buffered bytes to the system. */
    [[nodiscard]] Result<void> flush();
    /** Flushes, then pushes the file's data to the disk (fdatasync). */
    [[nodiscard]] Result<void> syncData();
    /** Flushes, then pushes the file's data and its size and times to the disk (fsync). */
    [[nodiscard]] Result<void> syncAll();

    /**
     * After a failure: cuts the file at length, dropping a torn tail, and pushes what is left to the
     * disk. Buffered bytes are dropped, not written.
     */
    [[nodiscard]] Result<void> keepOnly(std::int64_t length);

    /** Closes the descriptor; later calls do nothing. */
    [[nodiscard]] Result<void> close();

private:
    MuxerFile() = default;
    static int writeBytes(void* opaque, std::uint8_t* bytes, int size);
    static std::int64_t seek(void* opaque, std::int64_t offset, int whence);
    [[nodiscard]] Error failure(const char* doing, int errorNumber) const;
    /** Flushes, then syncs the descriptor with fdatasync or fsync; a failure is kept. */
    [[nodiscard]] Result<void> flushAndSync(int (*sync)(int));

    std::filesystem::path m_path;
    int m_descriptor = -1;
    AVIOContext* m_io = nullptr;
    std::int64_t m_position = 0;
    std::int64_t m_storedBytes = 0;
    int m_errorNumber = 0;
    bool m_regularFile = false;
};

} // namespace leapmark
