#include <cwchar>

#include "names/tags/MediaTags.h"

bool LocalDateAndTime(const FILETIME& utc, const TIME_ZONE_INFORMATION* pZone, std::wstring& date,
                      std::wstring& time)
{
    // Through the zone's rules for that date, not today's offset, so that
    // a summer photo keeps its summer hour in winter.
    SYSTEMTIME st, local;
    if (!::FileTimeToSystemTime(&utc, &st) ||
        !::SystemTimeToTzSpecificLocalTime(const_cast<TIME_ZONE_INFORMATION*>(pZone), &st, &local))
        return false;
    wchar_t sz[16];
    swprintf(sz, 16, L"%04u-%02u-%02u", local.wYear, local.wMonth, local.wDay);
    date = sz;
    swprintf(sz, 16, L"%02u.%02u.%02u", local.wHour, local.wMinute, local.wSecond);
    time = sz;
    return true;
}
