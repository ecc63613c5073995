#pragma once

#include <string_view>

namespace orvan::markers {

// The two markers of the UDP discovery exchange, as the bytes that cross the wire
// (their non-ASCII bytes are Thai letters in code page 874; compare bytes, never text).
inline constexpr std::string_view kDiscoveryRequest{
    "\x25\x24\x26\x23\x56\x41\x4E\x54\x49\x4B\x40\x21\x2A\xA3\xB5\xA4\x3F\xA7\x3B\x23", 20};
inline constexpr std::string_view kDiscoveryAnswer{
    "\x25\x24\x26\x23\x56\x41\x4E\x54\x49\x4B\x7B\x5B\xB0\xA3\x21\x5E\x7D\x25\x7E\x23", 20};

} // namespace orvan::markers
