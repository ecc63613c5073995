#pragma once

#include "LoginSessions.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace orvan::guard {

// Watches the clients that registered on its socket and ends the login session of one
// that dies, closes its registration or falls silent without saying goodbye: the
// display manager then starts a fresh session, whose client comes up locked. It runs
// as another user than the customer, who therefore cannot stop it. A registration
// lives in memory only: nothing of it outlives the service or the computer's run.
class GuardService {
public:
    using Clock = std::chrono::steady_clock;
    using Logger = std::function<void(const std::string&)>;

    // Registrations beyond this are refused: a flood of them must not exhaust the
    // service's descriptors.
    static constexpr std::size_t kMaxClients = 64;

    // A listening socket at `path` that every user may connect to; -1 with `error` set
    // when it cannot be made.
    static int listenAt(const std::string& path, std::string& error);

    // Takes over `listener`, a listening Unix stream socket.
    GuardService(int listener, LoginSessions& sessions, Logger log);
    ~GuardService();
    GuardService(const GuardService&) = delete;
    GuardService& operator=(const GuardService&) = delete;

    // Handles what happened and what fell due, waiting at most `wait` for something.
    void runOnce(std::chrono::milliseconds wait);

private:
    struct Client {
        int socket = -1;
        int pidfd = -1;
        pid_t pid = 0;
        std::string session;
        Clock::time_point lastHeard;
        std::string unread;
        bool registered = false;
        bool farewell = false;
        bool closed = false;
        bool dead = false;
    };

    std::chrono::milliseconds untilNextDeadline(std::chrono::milliseconds wait) const;
    void acceptClient();
    void readFrom(Client& client);
    void hear(Client& client, const std::string& line);
    // Whether the client is done with, its session ended where it had to be.
    bool settle(Client& client);
    void endSession(const Client& client, const std::string& why);
    static void release(Client& client);

    int listener_;
    LoginSessions& sessions_;
    Logger log_;
    std::vector<Client> clients_;
};

} // namespace orvan::guard
