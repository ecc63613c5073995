#include "SharedLibrary.h"

#include <cstring>
#include <gtest/gtest.h>

namespace orvan {
namespace {

TEST(SharedLibrary, bindsWhatALibraryHasAndNothingWithoutOne) {
    const SharedLibrary c("libc.so.6");
    ASSERT_TRUE(c.loaded());
    decltype(&std::strlen) length = nullptr;
    ASSERT_TRUE(c.bind(length, "strlen"));
    EXPECT_EQ(length("four"), 4u);
    EXPECT_FALSE(c.bind(length, "no_such_function_here"));
    EXPECT_EQ(length, nullptr);

    const SharedLibrary missing("libno-such-library.so.9");
    EXPECT_FALSE(missing.loaded());
    EXPECT_FALSE(missing.bind(length, "strlen"));
}

} // namespace
} // namespace orvan
