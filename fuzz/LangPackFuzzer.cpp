// Feeds arbitrary bytes to the language-pack reader as a pack file beside the program.
// Besides the sanitizers' findings, it stops when a text grows beyond its file or when
// the pack's own lines stop being read because of what comes before them.

#include "localization/clsResources.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "language pack fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto pack = orvan::clsResources::parse(text);
    for (const long id : {10000L, 10006L, 10106L, -1L, 0L}) {
        if (pack.GetResStr(id).size() > size) {
            fail("a text longer than its file");
        }
    }
    if (pack.GetLangName().size() > size || pack.GetTradName().size() > size) {
        fail("a name longer than its file");
    }
    // A damaged pack loses only its damaged lines: a good section after it still reads.
    const auto extended =
        orvan::clsResources::parse(std::string(text) + "\n[Strings]\n10999=fuzz\n");
    if (extended.GetResStr(10999) != "fuzz") {
        fail("a good line after damaged ones was lost");
    }
    return 0;
}
