#include "AccessibleAddresses.h"

#include <cstring>
#include <utility>

namespace orvan {
namespace {

constexpr const char* kAccessible = "org.a11y.atspi.Accessible";
const BusObject kRegistryRoot{"org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"};
const BusObject kRegistry{"org.a11y.atspi.Registry", "/org/a11y/atspi/registry"};
const BusObject kDaemon{"org.freedesktop.DBus", "/org/freedesktop/DBus"};

constexpr std::size_t kApplicationLimit = 256;
constexpr std::size_t kFrameLimit = 32;
constexpr std::size_t kNameLimit = 1024;
// Longer addresses (pages inlined as data) are not reported at all rather than cut.
constexpr std::size_t kAddressLimit = 4096;
constexpr int kEntryLimit = 64;
constexpr std::uint32_t kRelationEmbeds = 13;

// What the bridges of the toolkits send only once someone has asked for it.
constexpr const char* kEvents[] = {"document:load-complete",
                                   "object:property-change:accessible-name", "window:create",
                                   "window:destroy", "object:children-changed"};
constexpr const char* kRules[] = {
    "type='signal',interface='org.a11y.atspi.Event.Document',member='LoadComplete'",
    "type='signal',interface='org.a11y.atspi.Event.Object',member='PropertyChange',"
    "arg0='accessible-name'",
    "type='signal',interface='org.a11y.atspi.Event.Window'",
    // Children of an application's root are its windows; of the registry's, programs.
    "type='signal',interface='org.a11y.atspi.Event.Object',member='ChildrenChanged',"
    "path='/org/a11y/atspi/accessible/root'",
    "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',"
    "member='NameOwnerChanged'"};

} // namespace

AccessibleAddresses::AccessibleAddresses(Options options)
    : bus_({[this] { onConnected(); }, [this](sd_bus_message* m) { onSignal(m); },
            [this] { refresh(); }},
           options.refreshMicroseconds, options.switchOn) {}

std::string AccessibleAddresses::address(pid_t pid, const std::string& title) const {
    for (const auto& [name, application] : applications_) {
        if (application.pid != pid || pid <= 0) {
            continue;
        }
        for (const auto& frame : application.frames) {
            if (frame.name == title) {
                return frame.address;
            }
        }
        if (application.frames.size() == 1) {
            return application.frames.front().address;
        }
    }
    return {};
}

bool AccessibleAddresses::known(pid_t pid) const {
    for (const auto& [name, application] : applications_) {
        if (pid > 0 && application.pid == pid && !application.frames.empty()) {
            return true;
        }
    }
    return false;
}

void AccessibleAddresses::onConnected() {
    // A new connection: what was read on the last one is gone with it.
    applications_.clear();
    listing_ = false;
    for (const char* rule : kRules) {
        bus_.subscribe(rule);
    }
    for (const char* event : kEvents) {
        bus_.calls()->call(
            kRegistry, "org.a11y.atspi.Registry", "RegisterEvent",
            [event](sd_bus_message* m) { return sd_bus_message_append(m, "sass", event, 0, ""); },
            nullptr);
    }
    listApplications();
}

void AccessibleAddresses::onSignal(sd_bus_message* message) {
    const char* sender = sd_bus_message_get_sender(message);
    if (sd_bus_message_is_signal(message, "org.freedesktop.DBus", "NameOwnerChanged") != 0) {
        const char* name = nullptr;
        const char* before = nullptr;
        const char* after = nullptr;
        if (sd_bus_message_read(message, "sss", &name, &before, &after) >= 0 && name != nullptr &&
            after != nullptr && *after == '\0') {
            applications_.erase(name);
        }
        return;
    }
    if (sender != nullptr && applications_.count(sender) != 0) {
        readApplication(sender);
    } else if (sd_bus_message_is_signal(message, nullptr, "ChildrenChanged") != 0) {
        listApplications(); // the registry: a program came or went
    }
}

void AccessibleAddresses::refresh() {
    listApplications();
    for (const auto& [name, application] : applications_) {
        readApplication(name);
    }
}

void AccessibleAddresses::listApplications() {
    if (bus_.calls() == nullptr) {
        return;
    }
    if (listing_) {
        listAgain_ = true;
        return;
    }
    listing_ = bus_.calls()->call(kRegistryRoot, kAccessible, "GetChildren", nullptr,
                                  [this](sd_bus_message* reply) {
                                      listing_ = false;
                                      if (reply != nullptr) {
                                          listed(BusCalls::objects(reply, kApplicationLimit));
                                      }
                                      if (std::exchange(listAgain_, false)) {
                                          listApplications();
                                      }
                                  });
}

void AccessibleAddresses::listed(const std::vector<BusObject>& roots) {
    std::map<std::string, Application> kept;
    std::vector<std::string> fresh;
    for (const auto& root : roots) {
        if (auto known = applications_.extract(root.name); !known.empty()) {
            kept.insert(std::move(known));
        } else if (kept.count(root.name) == 0) {
            auto& application = kept[root.name];
            application.root = root;
            application.epoch = ++epochs_;
            fresh.push_back(root.name);
        }
    }
    applications_ = std::move(kept);
    for (const auto& name : fresh) {
        readApplication(name);
    }
}

AccessibleAddresses::Application* AccessibleAddresses::current(const std::string& name,
                                                               std::uint64_t epoch) {
    const auto found = applications_.find(name);
    return found == applications_.end() || found->second.epoch != epoch ? nullptr : &found->second;
}

void AccessibleAddresses::askPid(const std::string& name, std::uint64_t epoch) {
    if (bus_.calls() == nullptr) {
        return;
    }
    bus_.calls()->call(
        kDaemon, "org.freedesktop.DBus", "GetConnectionUnixProcessID",
        [name](sd_bus_message* m) { return sd_bus_message_append(m, "s", name.c_str()); },
        [this, name, epoch](sd_bus_message* reply) {
            std::uint32_t pid = 0;
            Application* application = current(name, epoch);
            if (application != nullptr && reply != nullptr &&
                sd_bus_message_read_basic(reply, 'u', &pid) > 0) {
                application->pid = static_cast<pid_t>(pid);
            }
        });
}

void AccessibleAddresses::readApplication(const std::string& name) {
    const auto found = applications_.find(name);
    if (found == applications_.end()) {
        return;
    }
    Application& application = found->second;
    if (application.reading) {
        application.again = true; // a flood of signals costs one more reading, no more
        return;
    }
    application.reading = true;
    if (application.pid == 0) {
        askPid(name, application.epoch); // again, should the last answer have been lost
    }
    auto reading = std::make_shared<Reading>();
    reading->name = name;
    reading->epoch = application.epoch;
    ask(reading, application.root, kAccessible, "GetChildren", nullptr,
        [this, reading](sd_bus_message* reply) {
            if (reply == nullptr) {
                reading->incomplete = true;
                return;
            }
            readFrames(reading, BusCalls::objects(reply, kFrameLimit));
        });
}

void AccessibleAddresses::readFrames(const std::shared_ptr<Reading>& reading,
                                     const std::vector<BusObject>& frames) {
    reading->frames.resize(frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        readFrame(reading, i, frames[i]);
    }
}

void AccessibleAddresses::readFrame(const std::shared_ptr<Reading>& reading, std::size_t index,
                                    const BusObject& frame) {
    ask(
        reading, frame, "org.freedesktop.DBus.Properties", "Get",
        [](sd_bus_message* m) { return sd_bus_message_append(m, "ss", kAccessible, "Name"); },
        [reading, index](sd_bus_message* reply) { reading->frames[index].name = nameOf(reply); });
    ask(reading, frame, kAccessible, "GetRelationSet", nullptr,
        [this, reading, index](sd_bus_message* reply) {
            const auto document = embedded(reply);
            if (!document) {
                return;
            }
            ask(reading, *document, "org.a11y.atspi.Document", "GetAttributes", nullptr,
                [reading, index](sd_bus_message* attributes) {
                    reading->frames[index].address = documentAddress(attributes);
                });
        });
}

void AccessibleAddresses::ask(const std::shared_ptr<Reading>& reading, const BusObject& target,
                              const char* interface, const char* member,
                              const BusCalls::Arguments& arguments, Step then) {
    ++reading->waiting;
    BusCalls* calls = bus_.calls();
    const bool sent = calls != nullptr &&
                      calls->call(target, interface, member, arguments,
                                  [this, reading, then = std::move(then)](sd_bus_message* reply) {
                                      then(reply);
                                      settle(reading);
                                  });
    if (!sent) {
        reading->incomplete = true;
        settle(reading);
    }
}

void AccessibleAddresses::settle(const std::shared_ptr<Reading>& reading) {
    if (--reading->waiting > 0) {
        return;
    }
    Application* application = current(reading->name, reading->epoch);
    if (application == nullptr) {
        return; // the program went away meanwhile
    }
    application->reading = false;
    // Calls refused for want of room keep what the last reading found.
    if (!reading->incomplete || reading->frames.size() > 0) {
        application->frames = std::move(reading->frames);
    }
    if (std::exchange(application->again, false)) {
        readApplication(reading->name);
    }
}

std::string AccessibleAddresses::nameOf(sd_bus_message* reply) {
    if (reply == nullptr || sd_bus_message_enter_container(reply, 'v', "s") <= 0) {
        return {};
    }
    return BusCalls::text(reply, kNameLimit);
}

std::optional<BusObject> AccessibleAddresses::embedded(sd_bus_message* reply) {
    if (reply == nullptr || sd_bus_message_enter_container(reply, 'a', "(ua(so))") <= 0) {
        return std::nullopt;
    }
    for (int i = 0; i < kEntryLimit && sd_bus_message_enter_container(reply, 'r', "ua(so)") > 0;
         ++i) {
        std::uint32_t type = 0;
        if (sd_bus_message_read_basic(reply, 'u', &type) <= 0) {
            return std::nullopt;
        }
        if (type == kRelationEmbeds) {
            const auto targets = BusCalls::objects(reply, 1);
            return targets.empty() ? std::nullopt : std::optional<BusObject>{targets.front()};
        }
        if (sd_bus_message_skip(reply, "a(so)") < 0 || sd_bus_message_exit_container(reply) < 0) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string AccessibleAddresses::documentAddress(sd_bus_message* reply) {
    if (reply == nullptr || sd_bus_message_enter_container(reply, 'a', "{ss}") <= 0) {
        return {};
    }
    const char* key = nullptr;
    const char* value = nullptr;
    for (int i = 0; i < kEntryLimit && sd_bus_message_read(reply, "{ss}", &key, &value) > 0; ++i) {
        // DocURL in most engines, URI in some.
        if (std::strcmp(key, "DocURL") == 0 || std::strcmp(key, "URI") == 0) {
            return strnlen(value, kAddressLimit + 1) > kAddressLimit ? std::string{}
                                                                     : std::string{value};
        }
    }
    return {};
}

} // namespace orvan
