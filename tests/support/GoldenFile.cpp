#include "support/GoldenFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace leapmark::testing {

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot open " << path;
        return {};
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string goldenFile(const std::string& relativePath)
{
    return fileBytes(std::filesystem::path(LEAPMARK_TEST_DATA_DIR) / relativePath);
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        ADD_FAILURE() << "cannot write " << path;
}

} // namespace leapmark::testing
