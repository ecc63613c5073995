#include "base/ErrorReporter.h"

#include "base/Log.h"

namespace orvan {

ErrorReporter::ErrorReporter(Log& log)
    : log_(log) {}

std::string ErrorReporter::funReportError(const AppError& error, const std::string& location,
                                          bool blnShow, bool blnNoRaise) {
    const auto message = location + ": #" + std::to_string(error.number()) + " | " +
                         error.description() + " | " + error.source();
    log_.subTrace(message);
    log_.subWriteLog(message);
    if (blnShow) {
        if (display_) {
            display_(location);
        }
    } else if (!blnNoRaise) {
        throw AppError(AppError::kPassedOn, error.description(), location);
    }
    return std::to_string(error.number()) + " - " + error.description();
}

std::string ErrorReporter::report(const AppError& error, const std::string& location,
                                  OnError mode) {
    switch (mode) {
    case OnError::PassOn:
        return funReportError(error, location, false, false);
    case OnError::LogOnly:
        return funReportError(error, location, false, true);
    case OnError::Show:
        return funReportError(error, location, true, false);
    case OnError::ShowUnlessLocked:
        break;
    }
    const bool locked = lockScreenLoaded_ && lockScreenLoaded_();
    return funReportError(error, location, !locked, true);
}

} // namespace orvan
