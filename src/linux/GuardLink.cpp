#include "GuardLink.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvan {

GuardLink::GuardLink(std::chrono::milliseconds hungLoopLimit)
    : hungLoopLimit_(hungLoopLimit)
    , lastTurn_(std::chrono::steady_clock::now().time_since_epoch().count()) {}

GuardLink::~GuardLink() {
    stop();
    disconnect();
}

bool GuardLink::start(const std::string& socketPath) {
    if (beater_.joinable() || socketPath.empty()) {
        return false;
    }
    path_ = socketPath;
    const bool registered = connect();
    beater_ = std::thread(&GuardLink::run, this);
    return registered;
}

void GuardLink::loopTurned() {
    lastTurn_ = std::chrono::steady_clock::now().time_since_epoch().count();
}

bool GuardLink::loopHung() const {
    const std::chrono::steady_clock::duration sinceTurn{
        std::chrono::steady_clock::now().time_since_epoch().count() - lastTurn_};
    return sinceTurn > hungLoopLimit_;
}

bool GuardLink::connect() {
    sockaddr_un address{};
    if (path_.size() >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0 ||
        ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        !say(guard::kHello)) {
        disconnect();
        return false;
    }
    return true;
}

void GuardLink::farewell() {
    stop();
    if (fd_ >= 0) {
        say(guard::kBye);
    }
    disconnect();
}

// Whole lines or nothing: a guard that stops reading must not block the client.
bool GuardLink::say(std::string_view line) {
    return ::send(fd_, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT) ==
           static_cast<ssize_t>(line.size());
}

void GuardLink::run() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, guard::kBeatInterval, [this] { return stopping_; })) {
        if (loopHung()) {
            continue;
        }
        if (fd_ < 0) {
            connect();
        } else if (!say(guard::kBeat) && errno != EAGAIN && errno != EWOULDBLOCK) {
            // The guard restarted: register with the new one. A full buffer only means
            // the guard is behind; dropping the line loses nothing.
            disconnect();
        }
    }
}

void GuardLink::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (beater_.joinable()) {
        beater_.join();
    }
}

void GuardLink::disconnect() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
}

} // namespace orvan
