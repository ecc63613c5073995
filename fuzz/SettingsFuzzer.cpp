// Feeds arbitrary bytes to the settings-file reader as a hive file the customer could
// have edited. Besides the sanitizers' findings, it stops when what was understood does
// not survive being written and read again: a value the client saves must load back.

#include "HiveDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "settings fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> problems;
    const auto document = orvan::HiveDocument::parse(text, kRoot, "fuzz", problems);
    const auto written = document.format(kRoot);

    std::vector<std::string> again;
    const auto reread = orvan::HiveDocument::parse(written, kRoot, "fuzz", again);
    if (!again.empty()) {
        fail("a file the client wrote has lines it cannot read");
    }
    if (reread.format(kRoot) != written) {
        fail("values change when written and read again");
    }
    return 0;
}
