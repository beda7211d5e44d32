#include "platform/rtl/FileDate.h"

TDateTime FileDateToDateTime(std::uint32_t fileDate)
{
    const std::uint32_t date = fileDate >> 16;
    const std::uint32_t time = fileDate & 0xFFFF;
    return EncodeDate(static_cast<int>(1980 + (date >> 9)), static_cast<int>((date >> 5) & 15),
                      static_cast<int>(date & 31)) +
           EncodeTime(static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 63),
                      static_cast<int>(2 * (time & 31)), 0);
}
