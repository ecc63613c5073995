#include "base/ErrorReporter.h"

#include "base/Log.h"
#include "support/FakeSystemInfo.h"
#include "support/MemoryFileSystem.h"
#include "support/VirtualTime.h"

#include <gtest/gtest.h>
#include <sstream>

namespace orvan::test {
namespace {

std::vector<std::string> logLines(const MemoryFileSystem& files, const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream text(*files.read(path));
    for (std::string line; std::getline(text, line);) {
        if (const auto dash = line.find(" - "); dash != std::string::npos) {
            lines.push_back(line.substr(dash + 3, line.size() - dash - 4)); // without CR
        }
    }
    return lines;
}

class ErrorReporterTest : public ::testing::Test {
protected:
    ErrorReporterTest() {
        log.setLogFile("/data/client.log");
        errors.setErrorDisplay([this](const std::string& location) { shown.push_back(location); });
        errors.setLockScreenQuery([this] { return lockScreenLoaded; });
    }

    // Three procedures deep: the innermost fails, the middle passes it on, the
    // outermost is an event handler.
    void innermost() {
        errors.trap("modFunctions.subInnerError", OnError::PassOn,
                    [] { throw AppError(AppError::kDivisionByZero, "Division by zero"); });
    }
    void middle() {
        errors.trap("modFunctions.subMiddleError", OnError::PassOn, [this] { innermost(); });
    }
    void handler() {
        errors.trap("frmMain.tmrSessionStatus_TimerError", OnError::ShowUnlessLocked,
                    [this] { middle(); });
    }

    VirtualTime time;
    MemoryFileSystem files;
    FakeSystemInfo system;
    Log log{time, files, system};
    ErrorReporter errors{log};
    std::vector<std::string> shown;
    bool lockScreenLoaded = false;
};

TEST_F(ErrorReporterTest, failureThreeProceduresDeepLeavesOneLinePerProcedure) {
    lockScreenLoaded = true;

    handler();

    EXPECT_EQ(
        logLines(files, "/data/client.log"),
        (std::vector<std::string>{
            "modFunctions.subInnerError: #11 | Division by zero | OrvanClient",
            "modFunctions.subMiddleError: #4646 | Division by zero | modFunctions.subInnerError",
            "frmMain.tmrSessionStatus_TimerError: #4646 | Division by zero | "
            "modFunctions.subMiddleError",
        }));
    EXPECT_TRUE(shown.empty()) << "nothing is shown over the lock screen";
}

TEST_F(ErrorReporterTest, handlerShowsTheErrorWhileNoLockScreenIsLoaded) {
    handler();
    EXPECT_EQ(shown, std::vector<std::string>{"frmMain.tmrSessionStatus_TimerError"});
}

TEST_F(ErrorReporterTest, trapsThatStopReturnTheNeutralResult) {
    const auto text = errors.trap("modFunctions.funTextError", OnError::LogOnly,
                                  []() -> std::string { throw AppError(13, "Type mismatch"); });
    const auto number = errors.trap("modFunctions.funNumberError", OnError::LogOnly,
                                    []() -> int { throw std::out_of_range("index"); });
    const auto flag = errors.trap("modFunctions.funFlagError", OnError::Show,
                                  []() -> bool { throw AppError(5, "Invalid call"); });

    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0);
    EXPECT_FALSE(flag);
    EXPECT_EQ(logLines(files, "/data/client.log")[1],
              "modFunctions.funNumberError: #9 | Subscript out of range | OrvanClient");
    EXPECT_EQ(shown, std::vector<std::string>{"modFunctions.funFlagError"});
}

TEST_F(ErrorReporterTest, reporterReturnsNumberAndDescription) {
    const auto result =
        errors.funReportError(AppError(53, "File not found"), "modX.subYError", false, true);
    EXPECT_EQ(result, "53 - File not found");
}

} // namespace
} // namespace orvan::test
