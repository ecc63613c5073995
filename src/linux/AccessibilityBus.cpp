#include "AccessibilityBus.h"

namespace orvan {
namespace {

constexpr std::size_t kCallLimit = 256;
constexpr std::uint64_t kCallTimeoutMicroseconds = 2'000'000;
constexpr std::size_t kAddressLimit = 1024;
constexpr int kStepsPerDispatch = 64;
// How soon a missing bus is looked for again.
constexpr std::uint64_t kRetryMicroseconds = 1'000'000;
const BusObject kLauncher{"org.a11y.Bus", "/org/a11y/bus"};

} // namespace

AccessibilityBus::AccessibilityBus(Handlers handlers, std::uint64_t tickMicroseconds, bool switchOn)
    : handlers_(std::move(handlers))
    , tickMicroseconds_(tickMicroseconds)
    , switchOn_(switchOn) {
    if (sd_event_new(&event_) < 0) {
        event_ = nullptr;
        return;
    }
    sd_event_add_time_relative(event_, &timer_, CLOCK_MONOTONIC, kRetryMicroseconds, 0, ticked,
                               this);
    openSession();
    dispatch();
}

AccessibilityBus::~AccessibilityBus() {
    // Pending calls go with their connection, unanswered; nothing waits to be sent.
    disconnect();
    sessionCalls_.reset();
    sd_bus_close_unref(session_);
    sd_event_source_unref(timer_);
    sd_event_unref(event_);
}

int AccessibilityBus::fd() const {
    return event_ == nullptr ? -1 : sd_event_get_fd(event_);
}

void AccessibilityBus::dispatch() {
    // Bounded, so that a flood of messages cannot hold the event loop; what is left
    // keeps the descriptor readable.
    for (int step = 0; event_ != nullptr && step < kStepsPerDispatch; ++step) {
        if (sd_event_run(event_, 0) <= 0) {
            break;
        }
    }
}

sd_bus* AccessibilityBus::attach(sd_bus* bus) {
    if (bus != nullptr && sd_bus_attach_event(bus, event_, SD_EVENT_PRIORITY_NORMAL) < 0) {
        sd_bus_close_unref(bus);
        return nullptr;
    }
    return bus;
}

void AccessibilityBus::openSession() {
    sd_bus* session = nullptr;
    if (sd_bus_open_user(&session) < 0) {
        return; // no desktop bus: nothing is ever read
    }
    session_ = attach(session);
    if (session_ != nullptr) {
        sessionCalls_ = std::make_unique<BusCalls>(session_, 8, kCallTimeoutMicroseconds);
        askAddress();
    }
}

void AccessibilityBus::askAddress() {
    if (asking_ || sessionCalls_ == nullptr) {
        return;
    }
    // Programs started from now on expose their accessible tree without being told.
    if (switchOn_) {
        sessionCalls_->call(
            kLauncher, "org.freedesktop.DBus.Properties", "Set",
            [](sd_bus_message* m) {
                return sd_bus_message_append(m, "ssv", "org.a11y.Status", "IsEnabled", "b", 1);
            },
            nullptr);
    }
    asking_ = sessionCalls_->call(kLauncher, "org.a11y.Bus", "GetAddress", nullptr,
                                  [this](sd_bus_message* reply) {
                                      asking_ = false;
                                      connect(BusCalls::text(reply, kAddressLimit));
                                  });
}

void AccessibilityBus::connect(const std::string& address) {
    // Only a local socket: another transport (unixexec: runs a program) is refused.
    if (address.rfind("unix:", 0) != 0 || bus_ != nullptr) {
        return;
    }
    sd_bus* bus = nullptr;
    if (sd_bus_new(&bus) < 0) {
        return;
    }
    if (sd_bus_set_address(bus, address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 ||
        sd_bus_start(bus) < 0) {
        sd_bus_close_unref(bus);
        return;
    }
    bus_ = attach(bus);
    if (bus_ != nullptr) {
        calls_ = std::make_unique<BusCalls>(bus_, kCallLimit, kCallTimeoutMicroseconds);
        if (handlers_.connected) {
            handlers_.connected();
        }
    }
}

void AccessibilityBus::disconnect() {
    calls_.reset();
    sd_bus_close_unref(bus_);
    bus_ = nullptr;
}

void AccessibilityBus::subscribe(const char* rule) {
    if (bus_ != nullptr) {
        sd_bus_add_match_async(bus_, nullptr, rule, signalled, nullptr, this);
    }
}

int AccessibilityBus::signalled(sd_bus_message* message, void* userdata, sd_bus_error*) {
    auto* self = static_cast<AccessibilityBus*>(userdata);
    if (self->handlers_.signal) {
        self->handlers_.signal(message);
    }
    return 0;
}

int AccessibilityBus::ticked(sd_event_source* source, std::uint64_t, void* userdata) {
    auto* self = static_cast<AccessibilityBus*>(userdata);
    self->tick();
    sd_event_source_set_time_relative(source, self->connected() ? self->tickMicroseconds_
                                                                : kRetryMicroseconds);
    sd_event_source_set_enabled(source, SD_EVENT_ONESHOT);
    return 0;
}

void AccessibilityBus::tick() {
    if (bus_ != nullptr && sd_bus_is_open(bus_) <= 0) {
        disconnect();
    }
    if (session_ != nullptr && sd_bus_is_open(session_) <= 0) {
        sessionCalls_.reset();
        sd_bus_close_unref(session_);
        session_ = nullptr;
        asking_ = false;
    }
    if (session_ == nullptr) {
        openSession();
    } else if (bus_ == nullptr) {
        askAddress();
    } else if (handlers_.tick) {
        handlers_.tick();
    }
}

} // namespace orvan
