#include "CafeServer.h"

#include "CommandMessages.h"
#include "DayNumber.h"
#include "Message.h"
#include "ServerMessages.h"
#include "Tags.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace orvan::cafe {

namespace {

constexpr auto kDrainPatience = std::chrono::seconds(2);
constexpr auto kRunRound = std::chrono::seconds(1);

int roundedUpMs(CafeServer::Clock::duration wait) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    return static_cast<int>(std::max<decltype(ms)>(ms, 0));
}

} // namespace

CafeServer::CafeServer(ServerOptions options, std::ostream& out)
    : options_(std::move(options))
    , out_(out)
    , listener_(options_.bindAddress, options_.tcpPort)
    , discovery_(options_.bindAddress, options_.udpPort, options_.wksnUdpPort, options_.advertise)
    , book_(AccountBook::builtIn())
    , nextBeat_(Clock::now() + std::chrono::seconds(options_.heartbeatSeconds)) {
    out_ << "cafe server on " << options_.bindAddress << ": TCP " << tcpPort() << ", discovery UDP "
         << udpPort() << " answered to UDP " << options_.wksnUdpPort
         << ". Type help for the commands." << std::endl;
}

void CafeServer::runScript(std::vector<std::string> lines) {
    script_.emplace(std::move(lines), out_);
    scriptDone_ = false;
}

void CafeServer::pollOnce(std::chrono::milliseconds maxWait) {
    stepScript(Clock::now());
    if (!running_) {
        return;
    }
    PollSet set = pollSet();
    if (::poll(set.fds.data(), set.fds.size(), timeoutMs(Clock::now(), maxWait)) > 0) {
        handle(set);
    }
    const auto now = Clock::now();
    beatIfDue(now);
    stepScript(now);
    removeDropped();
}

int CafeServer::run() {
    while (running_) {
        pollOnce(kRunRound);
    }
    drain(kDrainPatience);
    return exitStatus();
}

int CafeServer::exitStatus() const {
    if (!script_) {
        return 0;
    }
    return scriptDone_ && script_->failures() == 0 ? 0 : 1;
}

CafeServer::PollSet CafeServer::pollSet() const {
    PollSet set;
    set.fds.push_back({listener_.fd(), POLLIN, 0});
    set.fds.push_back({discovery_.fd(), POLLIN, 0});
    if (consoleFd_ >= 0) {
        set.console = set.fds.size();
        set.fds.push_back({consoleFd_, POLLIN, 0});
    }
    if (stopFd_ >= 0) {
        set.stop = set.fds.size();
        set.fds.push_back({stopFd_, POLLIN, 0});
    }
    set.firstConnection = set.fds.size();
    for (const auto& connection : connections_) {
        const short events =
            static_cast<short>(POLLIN | (connection->wantsToWrite() ? POLLOUT : 0));
        set.fds.push_back({connection->fd(), events, 0});
    }
    return set;
}

int CafeServer::timeoutMs(Clock::time_point now, std::chrono::milliseconds maxWait) const {
    Clock::duration wait = maxWait;
    if (options_.heartbeatSeconds > 0) {
        wait = std::min(wait, nextBeat_ - now);
    }
    if (script_ && !scriptDone_) {
        if (const auto wake = script_->wakeAt()) {
            wait = std::min(wait, *wake - now);
        }
    }
    return roundedUpMs(wait);
}

void CafeServer::handle(const PollSet& set) {
    const auto& fds = set.fds;
    if (fds[0].revents & POLLIN) {
        acceptWaiting();
    }
    if (fds[1].revents & POLLIN) {
        answerDiscovery();
    }
    if (set.console && (fds[*set.console].revents & (POLLIN | POLLHUP))) {
        readConsole();
    }
    if (set.stop && (fds[*set.stop].revents & POLLIN)) {
        readStop();
    }
    // Connections accepted in this round sit after the ones polled.
    for (std::size_t i = set.firstConnection; i < fds.size(); ++i) {
        Connection& connection = *connections_[i - set.firstConnection];
        if (fds[i].revents != 0 && !connection.dropped()) {
            service(connection, fds[i].revents);
        }
    }
}

