#include "video/ffmpeg/MuxerFile.h"

#include "common/PathText.h"
#include "common/TextFile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace leapmark {
namespace {

/** The size of the muxer's write buffer, as FFmpeg's own file output has it. */
constexpr int bufferBytes = 32 * 1024;

} // namespace

Result<std::unique_ptr<MuxerFile>> MuxerFile::create(const std::filesystem::path& path)
{
    std::unique_ptr<MuxerFile> file(new MuxerFile);
    file->m_path = path;
    file->m_descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file->m_descriptor < 0)
        return file->failure("Could not create", errno);
    struct stat facts
    {};
    file->m_regularFile = ::fstat(file->m_descriptor, &facts) == 0 && S_ISREG(facts.st_mode);
    auto* buffer = static_cast<unsigned char*>(av_malloc(bufferBytes));
    if (buffer)
        file->m_io = avio_alloc_context(buffer, bufferBytes, 1, file.get(), nullptr, &MuxerFile::writeBytes,
                                        &MuxerFile::seek);
    if (!file->m_io) {
        av_free(buffer);
        return file->failure("Could not create", ENOMEM);
    }
    return file;
}

MuxerFile::~MuxerFile()
{
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

Error MuxerFile::failure(const char* doing, int errorNumber) const
{
    const ErrorKind kind = errorKindOf(errorNumber);
    const std::string reason =
        kind == ErrorKind::DiskFull ? "the disk is full" : systemErrorText(errorNumber);
    return Error(std::string(doing) + " " + pathText(m_path) + ": " + reason, kind);
}

int MuxerFile::writeBytes(void* opaque, std::uint8_t* bytes, int size)
{
    MuxerFile& file = *static_cast<MuxerFile*>(opaque);
    if (file.m_errorNumber != 0)
        return AVERROR(file.m_errorNumber);
    int done = 0;
    while (done < size) {
        const ssize_t written =
            ::pwrite(file.m_descriptor, bytes + done, static_cast<std::size_t>(size - done), file.m_position);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // A write that takes nothing although the disk said no error is a full disk all the same.
            file.m_errorNumber = written < 0 ? errno : ENOSPC;
            return AVERROR(file.m_errorNumber);
        }
        if (file.m_position <= file.m_storedBytes)
            file.m_storedBytes = std::max(file.m_storedBytes, file.m_position + written);
        file.m_position += written;
        done += static_cast<int>(written);
    }
    return size;
}

std::int64_t MuxerFile::seek(void* opaque, std::int64_t offset, int whence)
{
    MuxerFile& file = *static_cast<MuxerFile*>(opaque);
    whence &= ~AVSEEK_FORCE;
    struct stat status
    {};
    if (whence == AVSEEK_SIZE || whence == SEEK_END) {
        if (::fstat(file.m_descriptor, &status) != 0)
            return AVERROR(errno);
        if (whence == AVSEEK_SIZE)
            return status.st_size;
    }
    std::int64_t position = 0;
    switch (whence) {
    case SEEK_SET:
        position = offset;
        break;
    case SEEK_CUR:
        position = file.m_position + offset;
        break;
    case SEEK_END:
        position = status.st_size + offset;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (position < 0)
        return AVERROR(EINVAL);
    file.m_position = position;
    return position;
}

Result<void> MuxerFile::flush()
{
    if (m_errorNumber == 0 && m_io->error >= 0)
        avio_flush(m_io);
    if (m_errorNumber != 0)
        return failure("Could not write", m_errorNumber);
    if (m_io->error < 0)
        return failure("Could not write", AVUNERROR(m_io->error));
    return success();
}

Result<void> MuxerFile::syncData()
{
    return flushAndSync(::fdatasync);
}

Result<void> MuxerFile::syncAll()
{
    return flushAndSync(::fsync);
}

Result<void> MuxerFile::flushAndSync(int (*sync)(int))
{
    if (auto flushed = flush(); !flushed)
        return flushed;
    if (sync(m_descriptor) != 0) {
        m_errorNumber = errno;
        return failure("Could not write", m_errorNumber);
    }
    return success();
}

Result<void> MuxerFile::keepOnly(std::int64_t length)
{
    if (m_descriptor < 0)
        return success();
    if (m_errorNumber == 0)
        m_errorNumber = ECANCELED; // the buffered rest is not wanted any more
    if (!m_regularFile)
        return success();
    if (::ftruncate(m_descriptor, length) != 0)
        return failure("Could not cut off the torn end of", errno);
    if (::fdatasync(m_descriptor) != 0)
        return failure("Could not write", errno);
    m_storedBytes = std::min(m_storedBytes, length);
    return success();
}

Result<void> MuxerFile::close()
{
    if (m_descriptor < 0)
        return success();
    const int closed = ::close(m_descriptor);
    const int reason = errno;
    m_descriptor = -1;
    if (closed != 0 && reason != EINTR)
        return failure("Could not finish", reason);
    return success();
}

} // namespace leapmark
