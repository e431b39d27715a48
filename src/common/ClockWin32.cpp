#include "common/ClockWin32.h"

#include <windows.h>

#include "common/TextWin32.h"

namespace brumo {
namespace {

constexpr int kTextBuffer = 128;

SYSTEMTIME ToSystemTime(const LocalDateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return st;
}

}  // namespace

LocalDateTime SystemClock::Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalDateTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                         st.wMinute, st.wSecond, st.wMilliseconds};
}

std::string UserLocale::ShortDate(const LocalDateTime& time) {
    const SYSTEMTIME st = ToSystemTime(time);
    wchar_t buffer[kTextBuffer] = {};
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, kTextBuffer) == 0)
        return {};
    return WideToUtf8(buffer);
}

std::string UserLocale::TimeText(const LocalDateTime& time) {
    const SYSTEMTIME st = ToSystemTime(time);
    wchar_t buffer[kTextBuffer] = {};
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, kTextBuffer) == 0) return {};
    return WideToUtf8(buffer);
}

std::string UserLocale::DecimalSeparator() {
    wchar_t buffer[kTextBuffer] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, kTextBuffer) == 0) return ".";
    return WideToUtf8(buffer);
}

}  // namespace brumo
