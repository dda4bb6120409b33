#include "measure/ResultsFile.h"

#include "common/DateTimeText.h"
#include "common/RecordFile.h"

namespace leapmark {
namespace {

std::string stampedRecord(const LocalDateTime& moment, std::string_view text)
{
    std::string line = dateText(moment) + " " + timeText(moment) + " ";
    line += text;
    return crlfLine(line);
}

} // namespace

std::string defaultResultsFileName(const LocalDateTime& today)
{
    return "JumpMeasurementResults" + fileDateStamp(today) + ".txt";
}

std::string_view rerideText(RerideKind kind)
{
    return kind == RerideKind::Mandatory ? "Mandatory Reride - disregard last jump"
                                         : "Optional Reride on previous jump";
}

std::string rerideRecord(const LocalDateTime& moment, RerideKind kind)
{
    return stampedRecord(moment, rerideText(kind));
}

std::string commentRecord(const LocalDateTime& moment, std::string_view comment)
{
    return stampedRecord(moment, comment);
}

std::string pictureSavedRecord(const LocalDateTime& moment, std::string_view picturePath)
{
    return stampedRecord(moment, "Saved picture: " + std::string(picturePath));
}

std::string pictureLoadedRecord(const LocalDateTime& moment, std::string_view current_picture_file)
{
    return stampedRecord(moment, "Loaded picture: " + std::string(current_picture_file));
}

std::string newConfigurationRecord(const LocalDateTime& moment, std::string_view tournamentName)
{
    std::string line = "New Configuration: " + dateText(moment) + "  " + timeText(moment) + " ";
    line += tournamentName;
    return crlfLine(line);
}

Result<void> ResultsFile::append(std::string_view record) const
{
    return appendRecord(m_path, record);
}

} // namespace leapmark
