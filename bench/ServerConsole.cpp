#include "ServerConsole.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace orvan::bench {

namespace {

using Steady = std::chrono::steady_clock;
constexpr auto kStartBound = std::chrono::seconds(5);

} // namespace

ServerConsole::ServerConsole(const std::string& program, const std::string& folder)
    : log_(folder + "/server.log") {
    const auto pipe = folder + "/console";
    // Held open for reading and writing here, so that the server's open does not wait
    // for a writer and its console never sees an end while the benchmark runs.
    if (mkfifo(pipe.c_str(), 0600) != 0 || (console_ = open(pipe.c_str(), O_RDWR)) < 0) {
        return;
    }
    server_ = std::make_unique<ChildProgram>(
        std::vector<std::string>{program, "--bind", "127.0.0.1", "--tcp-port", "0", "--udp-port",
                                 "0", "--quiet"},
        environmentWith({}), log_, std::chrono::milliseconds(2000), pipe);
    const std::string banner = ": TCP ";
    if (!server_->started() || !waitFor(banner, kStartBound)) {
        return;
    }
    const auto text = output();
    tcpPort_ = std::atoi(text.c_str() + text.find(banner) + banner.size());
}

ServerConsole::~ServerConsole() {
    server_.reset();
    if (console_ >= 0) {
        close(console_);
    }
}

bool ServerConsole::type(const std::string& command) {
    if (console_ < 0 || server_ == nullptr || server_->exited()) {
        return false;
    }
    // The pipe has a reader as long as this holds it, so a write never raises SIGPIPE.
    const auto line = command + "\n";
    return write(console_, line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

bool ServerConsole::waitFor(const std::string& text, std::chrono::milliseconds bound) {
    const auto deadline = Steady::now() + bound;
    do {
        const auto all = output();
        if (const auto at = all.find(text, readUpTo_); at != std::string::npos) {
            const auto lineEnd = all.find('\n', at);
            readUpTo_ = lineEnd == std::string::npos ? all.size() : lineEnd + 1;
            return true;
        }
        if (server_ == nullptr || server_->exited()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (Steady::now() < deadline);
    return false;
}

std::string ServerConsole::output() const {
    std::ifstream in(log_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace orvan::bench
