#pragma once

#include <string>

namespace orvan {

// Dates and times as the user's locale writes them, from picture patterns such as
// "dd/MM/yyyy" and "h:mm:ss tt".
class DateText {
public:
    DateText(std::string shortDatePattern, std::string longTimePattern);

    std::string shortDate(double serial) const;
    std::string longTime(double serial) const;
    // Date and time; the date alone at midnight, the time alone on the base date.
    std::string generalDate(double serial) const;

    static std::string format(double serial, const std::string& pattern);

private:
    std::string datePattern_;
    std::string timePattern_;
};

} // namespace orvan