void CafeServer::acceptWaiting() {
    while (auto accepted = listener_.accept()) {
        const int number = nextNumber_++;
        out_ << "++ #" << number << " connected from " << accepted->peer << std::endl;
        note({accepted->peer, std::string(ReceivedLog::kConnected), {}});
        connections_.push_back(
            std::make_unique<Connection>(std::move(accepted->fd), number, accepted->peer));
    }
}

void CafeServer::answerDiscovery() {
    if (const auto answered = discovery_.answerWaiting()) {
        out_ << ".. discovery request answered to " << *answered << std::endl;
    }
}

void CafeServer::readConsole() {
    char chunk[4096];
    const auto got = ::read(consoleFd_, chunk, sizeof chunk);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
        return;
    }
    if (got <= 0) {
        // The console has gone (input from /dev/null, a closed pipe); keep serving.
        consoleFd_ = -1;
        return;
    }
    for (const auto& line :
         consoleLines_.feed(std::string_view(chunk, static_cast<std::size_t>(got)))) {
        execute(line);
    }
}

void CafeServer::readStop() {
    char drained[64];
    while (::read(stopFd_, drained, sizeof drained) > 0) {
    }
    stop("stop signal");
}

void CafeServer::service(Connection& connection, short events) {
    if (events & (POLLIN | POLLHUP | POLLERR)) {
        std::vector<std::string> messages;
        const bool open = connection.receive(messages);
        for (const auto& message : messages) {
            dispatch(connection, message);
        }
        if (!open) {
            drop(connection, "closed, unreadable, or a message without end");
            return;
        }
    }
    if ((events & POLLOUT) && !connection.flush()) {
        drop(connection, "send failed");
    }
}

void CafeServer::dispatch(Connection& connection, const std::string& text) {
    const Message message = Message::parse(text);
    Workstation& workstation = connection.workstation();
    const std::string answer = workstation.handle(message, book_, DayNumber::now());
    if (workstation.worthShowing(message, options_.quiet)) {
        out_ << "<- " << workstation.name() << ' ' << message.describe() << std::endl;
    }
    note({workstation.name(), std::string(message.name()), std::string(message.field(0))});
    if (!answer.empty()) {
        show(workstation, answer);
        deliver(connection, answer);
    }
}

void CafeServer::deliver(Connection& connection, std::string_view wire) {
    if (!connection.dropped() && !connection.queue(wire)) {
        drop(connection, "not reading: send failed or too much waiting to be sent");
    }
}

void CafeServer::drop(Connection& connection, std::string_view why) {
    if (connection.dropped()) {
        return;
    }
    connection.markDropped();
    connection.workstation().disconnected(book_);
    out_ << "-- " << connection.workstation().name() << " disconnected: " << why << std::endl;
    note({connection.workstation().name(), std::string(ReceivedLog::kDisconnected),
          std::string(why)});
}

void CafeServer::note(ReceivedLog::Entry entry) {
    if (script_ && !scriptDone_) {
        log_.add(std::move(entry));
    }
}

void CafeServer::removeDropped() {
    std::erase_if(connections_, [](const auto& connection) { return connection->dropped(); });
}

void CafeServer::beatIfDue(Clock::time_point now) {
    if (options_.heartbeatSeconds <= 0 || now < nextBeat_) {
        return;
    }
    nextBeat_ = now + std::chrono::seconds(options_.heartbeatSeconds);
    const std::string beat = ServerMessages::heartbeat();
    for (auto& connection : connections_) {
        deliver(*connection, beat);
    }
}

