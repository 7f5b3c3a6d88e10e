#pragma once
#include <ctime>
#include <string>

namespace applet {

// Language identifier of Japanese systems, which name albums by digits only.
constexpr unsigned short kJapaneseLangId = 1041;

// The time format an album name starts from: digits on a Japanese system,
// the locale's long date ("%#x") elsewhere.
const char *DateAlbumFormat(unsigned short systemLangId);

// Cuts the weekday name (and a comma right after it, and the blanks that then
// lead the rest) out of a long date, then trims blanks at both ends.
std::string RemoveWeekday(const std::string &longDate, const std::string &weekday);

// strftime under the process's current C locale, without a length limit;
// empty when the format yields nothing.
std::string FormatTime(const char *format, const std::tm &when);

// The album name for `when` on a system of the given language.
std::string FormatDateAlbumName(const std::tm &when, unsigned short systemLangId);

}  // namespace applet
