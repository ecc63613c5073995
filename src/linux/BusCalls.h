#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

namespace orvan {

// A bus object named by its peer: the unique bus name and the object path.
struct BusObject {
    std::string name;
    std::string path;
};

// Asynchronous method calls on one sd-bus connection, never waited for: each reply (or
// its error, or its timeout) reaches a callback when the event loop dispatches it. The
// number of calls in flight is bounded, so that a peer that never answers cannot make
// the queue grow; and text read from replies is cut to a bound.
class BusCalls {
public:
    // The reply, or nullptr for an error, a timeout or a call that could not be sent.
    using Reply = std::function<void(sd_bus_message*)>;
    using Arguments = std::function<int(sd_bus_message*)>;

    BusCalls(sd_bus* bus, std::size_t limit, std::uint64_t timeoutMicroseconds);

    // False (and no callback) when the bound is reached or the call cannot be sent.
    bool call(const BusObject& target, const char* interface, const char* member,
              const Arguments& arguments, Reply reply);
    std::size_t inFlight() const { return *inFlight_; }

    // Readers of reply parts; a malformed part yields what was read before it.
    static std::string text(sd_bus_message* message, std::size_t limit);
    static std::vector<BusObject> objects(sd_bus_message* message, std::size_t limit);

private:
    sd_bus* bus_;
    std::size_t limit_;
    std::uint64_t timeout_;
    // Shared with the pending calls, which may outlive this object on the bus.
    std::shared_ptr<std::size_t> inFlight_ = std::make_shared<std::size_t>(0);
};

} // namespace orvan
