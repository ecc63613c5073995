#pragma once

#include <string>
#include <string_view>

namespace orvan {

// Translates the POSIX description of the user's locale into the Windows notions the
// engine was written against. Pure functions, so that they can be checked without
// the locales being installed.
class LocaleMapping {
public:
    // "th_TH.UTF-8" -> 1054. A known language in an unknown territory gives that
    // language's main identifier; "C", "POSIX", "" and unknown languages give 1033.
    static int localeId(std::string_view posixLocale);
    // The single-byte code page Windows uses for the locale (874, 1250..1258) or its
    // double-byte one (932, 936, 949, 950); 1252 when nothing more fitting is known.
    static int ansiCodePage(std::string_view posixLocale);
    // "%d/%m/%Y" -> "dd/MM/yyyy". Literal characters stay; conversions without a
    // picture equivalent are dropped.
    static std::string pictureFromStrftime(std::string_view format);
};

} // namespace orvan
