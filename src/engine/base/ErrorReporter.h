#pragma once

#include "base/AppError.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace orvan {

class Log;

// What a procedure's trap does with an error after logging it.
enum class OnError {
    PassOn,           // raise it again as the pass-on error, for the caller's trap
    LogOnly,          // stop here; the procedure returns its neutral result
    Show,             // show the error message and stop here
    ShowUnlessLocked, // event handlers: show only while no lock screen is loaded, stop here
};

// The one error reporter: each trap logs one line, so an error passed up through
// three procedures leaves three lines that read like a call trace.
class ErrorReporter {
public:
    explicit ErrorReporter(Log& log);

    // Logs `error` under `location` and, as the flags say, shows the error message
    // or raises the pass-on error. Returns "number - description".
    std::string funReportError(const AppError& error, const std::string& location, bool blnShow,
                               bool blnNoRaise);
    std::string report(const AppError& error, const std::string& location, OnError mode);

    // Runs `body` inside a trap: an error escaping it is reported under `location`
    // and, unless passed on, the neutral result of the body's type is returned. The
    // location is a view: timers and text lookups run a trap many times a second, and
    // only an error needs it as a string.
    template <class Body>
    auto trap(std::string_view location, OnError mode, Body&& body) -> std::invoke_result_t<Body> {
        using Result = std::invoke_result_t<Body>;
        std::optional<AppError> pending;
        try {
            return body();
        } catch (const std::exception& error) {
            pending.emplace(AppError::fromException(error));
        }
        // Reported outside the handler: passing on throws a new error.
        report(*pending, std::string{location}, mode);
        if constexpr (!std::is_void_v<Result>) {
            return Result{};
        }
    }

    // Shows message 24 for a location (wired to the message catalogue at start-up).
    void setErrorDisplay(std::function<void(const std::string&)> display) {
        display_ = std::move(display);
    }
    // Whether the lock screen is loaded, for handlers that must not show over it.
    void setLockScreenQuery(std::function<bool()> query) { lockScreenLoaded_ = std::move(query); }

private:
    Log& log_;
    std::function<void(const std::string&)> display_;
    std::function<bool()> lockScreenLoaded_;
};

} // namespace orvan
