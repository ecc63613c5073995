#include "ServerOptions.h"

#include "Numbers.h"

#include <limits>
#include <optional>

namespace orvan::cafe {

namespace {

std::optional<std::uint16_t> toPort(std::string_view text) {
    const auto value = Numbers::toInt(text);
    if (!value || *value < 0 || *value > std::numeric_limits<std::uint16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*value);
}

} // namespace

std::string ServerOptions::parse(const std::vector<std::string_view>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view flag = args[i];
        std::optional<std::string_view> value;
        if (const auto equals = flag.find('='); flag.starts_with("--") && equals != flag.npos) {
            value = flag.substr(equals + 1);
            flag = flag.substr(0, equals);
        }
        if (flag == "--quiet" || flag == "--keep-running" || flag == "--help" || flag == "-h") {
            if (value) {
                return std::string(flag) + " takes no value";
            }
            (flag == "--quiet" ? quiet : flag == "--keep-running" ? keepRunning : help) = true;
            continue;
        }
        if (!takesValue(flag)) {
            return "unknown option: " + std::string(flag);
        }
        if (!value && i + 1 == args.size()) {
            return std::string(flag) + " needs a value";
        }
        if (auto error = set(flag, value ? *value : args[++i]); !error.empty()) {
            return error;
        }
    }
    return {};
}

bool ServerOptions::takesValue(std::string_view flag) {
    for (const std::string_view known : {"--bind", "--tcp-port", "--udp-port", "--wksn-udp-port",
                                         "--advertise", "--heartbeat", "--script"}) {
        if (flag == known) {
            return true;
        }
    }
    return false;
}

std::string ServerOptions::set(std::string_view flag, std::string_view value) {
    if (flag == "--bind") {
        bindAddress = value;
    } else if (flag == "--advertise") {
        advertise = value;
    } else if (flag == "--script") {
        scriptPath = value;
    } else if (flag == "--heartbeat") {
        const auto seconds = Numbers::toInt(value);
        if (!seconds || *seconds < 0) {
            return "--heartbeat needs a whole number of seconds: " + std::string(value);
        }
        heartbeatSeconds = *seconds;
    } else {
        const auto port = toPort(value);
        if (!port) {
            return std::string(flag) + " needs a port number: " + std::string(value);
        }
        (flag == "--tcp-port" ? tcpPort : flag == "--udp-port" ? udpPort : wksnUdpPort) = *port;
    }
    return {};
}

std::string_view ServerOptions::usage() {
    return R"(usage: orvan-cafe-server [options]
  --bind ADDRESS        IPv4 address to listen on (default 0.0.0.0)
  --tcp-port PORT       workstation connections (default 4646; 0 picks a free one)
  --udp-port PORT       discovery requests (default 4647)
  --wksn-udp-port PORT  where discovery answers go (default 4648)
  --advertise NAME      host name or address put in discovery answers (default none:
                        the workstation connects to the answer's sender)
  --heartbeat SECONDS   heartbeat period (default 10; 0 sends none)
  --script FILE         run the commands of FILE, then exit: 0 when every expect was met
  --keep-running        with --script: keep serving after the script
  --quiet               hide the periodic status reports except changes of state
Type "help" at the prompt for the commands.
)";
}

} // namespace orvan::cafe
