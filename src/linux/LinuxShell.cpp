#include "LinuxShell.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <systemd/sd-bus.h>
#include <unistd.h>

namespace orvan {
namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr const char* kLogind = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";

struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
struct SlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using Message = std::unique_ptr<sd_bus_message, MessageUnref>;

struct PendingReply {
    Message reply;
    bool done = false;
};

int storeReply(sd_bus_message* reply, void* userdata, sd_bus_error*) {
    auto* pending = static_cast<PendingReply*>(userdata);
    pending->reply.reset(sd_bus_message_ref(reply));
    pending->done = true;
    return 0;
}

std::uint64_t microsUntil(SteadyClock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::microseconds>(deadline - SteadyClock::now());
    return left.count() > 0 ? static_cast<std::uint64_t>(left.count()) : 0;
}

// One conversation with logind, all of it (connecting, authenticating, the calls)
// bounded by one deadline. sd_bus_call alone would wait for authentication with
// sd-bus's own 25 s timeout, too long for a client the user is looking at.
class Logind {
public:
    explicit Logind(std::chrono::milliseconds timeout)
        : deadline_(SteadyClock::now() + timeout) {
        sd_bus* bus = nullptr;
        if (sd_bus_open_system(&bus) >= 0) {
            bus_.reset(bus);
        }
    }

    Message newCall(const std::string& path, const char* interface, const char* member) {
        sd_bus_message* call = nullptr;
        if (!bus_ || sd_bus_message_new_method_call(bus_.get(), &call, kLogind, path.c_str(),
                                                    interface, member) < 0) {
            return nullptr;
        }
        return Message(call);
    }

    // The reply, or nothing on an error reply, a broken connection or the deadline.
    Message send(const Message& call) {
        if (!call) {
            return nullptr;
        }
        PendingReply pending;
        sd_bus_slot* rawSlot = nullptr;
        if (sd_bus_call_async(bus_.get(), &rawSlot, call.get(), storeReply, &pending,
                              microsUntil(deadline_)) < 0) {
            return nullptr;
        }
        // Dropping the slot on the way out unhooks the callback from `pending`.
        const std::unique_ptr<sd_bus_slot, SlotUnref> slot(rawSlot);
        while (!pending.done) {
            const int processed = sd_bus_process(bus_.get(), nullptr);
            if (processed < 0) {
                return nullptr;
            }
            if (processed > 0) {
                continue;
            }
            const std::uint64_t left = microsUntil(deadline_);
            if (left == 0) {
                return nullptr;
            }
            if (const int waited = sd_bus_wait(bus_.get(), left); waited < 0 && waited != -EINTR) {
                return nullptr;
            }
        }
        if (!pending.reply || sd_bus_message_is_method_error(pending.reply.get(), nullptr)) {
            return nullptr;
        }
        return std::move(pending.reply);
    }

    // "yes", "no", "challenge" or "na"; empty when logind did not answer.
    std::string ask(const char* member) {
        const Message reply = send(newCall(kManagerPath, kManager, member));
        const char* answer = nullptr;
        if (!reply || sd_bus_message_read(reply.get(), "s", &answer) < 0 || answer == nullptr) {
            return {};
        }
        return answer;
    }

    // Power requests are not interactive: nobody at a cafe computer may type a password.
    bool power(const char* member) {
        const Message call = newCall(kManagerPath, kManager, member);
        return call && sd_bus_message_append(call.get(), "b", 0) >= 0 && send(call) != nullptr;
    }

