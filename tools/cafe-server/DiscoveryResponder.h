#pragma once

#include "UniqueFd.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvan::cafe {

// Answers the workstations' UDP broadcasts looking for the server.
class DiscoveryResponder {
public:
    // The markers are bytes (some are Thai letters in code page 874): compare bytes only.
    static constexpr std::string_view kRequestMarker{
        "\x25\x24\x26\x23\x56\x41\x4E\x54\x49\x4B\x40\x21\x2A\xA3\xB5\xA4\x3F\xA7\x3B\x23", 20};
    static constexpr std::string_view kAnswerMarker{
        "\x25\x24\x26\x23\x56\x41\x4E\x54\x49\x4B\x7B\x5B\xB0\xA3\x21\x5E\x7D\x25\x7E\x23", 20};

    // Throws std::runtime_error when the address cannot be bound.
    DiscoveryResponder(const std::string& host, std::uint16_t port, std::uint16_t wksnPort,
                       std::string advertise);

    int fd() const { return fd_.get(); }
    std::uint16_t port() const { return port_; }

    // Answers one waiting datagram if it is a request; returns the address answered.
    // Nothing when no datagram waits, or it was no request.
    std::optional<std::string> answerWaiting();

    // The answer to a datagram, or nothing when it does not begin with the request marker.
    static std::optional<std::string> answerFor(std::string_view datagram,
                                                std::string_view advertise);

private:
    UniqueFd fd_;
    std::uint16_t port_;
    std::uint16_t wksnPort_;
    std::string advertise_;
};

} // namespace orvan::cafe
