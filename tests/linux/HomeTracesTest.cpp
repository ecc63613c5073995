#include "HomeTraces.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace orvan {
namespace {

namespace fs = std::filesystem;

// A customer's home with a Firefox and a Chromium profile, caches, a trash, a
// messenger's logs, and links that lead out of the home.
class HomeTracesTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* file :
             {".mozilla/firefox/abc.default/prefs.js", ".mozilla/firefox/abc.default/places.sqlite",
              ".mozilla/firefox/abc.default/xulstore.json", ".config/chromium/Default/History",
              ".config/chromium/Default/Bookmarks", ".cache/mozilla/firefox/entry",
              ".cache/chromium/Default/Cache/data_0", ".local/share/Trash/files/old.txt",
              ".local/share/Trash/info/old.txt.trashinfo", ".purple/logs/jabber/chat.html",
              ".purple/accounts.xml", ".config/hexchat/logs/net/#cafe.log",
              ".local/share/recently-used.xbel"}) {
            put(home() / file, "customer's");
        }
        put(outside() / "keep.txt", "not the customer's");
        fs::create_directories(home() / ".cache/mozilla");
        fs::create_directory_symlink(outside(), home() / ".cache/mozilla/elsewhere");
        fs::create_directory_symlink(outside(), home() / ".purple/logs/linked");
    }

    static void put(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    static std::string contents(const fs::path& path) {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path home() const { return fs::path{folder_.path()} / "home"; }
    fs::path outside() const { return fs::path{folder_.path()} / "outside"; }

    TempFolder folder_;
    HomeTraces traces_{home(), fs::path{folder_.path()} / "data"};
};

TEST_F(HomeTracesTest, cleansTheProfilesCachesTrashAndRecentList) {
    EXPECT_TRUE(traces_.deleteBrowserCache());
    EXPECT_TRUE(traces_.deleteBrowserHistory());
    EXPECT_TRUE(traces_.resetBrowserLook({}));
    EXPECT_TRUE(traces_.emptyTrash());
    EXPECT_TRUE(traces_.clearRecentDocuments());
    EXPECT_TRUE(traces_.clearMessengerTraces());

    EXPECT_FALSE(fs::exists(home() / ".mozilla/firefox/abc.default/places.sqlite"));
    EXPECT_FALSE(fs::exists(home() / ".mozilla/firefox/abc.default/xulstore.json"));
    EXPECT_TRUE(fs::exists(home() / ".mozilla/firefox/abc.default/prefs.js"));
    EXPECT_FALSE(fs::exists(home() / ".config/chromium/Default/History"));
    EXPECT_TRUE(fs::exists(home() / ".config/chromium/Default/Bookmarks"));
    EXPECT_FALSE(fs::exists(home() / ".cache/chromium/Default"));
    EXPECT_FALSE(fs::exists(home() / ".cache/mozilla/firefox"));
    EXPECT_TRUE(fs::is_empty(home() / ".local/share/Trash/files"));
    EXPECT_FALSE(fs::exists(home() / ".purple/logs/jabber"));
    EXPECT_TRUE(fs::exists(home() / ".purple/accounts.xml"));
    EXPECT_TRUE(fs::is_empty(home() / ".config/hexchat/logs"));
    EXPECT_EQ(contents(home() / ".local/share/recently-used.xbel").find("customer"),
              std::string::npos);
    EXPECT_NE(contents(home() / ".local/share/recently-used.xbel").find("<xbel"),
              std::string::npos);
}

TEST_F(HomeTracesTest, linksLeadingOutOfTheHomeAreNeverFollowed) {
    traces_.deleteBrowserCache();
    traces_.clearMessengerTraces();
    EXPECT_EQ(contents(outside() / "keep.txt"), "not the customer's");
    // A recent list that is a link out of the home is not written through.
    fs::remove(home() / ".local/share/recently-used.xbel");
    fs::create_symlink(outside() / "keep.txt", home() / ".local/share/recently-used.xbel");
    EXPECT_FALSE(traces_.clearRecentDocuments());
    EXPECT_EQ(contents(outside() / "keep.txt"), "not the customer's");
    // Nor is a home whose trash is a link elsewhere emptied there.
    fs::remove_all(home() / ".local/share/Trash");
    fs::create_directory_symlink(outside(), home() / ".local/share/Trash");
    traces_.emptyTrash();
    EXPECT_TRUE(fs::exists(outside() / "keep.txt"));
}

TEST_F(HomeTracesTest, aRunningBrowsersHistoryIsLeftAndReportedAsNotDone) {
    fs::create_symlink("127.0.0.1:+4242", home() / ".mozilla/firefox/abc.default/lock");
    EXPECT_FALSE(traces_.deleteBrowserHistory());
    EXPECT_TRUE(fs::exists(home() / ".mozilla/firefox/abc.default/places.sqlite"));
}

TEST_F(HomeTracesTest, startPageIsWrittenAsOneQuotedPreference) {
    EXPECT_TRUE(traces_.setStartPage("http://cafe.example/\");\nuser_pref(\"x\", \"y"));
    EXPECT_EQ(contents(home() / ".mozilla/firefox/abc.default/user.js"),
              "user_pref(\"browser.startup.homepage\", "
              "\"http://cafe.example/\\\"); user_pref(\\\"x\\\", \\\"y\");\n");
}

TEST(ConfinedFolder, refusesPathsOutsideItsRoots) {
    TempFolder folder;
    const fs::path root = folder / "root";
    fs::create_directories(root / "inside");
    fs::create_directory_symlink(folder.path(), root / "escape");
    const ConfinedFolder confined({root});
    EXPECT_TRUE(confined.contains(root / "inside/file"));
    EXPECT_FALSE(confined.contains(root / "../elsewhere"));
    EXPECT_FALSE(confined.contains(root / "escape/file"));
    EXPECT_FALSE(confined.contains(root / "inside/.."));
    EXPECT_FALSE(confined.write(root / "escape/file", "x"));
    EXPECT_FALSE(fs::exists(folder / "file"));
}

} // namespace
} // namespace orvan