    bool terminateOwnSession() {
        const Message call = newCall(kManagerPath, kManager, "GetSessionByPID");
        if (!call ||
            sd_bus_message_append(call.get(), "u", static_cast<std::uint32_t>(getpid())) < 0) {
            return false;
        }
        const Message reply = send(call);
        const char* session = nullptr;
        if (!reply || sd_bus_message_read(reply.get(), "o", &session) < 0 || session == nullptr) {
            return false;
        }
        return send(newCall(session, kSession, "Terminate")) != nullptr;
    }

private:
    std::unique_ptr<sd_bus, BusClose> bus_;
    SteadyClock::time_point deadline_;
};

bool allowed(const std::string& answer) {
    return answer == "yes" || answer == "challenge";
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Desktop entry values escape backslashes and line breaks, and Exec lines double
// "%", which would otherwise start a field code.
std::string escapeExec(const std::string& command) {
    std::string escaped;
    for (const char c : command) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '%') {
            escaped += "%%";
        } else if (c == '\t') {
            escaped += "\\t";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string unescapeExec(std::string_view value) {
    std::string command;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char next = i + 1 < value.size() ? value[i + 1] : '\0';
        if (value[i] == '%' && next == '%') {
            command += '%';
            ++i;
        } else if (value[i] == '\\' && next != '\0') {
            switch (next) {
            case 's':
                command += ' ';
                break;
            case 'n':
                command += '\n';
                break;
            case 't':
                command += '\t';
                break;
            case 'r':
                command += '\r';
                break;
            case '\\':
                command += '\\';
                break;
            // Quoting inside Exec ("\"", "\$"): part of the command itself.
            default:
                command += value.substr(i, 2);
                break;
            }
            ++i;
        } else {
            command += value[i];
        }
    }
    return command;
}

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The command of an enabled entry. Hidden=true is how a user (or another desktop)
// deletes an autostart entry it cannot remove; GNOME's switch is honoured too.
std::string enabledExec(std::string_view entry) {
    bool inMainGroup = false;
    bool disabled = false;
    std::string exec;
    while (!entry.empty()) {
        const auto end = entry.find('\n');
        const std::string_view line = trim(entry.substr(0, end));
        entry = end == std::string_view::npos ? std::string_view{} : entry.substr(end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (key == "Exec") {
            exec = unescapeExec(value);
        } else if (key == "Hidden") {
            disabled = disabled || value == "true";
        } else if (key == "X-GNOME-Autostart-enabled") {
            disabled = disabled || value == "false";
        }
    }
    return disabled ? std::string{} : exec;
}

} // namespace

LinuxShell::LinuxShell()
    : LinuxShell([] { std::exit(0); }) {}

LinuxShell::LinuxShell(std::function<void()> quitter, std::chrono::milliseconds busTimeout)
    : quitter_(quitter ? std::move(quitter) : [] { std::exit(0); })
    , busTimeout_(busTimeout) {}

bool LinuxShell::enableShutdownPrivilege() {
    Logind logind(busTimeout_);
    return allowed(logind.ask("CanPowerOff")) && allowed(logind.ask("CanReboot"));
}

bool LinuxShell::exitSystem(int flags) {
    Logind logind(busTimeout_);
    if ((flags & kReboot) != 0) {
        return logind.power("Reboot");
    }
    if ((flags & (kShutdown | kPowerOff)) != 0) {
        return logind.power("PowerOff");
    }
    return logind.terminateOwnSession();
}

void LinuxShell::endProcess() {
    quitter_();
}

std::string LinuxShell::autostartCommand() {
    const std::string path = autostartPath();
    const auto entry = path.empty() ? std::nullopt : files_.read(path);
    return entry ? enabledExec(*entry) : std::string{};
}

bool LinuxShell::setAutostartCommand(const std::string& command) {
    const std::string path = autostartPath();
    if (path.empty() || command.empty() || command.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=OrvanClient\n"
                              "Exec=" +
                              escapeExec(command) +
                              "\n"
                              "X-GNOME-Autostart-enabled=true\n";
    return files_.createFolder(path.substr(0, path.rfind('/'))) && files_.write(path, entry);
}

bool LinuxShell::removeAutostart() {
    const std::string path = autostartPath();
    return path.empty() || files_.remove(path);
}

// A relative XDG_CONFIG_HOME is to be ignored, like an unset one.
std::string LinuxShell::autostartPath() const {
    std::string config = environment("XDG_CONFIG_HOME");
    if (!config.starts_with('/')) {
        const std::string home = environment("HOME");
        if (home.empty()) {
            return {};
        }
        config = home + "/.config";
    }
    return config + "/autostart/orvanclient.desktop";
}

} // namespace orvan
