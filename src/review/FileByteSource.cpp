#include "review/FileByteSource.h"

#include "common/PathText.h"
#include "common/TextFile.h"

#include <cerrno>

namespace leapmark {

Result<std::unique_ptr<FileByteSource>> FileByteSource::open(const std::filesystem::path& path)
{
    const std::string name = pathText(path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error(name + ": " + systemErrorText(errno));
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return Error(name + ": " + ec.message());
    return std::unique_ptr<FileByteSource>(new FileByteSource(std::move(in), size));
}

bool FileByteSource::read(std::uint64_t offset, void* out, std::size_t count)
{
    if (offset > m_size || count > m_size - offset)
        return false;
    m_in.clear();
    m_in.seekg(static_cast<std::streamoff>(offset));
    m_in.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(m_in.gcount()) == count;
}

} // namespace leapmark
