#include "review/mmInfo.h"

#include "common/PathText.h"
#include "common/Prompts.h"
#include "common/TextFile.h"
#include "review/AviRiffReader.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace leapmark {

namespace {

const char* trueFalse(bool value)
{
    return value ? "True" : "False";
}

} // namespace

mmInfo::mmInfo(Prompts& prompts) : m_prompts(prompts) {}

bool mmInfo::isAviFile(const std::string& path)
{
    if (!fileExists(path)) {
        std::error_code ec;
        if (std::filesystem::exists(toPath(path), ec))
            tellNotARegularFile(path);
        else
            m_prompts.tell("File does not exist:\r\n" + path, MessageIcon::Critical);
        return false;
    }
    std::FILE* file = std::fopen(toPath(path).c_str(), "rb");
    if (file == nullptr) {
        const int reason = errno;
        if (reason == EACCES || reason == EPERM)
            m_prompts.tell("File is locked - cannot access:\r\n" + path, MessageIcon::Critical);
        else
            m_prompts.tell(systemErrorText(reason), MessageIcon::Information);
        return false;
    }
    std::array<char, 12> leading{};
    const std::size_t got = std::fread(leading.data(), 1, leading.size(), file);
    std::fclose(file);
    return hasAviSignature(std::string_view(leading.data(), got));
}

std::optional<AviFileInfo> mmInfo::readFileInfo(const std::string& path)
{
    std::error_code ec;
    const auto filePath = toPath(path);
    if (!std::filesystem::is_regular_file(filePath, ec)) {
        if (std::filesystem::exists(filePath, ec))
            tellNotARegularFile(path);
        else
            m_prompts.tell("Unable to open file:\r\n" + path, MessageIcon::Critical);
        return std::nullopt;
    }
    auto info = readAviFileInfo(filePath);
    if (!info) {
        m_prompts.tell("Unable to read AVI file info from:\r\n" + path, MessageIcon::Critical);
        return std::nullopt;
    }
    return std::move(info).value();
}

std::uint32_t mmInfo::width(const std::string& path)
{
    const auto info = readFileInfo(path);
    return info ? info->width : 0;
}

std::uint32_t mmInfo::height(const std::string& path)
{
    const auto info = readFileInfo(path);
    return info ? info->height : 0;
}

std::uint32_t mmInfo::length(const std::string& path)
{
    const auto info = readFileInfo(path);
    return info ? info->length : 0;
}

std::uint32_t mmInfo::frameRate(const std::string& path)
{
    const auto info = readFileInfo(path);
    return info ? roundedFrameRate(*info) : 0;
}

std::string mmInfo::fileType(const std::string& path)
{
    const auto info = readFileInfo(path);
    return info ? info->fileType : std::string();
}

bool mmInfo::capsBit(const std::string& path, std::uint32_t bit)
{
    const auto info = readFileInfo(path);
    return info && (info->caps & bit) != 0;
}

bool mmInfo::flagsBit(const std::string& path, std::uint32_t bit)
{
    const auto info = readFileInfo(path);
    return info && (info->flags & bit) != 0;
}

bool mmInfo::isCompressed(const std::string& path)
{
    const auto info = readFileInfo(path);
    return info && (info->caps & AviCaps::NoCompression) == 0;
}

bool mmInfo::allKeyFrames(const std::string& path)
{
    return capsBit(path, AviCaps::AllKeyFrames);
}
bool mmInfo::canRead(const std::string& path)
{
    return capsBit(path, AviCaps::CanRead);
}
bool mmInfo::canWrite(const std::string& path)
{
    return capsBit(path, AviCaps::CanWrite);
}
bool mmInfo::hasCopyright(const std::string& path)
{
    return flagsBit(path, AviFlags::Copyrighted);
}
bool mmInfo::wasCaptureFile(const std::string& path)
{
    return flagsBit(path, AviFlags::WasCaptureFile);
}
bool mmInfo::hasIndex(const std::string& path)
{
    return flagsBit(path, AviFlags::HasIndex);
}
bool mmInfo::mustUseIndex(const std::string& path)
{
    return flagsBit(path, AviFlags::MustUseIndex);
}
bool mmInfo::isInterleaved(const std::string& path)
{
    return flagsBit(path, AviFlags::IsInterleaved);
}

void mmInfo::tellNotARegularFile(const std::string& path)
{
    // A named pipe would hold the open until something writes to it; a folder has no bytes to read.
    m_prompts.tell("Not a regular file (a folder, a pipe or a device) - cannot read:\r\n" + path,
                   MessageIcon::Critical);
}

bool mmInfo::fileExists(const std::string& path)
{
    std::error_code ec;
    (void)std::filesystem::file_size(toPath(path), ec);
    return !ec;
}

std::vector<std::string> mmInfo::fileInformationLines(const std::string& path)
{
    // One read and at most one box, where a query per line would repeat a failure fifteen times.
    const auto info = readFileInfo(path);
    if (!info) {
        AviFileInfo empty;
        empty.caps = AviCaps::NoCompression; // a failed read answers False to every test, "Compressed" too
        return leapmark::fileInformationLines(path, empty);
    }
    return leapmark::fileInformationLines(path, *info);
}

std::vector<std::string> fileInformationLines(const std::string& path, const AviFileInfo& info)
{
    auto number = [](std::uint32_t value) { return std::to_string(value); };
    return {
        "Filename: " + path,
        "File Type: " + info.fileType,
        "Height: " + number(info.height),
        "Width: " + number(info.width),
        "Length: " + number(info.length) + " frames",
        "Rate: " + number(roundedFrameRate(info)) + "fps",
        "=== dwCaps ===",
        std::string("Compressed: ") + trueFalse((info.caps & AviCaps::NoCompression) == 0),
        std::string("All Key Frames: ") + trueFalse((info.caps & AviCaps::AllKeyFrames) != 0),
        std::string("Can Read: ") + trueFalse((info.caps & AviCaps::CanRead) != 0),
        std::string("Can Write: ") + trueFalse((info.caps & AviCaps::CanWrite) != 0),
        "=== dwFlags ===",
        std::string("Contains Copyright Info: ") + trueFalse((info.flags & AviFlags::Copyrighted) != 0),
        std::string("Capture File: ") + trueFalse((info.flags & AviFlags::WasCaptureFile) != 0),
        std::string("Has Index: ") + trueFalse((info.flags & AviFlags::HasIndex) != 0),
        std::string("Must Use Index: ") + trueFalse((info.flags & AviFlags::MustUseIndex) != 0),
        std::string("Interleaved: ") + trueFalse((info.flags & AviFlags::IsInterleaved) != 0),
    };
}

} // namespace leapmark
