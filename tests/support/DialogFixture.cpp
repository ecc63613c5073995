#include "support/DialogFixture.h"

#include "client/Startup.h"

#include <variant>

namespace orvan::test {

std::string DialogFixture::stored(Hive hive, const std::string& key, const std::string& name) {
    const auto read = fake.store.read(hive, key, name);
    if (!read.found()) {
        return {};
    }
    if (const auto* number = std::get_if<std::uint32_t>(&read.value)) {
        return std::to_string(*number);
    }
    return std::get<std::string>(read.value);
}

void DialogFixture::letTheLinkStart() {
    // The connection delay after boot, then the watchdog's first tick.
    fake.time.advance(context().constants.wksnCnxMinDelay + 500);
}

} // namespace orvan::test
