#include "InstallLayout.h"

#include "ScopedEnv.h"

#include <gtest/gtest.h>

namespace orvan {
namespace {

// The tests run as a build tree does: not setgid, so the overrides hold.
TEST(InstallLayout, aBuildTreeFollowsItsOverridesAndRegistersWithAGuardOnlyWhereTold) {
    ASSERT_FALSE(InstallLayout::installed());
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "/tmp/config");
        EXPECT_EQ(InstallLayout::userSettingsFile("/var/lib/OrvanetixClient"),
                  "/tmp/config/OrvanetixClient/user.reg");
        const ScopedEnv guard("ORVAN_GUARD_SOCKET", "/tmp/guard.sock");
        EXPECT_EQ(InstallLayout::guardSocket(), "/tmp/guard.sock");
    }
    const ScopedEnv relative("XDG_CONFIG_HOME", "config");
    const ScopedEnv home("HOME", "/home/somchai");
    EXPECT_EQ(InstallLayout::userSettingsFile("/var/lib/OrvanetixClient"),
              "/home/somchai/.config/OrvanetixClient/user.reg");
    const ScopedEnv noGuard("ORVAN_GUARD_SOCKET", "");
    EXPECT_EQ(InstallLayout::guardSocket(), "");
}

} // namespace
} // namespace orvan
