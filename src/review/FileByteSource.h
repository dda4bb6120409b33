#pragma once

#include "common/Result.h"
#include "review/ByteSource.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace leapmark {

/** A file opened for reading; its size is taken once, at opening, and no read goes past it. */
class FileByteSource final : public ByteSource
{
public:
    /** Fails with the file's name and the system's reason. */
    [[nodiscard]] static Result<std::unique_ptr<FileByteSource>> open(const std::filesystem::path& path);

    [[nodiscard]] std::uint64_t size() const override { return m_size; }
    bool read(std::uint64_t offset, void* out, std::size_t count) override;

private:
    FileByteSource(std::ifstream in, std::uint64_t size) : m_in(std::move(in)), m_size(size) {}

    std::ifstream m_in;
    std::uint64_t m_size;
};

} // namespace leapmark
