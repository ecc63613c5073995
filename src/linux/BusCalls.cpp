#include "BusCalls.h"

#include <memory>

namespace orvan {
namespace {

constexpr std::size_t kObjectPathLimit = 512;

// What a pending call carries; the bus frees it with the call's slot, answered or not.
struct Pending {
    BusCalls::Reply reply;
    std::shared_ptr<std::size_t> inFlight;
};

int answered(sd_bus_message* message, void* userdata, sd_bus_error*) {
    auto* pending = static_cast<Pending*>(userdata);
    const bool failed = sd_bus_message_is_method_error(message, nullptr) != 0;
    if (pending->reply) {
        // Once only: the slot is freed after this returns.
        auto reply = std::move(pending->reply);
        reply(failed ? nullptr : message);
    }
    return 0;
}

void release(void* userdata) {
    auto* pending = static_cast<Pending*>(userdata);
    --*pending->inFlight;
    delete pending;
}

std::string bounded(const char* value, std::size_t limit) {
    if (value == nullptr) {
        return {};
    }
    std::string copy;
    for (std::size_t i = 0; i < limit && value[i] != '\0'; ++i) {
        copy += value[i];
    }
    return copy;
}

} // namespace

BusCalls::BusCalls(sd_bus* bus, std::size_t limit, std::uint64_t timeoutMicroseconds)
    : bus_(bus)
    , limit_(limit)
    , timeout_(timeoutMicroseconds) {}

bool BusCalls::call(const BusObject& target, const char* interface, const char* member,
                    const Arguments& arguments, Reply reply) {
    if (bus_ == nullptr || *inFlight_ >= limit_) {
        return false;
    }
    sd_bus_message* raw = nullptr;
    if (sd_bus_message_new_method_call(bus_, &raw, target.name.c_str(), target.path.c_str(),
                                       interface, member) < 0) {
        return false;
    }
    const std::unique_ptr<sd_bus_message, decltype(&sd_bus_message_unref)> message(
        raw, &sd_bus_message_unref);
    if (arguments && arguments(raw) < 0) {
        return false;
    }
    auto* pending = new Pending{std::move(reply), inFlight_};
    sd_bus_slot* slot = nullptr;
    if (sd_bus_call_async(bus_, &slot, raw, answered, pending, timeout_) < 0) {
        delete pending;
        return false;
    }
    ++*inFlight_;
    sd_bus_slot_set_destroy_callback(slot, release);
    sd_bus_slot_set_floating(slot, 1);
    sd_bus_slot_unref(slot);
    return true;
}

std::string BusCalls::text(sd_bus_message* message, std::size_t limit) {
    const char* value = nullptr;
    if (message == nullptr || sd_bus_message_read_basic(message, 's', &value) < 0) {
        return {};
    }
    return bounded(value, limit);
}

std::vector<BusObject> BusCalls::objects(sd_bus_message* message, std::size_t limit) {
    std::vector<BusObject> found;
    if (message == nullptr || sd_bus_message_enter_container(message, 'a', "(so)") < 0) {
        return found;
    }
    const char* name = nullptr;
    const char* path = nullptr;
    while (found.size() < limit && sd_bus_message_read(message, "(so)", &name, &path) > 0) {
        found.push_back({bounded(name, kObjectPathLimit), bounded(path, kObjectPathLimit)});
    }
    return found;
}

} // namespace orvan
