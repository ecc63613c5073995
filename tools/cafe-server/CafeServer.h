#pragma once

#include "AccountBook.h"
#include "Connection.h"
#include "ConsoleCommand.h"
#include "DiscoveryResponder.h"
#include "ReceivedLog.h"
#include "ScriptRunner.h"
#include "ServerOptions.h"
#include "StreamCutter.h"
#include "TcpListener.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <poll.h>
#include <string>
#include <string_view>
#include <vector>

namespace orvan::cafe {

// The stand-in cafe server: one thread, one poll loop over the listener, the discovery
// socket, the console, the stop signal and every workstation connection.
class CafeServer {
public:
    using Clock = std::chrono::steady_clock;

    // Binds both sockets at once; throws std::runtime_error when one cannot be bound.
    CafeServer(ServerOptions options, std::ostream& out);

    std::uint16_t tcpPort() const { return listener_.port(); }
    std::uint16_t udpPort() const { return discovery_.port(); }

    void watchConsole(int fd) { consoleFd_ = fd; }
    void watchStop(int fd) { stopFd_ = fd; }
    void runScript(std::vector<std::string> lines);

    // Waits at most `maxWait` for something to happen and handles it.
    void pollOnce(std::chrono::milliseconds maxWait);

    // Rounds until quit, a stop signal or the end of the script; then lets the queued
    // messages go out for a moment and returns the exit status.
    int run();

    // Runs one console or script line; false when it failed.
    bool execute(std::string_view line);

    bool running() const { return running_; }

    // 0, except with a script that did not finish or missed an expectation.
    int exitStatus() const;

    std::size_t connectionCount() const { return connections_.size(); }
    AccountBook& accounts() { return book_; }

private:
    struct PollSet {
        std::vector<pollfd> fds;
        std::optional<std::size_t> console;
        std::optional<std::size_t> stop;
        std::size_t firstConnection = 0;
    };

    PollSet pollSet() const;
    int timeoutMs(Clock::time_point now, std::chrono::milliseconds maxWait) const;
    void handle(const PollSet& set);
    void acceptWaiting();
    void answerDiscovery();
    void readConsole();
    void readStop();
    void service(Connection& connection, short events);
    void dispatch(Connection& connection, const std::string& text);
    void note(ReceivedLog::Entry entry);
    void deliver(Connection& connection, std::string_view wire);
    void drop(Connection& connection, std::string_view why);
    void removeDropped();
    void beatIfDue(Clock::time_point now);
    void stepScript(Clock::time_point now);
    std::optional<bool> runLocal(const ConsoleCommand& command);
    bool sendTo(const std::string& target, const std::string& wire);
    void show(const Workstation& workstation, std::string_view wire);
    void list();
    bool fail(std::string_view why);
    void stop(std::string_view why);
    void drain(Clock::duration patience);

    ServerOptions options_;
    std::ostream& out_;
    TcpListener listener_;
    DiscoveryResponder discovery_;
    AccountBook book_;
    std::vector<std::unique_ptr<Connection>> connections_;
    int nextNumber_ = 1;
    int consoleFd_ = -1;
    int stopFd_ = -1;
    StreamCutter consoleLines_{"\n"};
    std::optional<ScriptRunner> script_;
    ReceivedLog log_;
    bool scriptDone_ = false;
    bool running_ = true;
    Clock::time_point nextBeat_;
};

} // namespace orvan::cafe
