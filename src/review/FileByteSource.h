#pragma once

#include "common/Result.h"
#include "review/ByteSource.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace leapmark {

/**
 * A regular file opened for reading; its size is taken once, at opening, and no read goes past it.
 * Small reads are served from a block read ahead, so that walking many tiny chunks costs no system
 * call each.
 */
class FileByteSource final : public ByteSource
{
public:
    /** Fails with the file's name and the reason; a folder, a pipe or a device is refused unopened. */
    [[nodiscard]] static Result<std::unique_ptr<FileByteSource>> open(const std::filesystem::path& path);

    [[nodiscard]] std::uint64_t size() const override { return m_size; }
    bool read(std::uint64_t offset, void* out, std::size_t count) override;

private:
    FileByteSource(std::ifstream in, std::uint64_t size) : m_in(std::move(in)), m_size(size) {}
    bool readFromFile(std::uint64_t offset, void* out, std::size_t count);

    std::ifstream m_in;
    std::uint64_t m_size;
    std::vector<char> m_block;
    std::uint64_t m_blockOffset = 0;
};

} // namespace leapmark
