#include "LinuxSystemInfo.h"

#include "ScopedEnv.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <net/if.h>

namespace orvan {
namespace {

TEST(LinuxSystemInfo, NamesTheComputerAndTheUser) {
    const LinuxSystemInfo info;
    EXPECT_FALSE(info.computerName().empty());
    EXPECT_EQ(info.computerName().find('.'), std::string::npos);

    const ScopedEnv user("USER", "not-the-account-name");
    EXPECT_FALSE(info.userName().empty());
    EXPECT_NE(info.userName(), "not-the-account-name");
}

TEST(LinuxSystemInfo, ListsLoopbackAmongAdaptersInIndexOrder) {
    const auto adapters = LinuxSystemInfo().adapters();
    const auto loopback = std::find_if(adapters.begin(), adapters.end(), [](const auto& a) {
        return a.type == NetworkAdapter::kLoopback;
    });
    ASSERT_NE(loopback, adapters.end());
    EXPECT_NE(std::find(loopback->addresses.begin(), loopback->addresses.end(), "127.0.0.1"),
              loopback->addresses.end());

    for (std::size_t i = 1; i < adapters.size(); ++i) {
        EXPECT_LT(if_nametoindex(adapters[i - 1].name.c_str()),
                  if_nametoindex(adapters[i].name.c_str()));
    }
}

TEST(LinuxSystemInfo, LocaleComesFromTheUsualVariablesInOrder) {
    const ScopedEnv all("LC_ALL", nullptr);
    const ScopedEnv messages("LC_MESSAGES", nullptr);
    const ScopedEnv lang("LANG", "th_TH.UTF-8");
    const LinuxSystemInfo info;
    EXPECT_EQ(info.threadLocaleId(), 1054);
    EXPECT_EQ(info.ansiCodePage(), 874);

    setenv("LC_MESSAGES", "pl_PL.UTF-8", 1);
    EXPECT_EQ(info.threadLocaleId(), 1045);
    setenv("LC_ALL", "", 1); // empty means unset
    EXPECT_EQ(info.threadLocaleId(), 1045);
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(info.threadLocaleId(), 1041);
    EXPECT_EQ(info.ansiCodePage(), 932);
}

TEST(LinuxSystemInfo, FormatsFallBackWhenTheLocaleIsMissing) {
    const ScopedEnv all("LC_ALL", "xx_YY.UTF-8");
    const LinuxSystemInfo info;
    EXPECT_EQ(info.decimalSeparator(), ".");
    EXPECT_EQ(info.shortDatePattern(), "MM/dd/yyyy");
    EXPECT_EQ(info.longTimePattern(), "HH:mm:ss");
}

TEST(LinuxSystemInfo, FoldersFollowTheExecutableUnlessOverridden) {
    const LinuxSystemInfo info;
    {
        const ScopedEnv program("ORVAN_PROGRAM_FOLDER", nullptr);
        EXPECT_EQ(info.programFileName(), "linux_tests");
        EXPECT_TRUE(std::filesystem::exists(info.programFolder() + "/linux_tests"));
    }
    const ScopedEnv program("ORVAN_PROGRAM_FOLDER", "/opt/orvan");
    EXPECT_EQ(info.programFolder(), "/opt/orvan");

    const ScopedEnv data("ORVAN_COMMON_APPDATA", "");
    EXPECT_EQ(info.commonAppDataFolder(), "/var/lib");
    setenv("ORVAN_COMMON_APPDATA", "/srv/orvan", 1);
    EXPECT_EQ(info.commonAppDataFolder(), "/srv/orvan");
}

} // namespace
} // namespace orvan
