// Memory over a long run: a card session left running for 24 hours of virtual time on
// the test fakes, with the server's heartbeat every 10 s, a chat line every 10 minutes
// and a message every hour, while the link drops and comes back 1,000 times. The bytes
// held through operator new are sampled every hour; the growth per hour must round to
// zero. (The allocator's own figures count freed blocks kept in its per-thread caches as
// in use, which wanders by a few hundred bytes whatever the program holds.)

#include "client/Client.h"
#include "support/FakePlatform.h"
#include "wire/DiscoveryMarkers.h"
#include "wire/Tags.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// Bytes held through operator new; one thread only.
std::size_t held = 0;

} // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    held += malloc_usable_size(block);
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        held -= malloc_usable_size(block);
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

namespace {

using namespace orvan;

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kHour = 3600 * kSecond;
constexpr int kHours = 24;
constexpr int kDrops = 1000;
constexpr std::int64_t kHeartbeat = 10 * kSecond;
constexpr std::int64_t kChatEvery = 600 * kSecond;
// Every run of 1,000 drops over a day: one each 86.4 s.
constexpr std::int64_t kDropEvery = kHours * kHour / kDrops;
// The link is down this long before the server answers the search again.
constexpr std::int64_t kDownFor = 5 * kSecond;
constexpr int kChatBurst = 3000;
constexpr const char* kGeneral = "Software\\OrvanetixClient\\General";

template <typename Records>
void forget(Records& records) {
    Records{}.swap(records);
}

std::string message(std::string_view tag, const std::string& payload = {}) {
    return std::string{tag} + payload + std::string{tags::kMessageEnd};
}

class LongSession {
public:
    LongSession() {
        fake_.time.setBoot(5 * 60 * kSecond);
        fake_.store.putString(kGeneral, "Config Wizard", "1");
        fake_.store.write(Hive::User, kGeneral, "Config Wizard", std::string{"1"});
        fake_.store.putString(kGeneral, "Current Settings Version", "4");
        client_ = std::make_unique<Client>(fake_.platform());
        client_->Main("");
        connect();
        openCardSession();
    }

    // Lets `millis` pass with the server's traffic and the drops on their schedule.
    void run(std::int64_t millis) {
        const auto end = elapsed_ + millis;
        while (elapsed_ < end) {
            const auto step = std::min(kHeartbeat, end - elapsed_);
            fake_.time.advance(step);
            elapsed_ += step;
            serve();
        }
    }

    // The bytes the client holds: what the fakes recorded (sent bytes, calls, the log on
    // the fake disk) is dropped first, as a real disk and server hold it.
    std::size_t heldByClient() {
        forgetRecords();
        return held;
    }

    // A day of chat at once: the history reaches its bound, where it must stay.
    void chatAtLength() {
        for (int line = 0; line < kChatBurst; ++line) {
            fake_.tcp.deliver(message(tags::kChatMessage, "Line " + std::to_string(line) +
                                                              " of a long talk with the desk"));
        }
    }

    int drops() const { return drops_; }
    // Greetings sent since the first: each one a link that came back.
    int greetedAgain() const { return greetings_ - 1; }
    int state() const { return client_->context().workstation.intWksnState; }

private:
    void connect() {
        fake_.time.advance(2'500); // the first-connection delay and a watchdog tick
        fake_.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.2");
        fake_.tcp.accept();
        fake_.time.advance(500);
        fake_.tcp.deliver(message(tags::kServerHeartBeat));
    }

    void openCardSession() {
        auto& w = client_->context().workstation;
        w.tariff.intRatioDisconCon = 100;
        w.tariff.intOffPeakRatio = 100;
        w.session.intSessionType = Workstation::kCard;
        w.session.strUserID = "123456";
        w.session.dteCreditTime = w.session.dteRemainingTime = 3.0; // outlasts the day
        w.session.dteValidUntil = client_->context().now() + 30.0;
        w.setState(6);
        client_->sessionControl().funStartSession();
    }

    void serve() {
        if (elapsed_ >= nextDrop_ && drops_ < kDrops) {
            drop();
            return;
        }
        fake_.tcp.deliver(message(tags::kServerHeartBeat));
        if (elapsed_ >= nextChat_) {
            fake_.tcp.deliver(
                message(tags::kChatMessage, "Your coffee is ready " + std::to_string(elapsed_)));
            nextChat_ += kChatEvery;
        }
        if (elapsed_ >= nextMessage_) {
            fake_.tcp.deliver(message(tags::kMessageSend, "Closing at midnight"));
            nextMessage_ += kHour;
        }
    }

    void drop() {
        fake_.tcp.peerClose();
        fake_.time.advance(kDownFor);
        elapsed_ += kDownFor;
        // The watchdog has searched by now; the server answers and takes the connection.
        fake_.udp.answer(std::string{markers::kDiscoveryAnswer}, "192.168.1.2");
        fake_.tcp.accept();
        ++drops_;
        nextDrop_ += kDropEvery;
    }

    void forgetRecords() {
        for (const auto& sent : fake_.tcp.sent) {
            greetings_ += sent.find(tags::kComputerName) != std::string::npos ? 1 : 0;
        }
        forget(fake_.tcp.sent);
        forget(fake_.tcp.connects);
        forget(fake_.udp.sent);
        forget(fake_.shellLock.calls);
        forget(fake_.dialogs.shown);
        forget(fake_.traces.steps);
        std::vector<std::string> logs;
        for (const auto& [path, bytes] : fake_.files.files()) {
            if (path.find(".log") != std::string::npos) {
                logs.push_back(path);
            }
        }
        for (const auto& path : logs) {
            fake_.files.remove(path);
        }
    }

    test::FakePlatform fake_;
    std::unique_ptr<Client> client_;
    std::int64_t elapsed_ = 0;
    std::int64_t nextDrop_ = kDropEvery / 2;
    std::int64_t nextChat_ = kChatEvery;
    std::int64_t nextMessage_ = kHour;
    int drops_ = 0;
    int greetings_ = 0;
};

// Least-squares slope of the samples, one an hour.
double slopePerHour(const std::vector<double>& samples) {
    const auto n = static_cast<double>(samples.size());
    double sx = 0;
    double sy = 0;
    double sxy = 0;
    double sxx = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto x = static_cast<double>(i);
        sx += x;
        sy += samples[i];
        sxy += x * samples[i];
        sxx += x * x;
    }
    const double denominator = n * sxx - sx * sx;
    return denominator == 0 ? 0 : (n * sxy - sx * sy) / denominator;
}

} // namespace

int main() {
    LongSession session;
    // The first hour fills what is filled once (the chat history to its bound, the
    // buffers that grow to the largest message); growth is counted from there.
    session.chatAtLength();
    session.run(kHour);
    std::vector<double> samples{static_cast<double>(session.heldByClient())};
    for (int hour = 1; hour < kHours; ++hour) {
        session.run(kHour);
        samples.push_back(static_cast<double>(session.heldByClient()));
    }
    std::printf("a card session over %d h of virtual time, the link dropped %d times and "
                "greeted again %d times (state at the end: %d)\n",
                kHours, session.drops(), session.greetedAgain(), session.state());
    std::printf("  held after hour 1: %.1f KiB, after hour %d: %.1f KiB\n", samples.front() / 1024,
                kHours, samples.back() / 1024);
    const double growth = slopePerHour(samples) / 1024;
    std::printf("  growth per hour: %.0f KiB (%.3f KiB, least squares over %zu hourly "
                "samples)\n",
                std::round(growth) + 0.0, growth, samples.size());
    return 0;
}
