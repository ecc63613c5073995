#pragma once

#include <string>
#include <string_view>

namespace orvan {

// What the settings dialogs accept as the server's address: a host name (letters,
// digits and hyphens in dot-separated labels of at most 63 characters), a dotted IPv4
// address, or nothing, which means the server is searched for on the network.
class ServerAddress {
public:
    static constexpr std::size_t kMaxLength = 253;

    // Blanks at either end removed, in lower case, as it is stored.
    static std::string normalized(std::string_view typed);
    // Whether the normalized text is empty, a host name or an IPv4 address.
    static bool acceptable(std::string_view typed);

private:
    static bool isIpv4(std::string_view text);
    static bool isHostName(std::string_view text);
};

} // namespace orvan
