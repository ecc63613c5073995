#include "PreseedSettings.h"

#include "IconvAnsiCodec.h"
#include "LinuxSystemInfo.h"
#include "RegistryFileStore.h"
#include "TempFolder.h"
#include "wire/Scrambler.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace orvan {
namespace {

constexpr const char* kGeneral = "Software\\OrvanetixClient\\General";

std::string text(RegistryFileStore& store, Hive hive, const std::string& key,
                 const std::string& name) {
    const auto read = store.read(hive, key, name);
    return read.found() ? std::get<std::string>(read.value) : "<missing>";
}

TEST(PreseedSettings, answersReadBackAsTheClientReadsThemAndOtherSettingsStay) {
    TempFolder data;
    std::filesystem::create_directories(data / "users");
    {
        RegistryFileStore earlier(data / "machine.reg", {});
        ASSERT_TRUE(earlier.write(Hive::Machine, kGeneral, "Default State", SettingValue{"3"}));
        ASSERT_TRUE(earlier.flush(Hive::Machine));
    }
    const PreseedSettings answers{"cafe-server", "pc-12", "s3cret;\"x", "customer"};
    std::string error;
    ASSERT_TRUE(answers.write(data.path(), error)) << error;

    RegistryFileStore store(data / "machine.reg", data / "users/customer.reg");
    EXPECT_EQ(text(store, Hive::Machine, kGeneral, "Workstation Name"), "pc-12");
    EXPECT_EQ(text(store, Hive::Machine, kGeneral, "Config Wizard"), "1");
    EXPECT_EQ(text(store, Hive::Machine, kGeneral, "Default State"), "3");
    EXPECT_EQ(text(store, Hive::Machine, "Software\\OrvanetixClient\\Server", "Name"),
              "cafe-server");
    EXPECT_EQ(text(store, Hive::User, kGeneral, "Config Wizard"), "1");
    const IconvAnsiCodec codec(LinuxSystemInfo{}.ansiCodePage());
    const auto stored = text(store, Hive::Machine, kGeneral, "Password");
    EXPECT_NE(stored, "s3cret;\"x") << "stored scrambled";
    EXPECT_EQ(Scrambler(codec).funDoXOR(stored, "OrvanetixClient"), "s3cret;\"x");
}

TEST(PreseedSettings, aDataFolderThatCannotBeWrittenIsReported) {
    TempFolder data;
    std::ofstream(data / "file") << "not a folder";
    std::string error;
    EXPECT_FALSE((PreseedSettings{"", "pc-1", "", ""}.write(data / "file", error)));
    EXPECT_NE(error.find("machine.reg"), std::string::npos);
}

} // namespace
} // namespace orvan
