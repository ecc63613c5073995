// Feeds arbitrary bytes to the lock library's reader of the keymap description on the
// root window, which any program on the display may rewrite. Besides the sanitizers'
// findings, it stops when the options asked for while locked still let the X server
// switch terminals, end itself or break the grabs, or when the command loses the keymap.

#include "XkbRulesNames.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using orvan::winlock::XkbRulesNames;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "xkb fuzzer: %s\n", what);
    std::abort();
}

void checkLockedOptions(const std::string& locked) {
    const std::string last = "srvrkeys:none";
    if (locked.size() < last.size() ||
        locked.compare(locked.size() - last.size(), last.size(), last) != 0) {
        fail("the locked options do not end in srvrkeys:none");
    }
    std::istringstream options(locked.substr(0, locked.size() - last.size()));
    for (std::string option; std::getline(options, option, ',');) {
        if (option.empty() || option.rfind("srvrkeys:", 0) == 0 ||
            option.rfind("terminate:", 0) == 0 || option == "grab:break_actions") {
            fail("an option that frees the keyboard stays while locked");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string property(reinterpret_cast<const char*>(data), size);
    const auto names = XkbRulesNames::parse(property);
    if (!names) {
        return 0;
    }
    const auto locked = XkbRulesNames::withoutServerKeys(names->options);
    checkLockedOptions(locked);
    if (XkbRulesNames::withoutServerKeys(locked) != locked) {
        fail("locking twice changes the options");
    }
    const auto command = names->setxkbmapCommand(locked);
    if (command.empty() || command.back() != locked) {
        fail("the command does not ask for the locked options");
    }
    return 0;
}
