#include "LogindSessions.h"

#include <cstdlib>
#include <memory>
#include <systemd/sd-bus.h>
#include <systemd/sd-login.h>

namespace orvan::guard {

namespace {

// Long enough for a busy logind, short enough that the guard watches on.
constexpr std::uint64_t kCallTimeoutMicros = 5'000'000;

struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_close_unref(bus); }
};

} // namespace

std::string LogindSessions::sessionOf(pid_t pid) {
    char* session = nullptr;
    if (sd_pid_get_session(pid, &session) < 0 || session == nullptr) {
        return {};
    }
    const std::string id{session};
    std::free(session);
    return id;
}

bool LogindSessions::terminate(const std::string& session) {
    sd_bus* raw = nullptr;
    if (sd_bus_open_system(&raw) < 0) {
        return false;
    }
    const std::unique_ptr<sd_bus, BusClose> bus{raw};
    sd_bus_set_method_call_timeout(bus.get(), kCallTimeoutMicros);
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int result =
        sd_bus_call_method(bus.get(), "org.freedesktop.login1", "/org/freedesktop/login1",
                           "org.freedesktop.login1.Manager", "TerminateSession", &error, nullptr,
                           "s", session.c_str());
    sd_bus_error_free(&error);
    return result >= 0;
}

} // namespace orvan::guard
