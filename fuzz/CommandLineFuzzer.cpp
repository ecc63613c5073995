// Feeds arbitrary command lines to the switch reader. Besides the sanitizers' findings,
// it stops when the case of a letter or the choice of "/" over "-" changes a switch.

#include "base/CommandLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "command line fuzzer: %s\n", what);
    std::abort();
}

bool same(const orvan::CommandLine& a, const orvan::CommandLine& b) {
    return a.blnDebugMode == b.blnDebugMode && a.blnTestMode == b.blnTestMode &&
           a.blnKeepApps == b.blnKeepApps && a.blnMultiInstance == b.blnMultiInstance &&
           a.blnNoLockdownReport == b.blnNoLockdownReport;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const auto flags = orvan::CommandLine::parse(line);

    std::string shouted = line;
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    std::string slashed = line;
    std::replace(slashed.begin(), slashed.end(), '-', '/');
    if (!same(flags, orvan::CommandLine::parse(shouted)) ||
        !same(flags, orvan::CommandLine::parse(slashed))) {
        fail("case or slash changed a switch");
    }
    return 0;
}
