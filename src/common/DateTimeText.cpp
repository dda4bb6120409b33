#include "common/DateTimeText.h"

#include <cstdio>

namespace leapmark {
namespace {

std::string twoDigits(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value % 100 < 0 ? -(value % 100) : value % 100);
    return buffer;
}

} // namespace

std::string dateText(const LocalDateTime& moment)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s-%s-%04d", twoDigits(moment.month).c_str(),
                  twoDigits(moment.day).c_str(), moment.year);
    return buffer;
}

std::string timeText(const LocalDateTime& moment)
{
    return twoDigits(moment.hour) + ":" + twoDigits(moment.minute) + ":" + twoDigits(moment.second);
}

std::string fileDateStamp(const LocalDateTime& moment)
{
    return twoDigits(moment.month) + twoDigits(moment.day) + twoDigits(moment.year);
}

} // namespace leapmark
