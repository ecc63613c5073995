#pragma once

#include "BusCalls.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <systemd/sd-bus.h>
#include <systemd/sd-event.h>

namespace orvan {

// The desktop session's accessibility bus, reached without ever waiting: the session
// bus is asked for its address, the connection is made and authenticated as the event
// loop runs, and a missing or lost one is looked for again every second. Everything
// happens inside dispatch(), which the owner calls when fd() is readable.
class AccessibilityBus {
public:
    struct Handlers {
        std::function<void()> connected;
        std::function<void(sd_bus_message*)> signal; // a signal of a subscribed rule
        std::function<void()> tick;                  // every tick while connected
    };

    // With switchOn, the desktop's accessibility switch is turned on as well.
    AccessibilityBus(Handlers handlers, std::uint64_t tickMicroseconds, bool switchOn);
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    // One descriptor for everything the buses wait on; -1 without an event loop.
    int fd() const;
    // Runs what is ready, a bounded number of steps, and never waits.
    void dispatch();
    bool connected() const { return calls_ != nullptr; }
    // Null while not connected.
    BusCalls* calls() { return calls_.get(); }
    // Delivers the signals of a match rule to the signal handler.
    void subscribe(const char* rule);

private:
    static int ticked(sd_event_source* source, std::uint64_t, void* userdata);
    static int signalled(sd_bus_message* message, void* userdata, sd_bus_error*);
    void tick();
    void openSession();
    void askAddress();
    void connect(const std::string& address);
    void disconnect();
    sd_bus* attach(sd_bus* bus);

    Handlers handlers_;
    std::uint64_t tickMicroseconds_;
    bool switchOn_;
    sd_event* event_ = nullptr;
    sd_event_source* timer_ = nullptr;
    sd_bus* session_ = nullptr;
    std::unique_ptr<BusCalls> sessionCalls_;
    bool asking_ = false;
    sd_bus* bus_ = nullptr;
    std::unique_ptr<BusCalls> calls_;
};

} // namespace orvan
