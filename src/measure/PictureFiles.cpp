#include "measure/PictureFiles.h"

#include "common/DateTimeText.h"
#include "common/PathText.h"
#include "common/RecordFile.h"

namespace leapmark {

std::string pictureNameStem(const LocalDateTime& moment)
{
    // Cut from the texts as they are written ("mm-dd-yyyy", "hh:mm:ss") so the name always has
    // eight characters.
    const std::string date = dateText(moment);
    const std::string time = timeText(moment);
    return date.substr(1, 1) + date.substr(3, 2) + time.substr(0, 2) + time.substr(3, 2) + time.substr(6, 1);
}

std::string pictureFileName(const LocalDateTime& moment, std::string_view picture_extension)
{
    return pictureNameStem(moment) + std::string(picture_extension);
}

std::string picturePath(std::string_view pictures_path, const LocalDateTime& moment,
                        std::string_view picture_extension)
{
    const std::string name = pictureFileName(moment, picture_extension);
    // No picture folder: the bare name, taken in the current folder like any other.
    return pictures_path.empty() ? name : joinPath(pictures_path, name);
}

std::string pictureInfoFileName(std::string_view picturePath)
{
    return std::string(fileNamePart(picturePath)) + ".info";
}

std::string pictureInfoRecord(std::string_view picturePath, std::string_view skierText,
                              std::string_view passText)
{
    std::string line(picturePath);
    line += ", ";
    line += skierText;
    line += ", ";
    line += passText;
    return crlfLine(line);
}

Result<void> writePictureInfoFile(const std::filesystem::path& folder, std::string_view picturePath,
                                  std::string_view skierText, std::string_view passText)
{
    return replaceFile(folder / toPath(pictureInfoFileName(picturePath)),
                       pictureInfoRecord(picturePath, skierText, passText));
}

} // namespace leapmark
