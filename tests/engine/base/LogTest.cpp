#include "base/Log.h"

#include "support/FakeSystemInfo.h"
#include "support/MemoryFileSystem.h"
#include "support/VirtualTime.h"

#include <gtest/gtest.h>

namespace orvan::test {
namespace {

class LogTest : public ::testing::Test {
protected:
    LogTest() {
        system.programName = "client";
        system.programDir = "/opt/client";
        system.datePattern = "dd/MM/yyyy";
        system.timePattern = "HH:mm:ss";
    }

    VirtualTime time;
    MemoryFileSystem files;
    FakeSystemInfo system;
    Log log{time, files, system, AppVersion{2, 1, 35}};
};

TEST_F(LogTest, lineCarriesProgramVersionAndUtcStampWithMilliseconds) {
    time.setLocalDateTime(2025, 12, 31, 23, 59, 59, 999);
    log.setLogFile("/data/client.log");
    files.write("/data/client.log", "");

    log.subWriteLog("x");

    EXPECT_EQ(*files.read("/data/client.log"), "client 2.1.35 251231.235959.999 - x\r\n");
}

TEST_F(LogTest, lineBreaksInAMessageCannotForgeLinesOfTheirOwn) {
    time.setLocalDateTime(2026, 3, 5, 7, 4, 9, 45);
    log.setLogFile("/data/client.log");
    files.write("/data/client.log", "");

    log.subWriteLog("kept: 'x'\r\nclient 2.1.35 260305.070409.045 - session paid\n\ttab");

    EXPECT_EQ(*files.read("/data/client.log"),
              "client 2.1.35 260305.070409.045 - kept: 'x'\\x0D\\x0Aclient 2.1.35 "
              "260305.070409.045 - session paid\\x0A\ttab\r\n");
}

TEST_F(LogTest, timeStampIsUtcWhateverTheLocalOffset) {
    time.setUtcOffset(7 * 3'600'000); // Bangkok
    time.setLocalDateTime(2026, 3, 5, 14, 4, 9, 45);

    EXPECT_EQ(log.funLogTimeStamp(), "260305.070409.045");
}

TEST_F(LogTest, timeStampPadsZerosAndKeepsTheYearsLastTwoDigits) {
    time.setLocalDateTime(2000, 1, 1, 0, 0, 0, 0);
    EXPECT_EQ(log.funLogTimeStamp(), "000101.000000.000");
    time.setLocalDateTime(2109, 10, 20, 10, 10, 10, 100);
    EXPECT_EQ(log.funLogTimeStamp(), "091020.101010.100");
}

TEST_F(LogTest, newFileStartsWithTwoHeaderLinesAndAnEmptyLine) {
    time.setLocalDateTime(2026, 3, 5, 7, 4, 9, 45);
    log.setLogFile("/data/client.log");

    log.subWriteLog("first");
    log.subWriteLog("second");

    EXPECT_EQ(*files.read("/data/client.log"),
              "client Log file.\r\nCreation date: 05/03/2026 07:04:09\r\n\r\n"
              "client 2.1.35 260305.070409.045 - first\r\n"
              "client 2.1.35 260305.070409.045 - second\r\n");
}

TEST_F(LogTest, linesGoBesideTheProgramUntilStartUpChoosesTheLogFile) {
    log.subWriteLog("early");
    log.setLogFile("/data/client.log");
    log.subWriteLog("late");
    log.subWriteLog("elsewhere", "/tmp/other.log");

    EXPECT_NE(files.read("/opt/client/client.log")->find("- early"), std::string::npos);
    EXPECT_NE(files.read("/data/client.log")->find("- late"), std::string::npos);
    EXPECT_NE(files.read("/tmp/other.log")->find("- elsewhere"), std::string::npos);
}

TEST_F(LogTest, unwritableLogReportsEachFailedLineAndCarriesOn) {
    std::vector<std::string> failures;
    log.setWriteFailureHandler([&](const std::string& path) { failures.push_back(path); });
    log.setLogFile("/locked/client.log");
    files.makeUnwritable("/locked");

    log.subWriteLog("one");
    log.subWriteLog("two");

    EXPECT_EQ(failures, (std::vector<std::string>{"/locked/client.log", "/locked/client.log"}));
}

TEST_F(LogTest, fullLogRollsOverIntoOneOlderCopyAndDiskUseStaysBounded) {
    constexpr auto kMax = Log::kMaxLogBytes;
    const std::string path = "/data/client.log";
    const std::string older = path + ".1";
    log.setLogFile(path);
    const std::string full(kMax - 10, 'a');
    files.write(path, full);

    log.subWriteLog("rolls");
    EXPECT_EQ(files.read(older), full) << "the old lines are kept whole";
    EXPECT_EQ(files.read(path)->rfind("client Log file.\r\n", 0), 0U) << "a new file, new header";
    EXPECT_NE(files.read(path)->find("- rolls\r\n"), std::string::npos);

    const std::string big(8 * 1024, 'b');
    for (std::uint64_t written = 0; written < 3 * kMax; written += big.size()) {
        log.subWriteLog(big);
    }
    EXPECT_EQ(files.files().size(), 2U);
    EXPECT_LE(*files.fileSize(path), kMax);
    EXPECT_LE(*files.fileSize(older), kMax);
    EXPECT_GT(*files.fileSize(older), kMax - 2 * big.size());
}

TEST_F(LogTest, traceIsWrittenOnlyInDebugModeOnceTheLogFileIsChosen) {
    time.setLocalDateTime(2026, 3, 5, 7, 4, 9, 45);
    log.subTrace("App startup");
    log.setTraceToLog(true);
    log.subTrace("App startup");
    EXPECT_TRUE(files.files().empty());

    log.setLogFile("/data/client.log");
    files.write("/data/client.log", "");
    log.subTrace("App startup");
    log.setTraceToLog(false);
    log.subTrace("App shutdown");
    EXPECT_EQ(
        *files.read("/data/client.log"),
        "client 2.1.35 260305.070409.045 - Trace: App startup - 260305.070409.045 client\r\n");
}

} // namespace
} // namespace orvan::test
