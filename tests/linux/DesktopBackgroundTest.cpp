#include "DesktopBackground.h"

#include "ScopedEnv.h"

#include <gtest/gtest.h>

namespace orvan {
namespace {

TEST(DesktopBackground, setsThePictureWhereTheDesktopHasTheSetting) {
    // Settings kept in memory: the test machine's desktop stays as it is.
    const ScopedEnv backend("GSETTINGS_BACKEND", "memory");
    if (!DesktopBackground::set("/var/lib/OrvanetixClient/background_image")) {
        GTEST_SKIP() << "no desktop background schema installed";
    }
    EXPECT_EQ(DesktopBackground::current(), "file:///var/lib/OrvanetixClient/background_image");
}

} // namespace
} // namespace orvan
