#include "review/FileByteSource.h"

#include "common/PathText.h"
#include "common/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace leapmark {

namespace {

constexpr std::size_t readAheadBytes = 64 * 1024;

} // namespace

Result<std::unique_ptr<FileByteSource>> FileByteSource::open(const std::filesystem::path& path)
{
    const std::string name = pathText(path);
    // Opening a named pipe would wait for a writer that may never come.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec)
        return Error(name + ": " + ec.message(), errorKindOf(ec.value()));
    if (!std::filesystem::is_regular_file(status))
        return Error(name + " is not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error(name + ": " + systemErrorText(errno));
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return Error(name + ": " + ec.message());
    return std::unique_ptr<FileByteSource>(new FileByteSource(std::move(in), size));
}

bool FileByteSource::read(std::uint64_t offset, void* out, std::size_t count)
{
    if (offset > m_size || count > m_size - offset)
        return false;
    if (count > readAheadBytes / 4)
        return readFromFile(offset, out, count);
    if (offset < m_blockOffset || offset + count > m_blockOffset + m_block.size()) {
        m_block.resize(static_cast<std::size_t>(std::min<std::uint64_t>(readAheadBytes, m_size - offset)));
        if (!readFromFile(offset, m_block.data(), m_block.size())) {
            m_block.clear();
            return false;
        }
        m_blockOffset = offset;
    }
    std::memcpy(out, m_block.data() + (offset - m_blockOffset), count);
    return true;
}

bool FileByteSource::readFromFile(std::uint64_t offset, void* out, std::size_t count)
{
    m_in.clear();
    m_in.seekg(static_cast<std::streamoff>(offset));
    m_in.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(m_in.gcount()) == count;
}

} // namespace leapmark