void CafeServer::stepScript(Clock::time_point now) {
    if (!script_ || scriptDone_) {
        return;
    }
    for (const auto& line : script_->due(now, log_)) {
        if (ConsoleCommand::parse(line)->verb == "quit") {
            script_->finish();
        }
        if (!execute(line)) {
            script_->countFailure();
        }
        if (!running_) {
            break;
        }
    }
    log_.forgetBefore(script_->cursor());
    if (!script_->finished()) {
        return;
    }
    scriptDone_ = true;
    out_ << "script finished: " << script_->failures() << " failure(s)" << std::endl;
    if (!options_.keepRunning) {
        stop("end of script");
    }
}

bool CafeServer::execute(std::string_view line) {
    const auto command = ConsoleCommand::parse(line);
    if (!command) {
        return true;
    }
    if (const auto done = runLocal(*command)) {
        return *done;
    }
    const CommandMessages::Context context{udpPort(), options_.wksnUdpPort, DayNumber::now()};
    const auto built = CommandMessages::build(*command, context);
    if (!built) {
        return fail("unknown command: " + command->verb + " (try help)");
    }
    if (!built->error.empty()) {
        return fail(built->error);
    }
    return sendTo(command->target, built->wire);
}

std::optional<bool> CafeServer::runLocal(const ConsoleCommand& command) {
    const std::string_view verb = command.verb;
    if (verb == "help") {
        out_ << ConsoleCommand::help() << std::flush;
    } else if (verb == "list") {
        list();
    } else if (verb == "accounts") {
        for (const auto& line : book_.describe()) {
            out_ << "   " << line << '\n';
        }
        out_ << std::flush;
    } else if (verb == "account") {
        const std::string error = book_.addFromArgs(command.args);
        return error.empty() || fail(error);
    } else if (verb == "quit") {
        stop("quit");
    } else if (verb == "sleep" || verb == "expect") {
        return fail(command.verb + " works in scripts only");
    } else {
        return std::nullopt;
    }
    return true;
}

bool CafeServer::sendTo(const std::string& target, const std::string& wire) {
    int reached = 0;
    for (auto& connection : connections_) {
        Workstation& workstation = connection->workstation();
        if (connection->dropped() || (!target.empty() && !workstation.matches(target))) {
            continue;
        }
        show(workstation, wire);
        deliver(*connection, wire);
        ++reached;
    }
    if (reached == 0) {
        return fail(target.empty() ? "no workstation connected" : "no workstation " + target);
    }
    return true;
}

void CafeServer::show(const Workstation& workstation, std::string_view wire) {
    StreamCutter cutter{std::string{Tags::kMessageEnd}};
    for (const auto& piece : cutter.feed(wire)) {
        out_ << "-> " << workstation.name() << ' ' << Message::parse(piece).describe() << std::endl;
    }
}

void CafeServer::list() {
    if (connections_.empty()) {
        out_ << "   no workstation connected" << std::endl;
    }
    for (const auto& connection : connections_) {
        const Workstation& workstation = connection->workstation();
        out_ << "   #" << workstation.number() << ' ' << workstation.name() << " from "
             << workstation.peer() << ", state " << workstation.state() << std::endl;
    }
}

bool CafeServer::fail(std::string_view why) {
    out_ << "error: " << why << std::endl;
    return false;
}

void CafeServer::stop(std::string_view why) {
    if (running_) {
        out_ << "stopping: " << why << std::endl;
    }
    running_ = false;
}

void CafeServer::drain(Clock::duration patience) {
    const auto deadline = Clock::now() + patience;
    for (;;) {
        std::vector<pollfd> fds;
        std::vector<Connection*> waiting;
        for (auto& connection : connections_) {
            if (!connection->dropped() && connection->wantsToWrite()) {
                fds.push_back({connection->fd(), POLLOUT, 0});
                waiting.push_back(connection.get());
            }
        }
        const auto left = deadline - Clock::now();
        if (fds.empty() || left <= Clock::duration::zero() ||
            ::poll(fds.data(), fds.size(), roundedUpMs(left)) <= 0) {
            return;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents != 0 && !waiting[i]->flush()) {
                waiting[i]->markDropped();
            }
        }
    }
}

} // namespace orvan::cafe
