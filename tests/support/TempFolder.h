#pragma once

#include <filesystem>
#include <string>

namespace leapmark::testing {

/** A fresh folder under the system's temporary folder, removed with everything in it at the end. */
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    [[nodiscard]] std::filesystem::path file(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace leapmark::testing
