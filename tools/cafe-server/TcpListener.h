#pragma once

#include "UniqueFd.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvan::cafe {

// The listening TCP socket the workstations connect to.
class TcpListener {
public:
    struct Accepted {
        UniqueFd fd; // non-blocking, no Nagle delay
        std::string peer;
    };

    // Throws std::runtime_error when the address cannot be bound.
    TcpListener(const std::string& host, std::uint16_t port);

    int fd() const { return fd_.get(); }
    std::uint16_t port() const { return port_; }

    // One waiting connection, if any.
    std::optional<Accepted> accept();

private:
    UniqueFd fd_;
    std::uint16_t port_;
};

} // namespace orvan::cafe
