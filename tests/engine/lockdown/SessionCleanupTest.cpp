#include "lockdown/SessionCleanup.h"

#include "base/Utf8.h"
#include "support/ClientFixture.h"

namespace orvan::test {
namespace {

class SessionCleanupTest : public ClientFixture {
protected:
    void SetUp() override { start(); }

    SessionCleanup& cleanup() { return client().sessionCleanup(); }
    std::vector<std::string>& steps() { return fake.traces.steps; }
    void allOn() { cleanup().options = {1, 1, 1, 1, 1, "http://cafe.example/", 1}; }
};

TEST_F(SessionCleanupTest, everyStepRunsInOrderWhenSwitchedOn) {
    allOn();
    cleanup().subSessionCleanup();
    EXPECT_EQ(steps(),
              (std::vector<std::string>{"icons", "recent", "trash",
                                        std::string{"wallpaper "} + kDataPath + "/background_image",
                                        "start page http://cafe.example/", "browser look", "cache",
                                        "history", "messenger"}));
}

TEST_F(SessionCleanupTest, nothingRunsWithoutAllowLockdownOrWithOptionsOff) {
    allOn();
    context().settings.blnAllowLockdown = false;
    cleanup().subSessionCleanup();
    EXPECT_TRUE(steps().empty());

    context().settings.blnAllowLockdown = true;
    cleanup().options = {0, 0, 0, 1, 0, "http://cafe.example/", 0};
    cleanup().subSessionCleanup();
    EXPECT_EQ(steps(), (std::vector<std::string>{"start page http://cafe.example/"}))
        << "the start page alone leaves cache and history";
}

TEST_F(SessionCleanupTest, aFailingStepIsLoggedAndTheOthersStillRun) {
    allOn();
    fake.traces.failing = {"recent", "cache"};
    cleanup().subSessionCleanup();
    EXPECT_EQ(steps().size(), 9U);
    EXPECT_TRUE(logContains("could not clear the recent documents"));
    EXPECT_TRUE(logContains("could not delete the browser cache"));
    EXPECT_TRUE(cleanup().funIEDeleteHistory());
}

TEST_F(SessionCleanupTest, windowPlacementIsFivePercentInRoundedHalfToEven) {
    const auto p = SessionCleanup::funWindowPlacement(1024, 768);
    EXPECT_EQ(p.left, 51);
    EXPECT_EQ(p.top, 38);
    EXPECT_EQ(p.right, 973);
    EXPECT_EQ(p.bottom, 730);
    // 5 % of 50 is 2.5 and 95 % of 50 is 47.5: halves go to the even neighbour.
    const auto half = SessionCleanup::funWindowPlacement(50, 10);
    EXPECT_EQ(half.left, 2);
    EXPECT_EQ(half.right, 48);
    EXPECT_EQ(half.top, 0);     // 0.5
    EXPECT_EQ(half.bottom, 10); // 9.5
    // The browser step hands the screen's placement over.
    allOn();
    cleanup().subSessionCleanup();
    EXPECT_GT(fake.traces.placement.right, fake.traces.placement.left);
}

TEST_F(SessionCleanupTest, batchFilesStartWithTheirArgumentsUntouched) {
    const std::string id = "a \"b\" 'c'; $(rm -rf ~)\nd";
    const auto script = std::string{kDataPath} + "/session_batch_start.bat";
    fake.files.write(script, "echo hi");
    context().workstation.session.strUserID = id;
    context().settings.strServerName = "manager";
    cleanup().subRunSessionStartBatch();
    ASSERT_EQ(fake.desktop.started.size(), 1U);
    const auto& started = fake.desktop.started[0];
    EXPECT_EQ(started.arguments,
              (std::vector<std::string>{script, id, "manager",
                                        Utf8::lowerAscii(fake.system.computerName())}));
    EXPECT_EQ(started.outputPath, context().log.currentPath());
}

TEST_F(SessionCleanupTest, batchWithoutIdentifierPassesTheComputerNameAndMissingOneIsLogged) {
    const auto script = std::string{kDataPath} + "/session_batch_end.bat";
    fake.files.write(script, "echo bye");
    cleanup().subRunSessionEndBatch();
    ASSERT_EQ(fake.desktop.started.size(), 1U);
    EXPECT_EQ(fake.desktop.started[0].arguments[1], fake.system.computerName());

    fake.files.remove(script);
    cleanup().subRunSessionEndBatch();
    EXPECT_EQ(fake.desktop.started.size(), 1U);
    EXPECT_TRUE(logContains("modFunctions.subRunSessionEndBatchError"));

    fake.files.write(script, "echo bye");
    fake.desktop.startsPrograms = false;
    cleanup().subRunSessionEndBatch();
    EXPECT_TRUE(logContains("Could not start"));
}

TEST_F(SessionCleanupTest, sessionStartCleansClosesAndRunsTheStartBatch) {
    allOn();
    cleanup().blnRunStartBatch = true;
    fake.files.write(std::string{kDataPath} + "/session_batch_start.bat", "echo hi");
    fake.desktop.windowList = {{40, "gedit", "/usr/bin/gedit", "Notes", 7}};
    context().workstation.intWksnState = Workstation::kConnected;
    EXPECT_TRUE(client().sessionControl().funStartSession());
    EXPECT_EQ(steps().size(), 9U);
    EXPECT_EQ(fake.desktop.closeRequests, (std::vector<std::uint64_t>{7}));
    EXPECT_EQ(fake.desktop.started.size(), 1U);
}

} // namespace
} // namespace orvan::test
