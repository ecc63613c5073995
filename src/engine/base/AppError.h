#pragma once

#include <exception>
#include <string>

namespace orvan {

// The error pending in a procedure: what its trap reports, and what travels up to
// the caller's trap when the error is passed on.
class AppError : public std::exception {
public:
    // Numbers in the runtime's own numbering, so that the log reads the same on every
    // platform.
    static constexpr long kInvalidCall = 5;
    static constexpr long kOverflow = 6;
    static constexpr long kOutOfMemory = 7;
    static constexpr long kSubscriptOutOfRange = 9;
    static constexpr long kDivisionByZero = 11;
    static constexpr long kTypeMismatch = 13;
    static constexpr long kFileNotFound = 53;
    static constexpr long kPathFileAccess = 75;
    // The number under which a reported error continues to the caller.
    static constexpr long kPassedOn = 4646;

    AppError(long number, std::string description, std::string source = "OrvanClient");

    // Wraps a standard exception that escaped into a procedure's trap.
    static AppError fromException(const std::exception& error);

    long number() const { return number_; }
    const std::string& description() const { return description_; }
    const std::string& source() const { return source_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    long number_;
    std::string description_;
    std::string source_;
};

} // namespace orvan
