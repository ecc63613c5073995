#include "GuardService.h"

#include "GuardProtocol.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvan::guard {

namespace {

// A line longer than any the client says is not a client talking.
constexpr std::size_t kMaxUnread = 256;

int openPidfd(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

std::string lineWithoutEnd(std::string_view line) {
    return std::string{line.substr(0, line.size() - 1)};
}

} // namespace

// Every user may register: a registration can only ever end the registrant's own session.
int GuardService::listenAt(const std::string& path, std::string& error) {
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) {
        error = "path too long";
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ::unlink(path.c_str());
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::chmod(path.c_str(), 0666) != 0 || ::listen(fd, 16) != 0) {
        error = std::strerror(errno);
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    return fd;
}

GuardService::GuardService(int listener, LoginSessions& sessions, Logger log)
    : listener_(listener)
    , sessions_(sessions)
    , log_(std::move(log)) {}

GuardService::~GuardService() {
    for (auto& client : clients_) {
        release(client);
    }
    ::close(listener_);
}

void GuardService::runOnce(std::chrono::milliseconds wait) {
    std::vector<pollfd> fds{{listener_, POLLIN, 0}};
    for (const auto& client : clients_) {
        fds.push_back({client.socket, POLLIN, 0});
        fds.push_back({client.pidfd, POLLIN, 0});
    }
    ::poll(fds.data(), fds.size(), static_cast<int>(untilNextDeadline(wait).count()));
    // What the clients said comes first: a goodbye written just before the end counts.
    for (std::size_t i = 0; i < clients_.size(); ++i) {
        if ((fds[1 + 2 * i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            readFrom(clients_[i]);
        }
        clients_[i].dead = clients_[i].dead || (fds[2 + 2 * i].revents & POLLIN) != 0;
    }
    std::erase_if(clients_, [this](Client& client) { return settle(client); });
    if ((fds[0].revents & POLLIN) != 0) {
        acceptClient();
    }
}

std::chrono::milliseconds GuardService::untilNextDeadline(std::chrono::milliseconds wait) const {
    const auto now = Clock::now();
    for (const auto& client : clients_) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(client.lastHeard + kSilenceLimit - now);
        wait = std::clamp(left, std::chrono::milliseconds{0}, wait);
    }
    return wait;
}

void GuardService::acceptClient() {
    const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (socket < 0) {
        return;
    }
    ucred peer{};
    socklen_t size = sizeof(peer);
    Client client;
    client.socket = socket;
    if (clients_.size() >= kMaxClients) {
        log_("refused a registration: too many clients");
    } else if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
               (client.pidfd = openPidfd(peer.pid)) < 0) {
        log_("refused a registration: its process cannot be watched");
    } else if ((client.session = sessions_.sessionOf(peer.pid)).empty()) {
        log_("process " + std::to_string(peer.pid) + " runs in no login session: not watched");
    } else {
        client.pid = peer.pid;
        client.lastHeard = Clock::now();
        clients_.push_back(std::move(client));
        return;
    }
    release(client);
}

void GuardService::readFrom(Client& client) {
    char buffer[512];
    const auto got = ::read(client.socket, buffer, sizeof(buffer));
    if (got <= 0) {
        client.closed = got == 0 || (errno != EAGAIN && errno != EINTR);
        return;
    }
    client.unread.append(buffer, static_cast<std::size_t>(got));
    for (auto end = client.unread.find('\n'); end != std::string::npos;
         end = client.unread.find('\n')) {
        hear(client, client.unread.substr(0, end + 1));
        client.unread.erase(0, end + 1);
    }
    if (client.unread.size() > kMaxUnread) {
        client.unread.clear();
    }
}

void GuardService::hear(Client& client, const std::string& line) {
    if (line == kHello) {
        client.registered = true;
        log_("watching process " + std::to_string(client.pid) + " of session " + client.session);
    } else if (line == kBye) {
        client.farewell = true;
    } else if (line != kBeat) {
        log_("process " + std::to_string(client.pid) +
             " said something unknown: " + lineWithoutEnd(line).substr(0, 40));
        return;
    }
    client.lastHeard = Clock::now();
}

bool GuardService::settle(Client& client) {
    const bool silent = Clock::now() - client.lastHeard >= kSilenceLimit;
    if (client.farewell && (client.closed || client.dead)) {
        log_("process " + std::to_string(client.pid) + " ended on purpose");
    } else if (!client.registered) {
        // Nothing was promised: a connection that never said hello ends nothing.
        if (!client.closed && !client.dead && !silent) {
            return false;
        }
    } else if (client.dead) {
        endSession(client, "ended without a goodbye");
    } else if (client.closed && !client.farewell) {
        endSession(client, "closed its registration without a goodbye");
    } else if (silent && !client.farewell) {
        endSession(client, "fell silent (stopped or frozen)");
    } else {
        return false;
    }
    release(client);
    return true;
}

void GuardService::endSession(const Client& client, const std::string& why) {
    const bool ended = sessions_.terminate(client.session);
    log_("process " + std::to_string(client.pid) + " " + why + ": " +
         (ended ? "ended session " : "could not end session ") + client.session);
}

void GuardService::release(Client& client) {
    if (client.socket >= 0) {
        ::close(client.socket);
    }
    if (client.pidfd >= 0) {
        ::close(client.pidfd);
    }
    client.socket = client.pidfd = -1;
}

} // namespace orvan::guard
