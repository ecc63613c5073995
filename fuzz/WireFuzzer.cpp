// Feeds arbitrary bytes to a connected client as the server's side of the TCP link:
// the inbound stream, the dispatcher and every handler behind it.
//
// Input layout: the first byte says how many chunk bytes follow (1 to 8, its low bits),
// whether a card session runs before the first arrival (its high bit) and whether a
// second passes after the last arrival (bit 6); each chunk byte is the length of one
// arrival (0: all that is left), used in turn until the data runs out. Virtual time moves
// a little between arrivals so the timers run too. The long wait at the end reaches the
// status reports and session ticks that follow a message, but costs more than most inputs'
// own work, so the input asks for it: the fuzzer keeps such inputs where they cover more.
//
// Whatever arrives, the workstation ends locked or in a session: never deactivated, never
// in a blocked state without its lock screen, unless the server shut the computer down.
//
// The connected client is built once, in a snapshot arena, and rewound before every
// input: each input starts from the same bytes, so a finding reproduces from its input
// alone. ORVAN_WIRE_FRESH=1 builds a new client per input instead (slow, the reference);
// ORVAN_WIRE_CHECK=1 runs every input both ways and aborts where they differ.

#include "SnapshotArena.h"
#include "client/Client.h"
#include "engine/imaging/PngBytes.h"
#include "support/FakePlatform.h"
#include "wire/DiscoveryMarkers.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

using orvan::Client;
using orvan::EngineContext;
using orvan::Hive;
using orvan::Workstation;
using orvan::fuzz::SnapshotArena;
using orvan::test::FakePlatform;

constexpr const char* kGeneral = "Software\\OrvanetixClient\\General";
constexpr const char* kConstants = "Software\\OrvanetixClient\\Constants";
// Small, so that a few hundred bytes of input reach the payload file.
constexpr long kStorageThreshold = 64;
constexpr std::int64_t kBetweenArrivals = 50;
constexpr std::int64_t kLongTail = 1'000; // two status reports and the session ticks
constexpr std::size_t kMaxChunkBytes = 8;
constexpr std::uint8_t kSessionBit = 0x80;
constexpr std::uint8_t kLongTailBit = 0x40;
constexpr double kTenMinutes = 10.0 / (24 * 60);

// A configured workstation, started well after boot, connected and greeted. Each input
// gets it as it was here: a disabled link or a half-stored payload must not leak into the
// next run, and a crash must reproduce from its input alone.
struct ConnectedClient {
    FakePlatform fake;
    std::unique_ptr<Client> client;

    ConnectedClient() {
        fake.time.setBoot(5 * 60 * 1000);
        fake.store.putString(kGeneral, "Config Wizard", "1");
        fake.store.write(Hive::User, kGeneral, "Config Wizard", std::string{"1"});
        fake.store.putString(kGeneral, "Current Settings Version", "4");
        fake.store.putString(kConstants, "cnxMinSizeTmpFileStore",
                             std::to_string(kStorageThreshold));
        client = std::make_unique<Client>(fake.platform());
        client->Main("");
        // A configured workstation has its logo: without one, every showing of the lock
        // screen threw and logged a missing file. A logo the server sends still goes
        // through the PNG check.
        fake.files.write(client->context().settings.strLogoPath, orvan::test::PngBytes::minimal());
        fake.time.advance(2'000 + 500); // the first-connection delay, then one watchdog tick
        fake.udp.answer(orvan::markers::kDiscoveryAnswer, "192.168.1.2");
        fake.tcp.accept();
        fake.time.advance(500); // the watchdog sees the connection and greets
    }

    // As the login leaves it after the server accepted a card.
    void openCardSession() {
        auto& w = client->context().workstation;
        w.session.intSessionType = Workstation::kCard;
        w.session.strUserID = "123456";
        w.session.dteCreditTime = w.session.dteRemainingTime = kTenMinutes;
        w.session.dteValidUntil = client->context().now() + 1.0;
        w.setState(Workstation::kConnected);
        client->sessionControl().funStartSession();
    }
};

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "wire fuzzer: %s\n", what);
    std::abort();
}

void checkLockedOrInSession(const EngineContext& context) {
    if (context.blnShuttingDown) {
        return;
    }
    const int state = context.workstation.intWksnState;
    if (state == Workstation::kNotSet || state == Workstation::kDeactivated) {
        fail("the server's messages left the workstation neither locked nor in a session");
    }
    if (Workstation::funStateIsBlocked(state) && !context.forms.frmBlock.visible) {
        fail("a blocked state without its lock screen");
    }
}

// What another run of the same input must reproduce: everything the client said and
// did through the fakes, and where it ended.
std::string digest(ConnectedClient& harness) {
    const auto& context = harness.client->context();
    std::string out = harness.fake.tcp.allSent();
    for (const auto& connect : harness.fake.tcp.connects) {
        out += "|connect " + connect;
    }
    out += "|state " + std::to_string(context.workstation.intWksnState);
    out += "|block " + std::to_string(context.forms.frmBlock.visible);
    out += "|down " + std::to_string(context.blnShuttingDown);
    out += "|link " + std::to_string(context.link.blnDisabled);
    out += "|lock " + std::to_string(harness.fake.shellLock.calls.size());
    out += "|exits " + std::to_string(harness.fake.shell.exits.size());
    return out;
}

void run(ConnectedClient& harness, const std::uint8_t* data, std::size_t size) {
    const std::size_t chunkBytes = std::min<std::size_t>(data[0] % kMaxChunkBytes + 1, size - 1);
    const std::uint8_t* chunks = data + 1;
    std::string_view rest(reinterpret_cast<const char*>(data + 1 + chunkBytes),
                          size - 1 - chunkBytes);

    auto& client = *harness.client;
    if ((data[0] & kSessionBit) != 0) {
        harness.openCardSession();
    }
    const auto& link = client.context().link;

    std::size_t previous = 0;
    for (std::size_t i = 0; !rest.empty(); ++i) {
        const std::size_t wanted = chunks[i % chunkBytes];
        const auto chunk = rest.substr(0, wanted == 0 ? rest.size() : wanted);
        rest.remove_prefix(chunk.size());

        // The server may change the threshold on the wire; the link applies it per arrival.
        const auto threshold = static_cast<std::size_t>(
            std::max(0L, client.context().constants.cnxMinSizeTmpFileStore));
        harness.fake.tcp.deliver(chunk);
        // What is held in memory stays within the threshold plus what the last two
        // arrivals brought; anything beyond grows with the stream.
        const auto pending = client.inbound().pendingSize();
        const auto bound = threshold + chunk.size() + previous;
        if (!link.blnDisabled && pending > bound) {
            std::fprintf(stderr, "wire fuzzer: %zu bytes pending, more than %zu\n", pending, bound);
            std::abort();
        }
        previous = chunk.size();
        harness.fake.time.advance(kBetweenArrivals);
    }
    if ((data[0] & kLongTailBit) != 0) {
        harness.fake.time.advance(kLongTail);
    }
    checkLockedOrInSession(client.context());
}

enum class Mode { Rewind, Fresh, Check };

Mode modeFromEnvironment() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && std::string_view(value) == "1";
    };
    return set("ORVAN_WIRE_CHECK")   ? Mode::Check
           : set("ORVAN_WIRE_FRESH") ? Mode::Fresh
                                     : Mode::Rewind;
}

class InArena {
public:
    InArena() { SnapshotArena::instance().setActive(true); }
    ~InArena() { SnapshotArena::instance().setActive(false); }
    InArena(const InArena&) = delete;
    InArena& operator=(const InArena&) = delete;
};

// Built once, then marked: every later input rewinds to this.
ConnectedClient& pristine() {
    static ConnectedClient* harness = [] {
        InArena inArena;
        auto* built = new ConnectedClient;
        SnapshotArena::instance().mark();
        if (SnapshotArena::instance().markedBytes() == 0) {
            fail("operator new does not reach the snapshot arena");
        }
        std::fprintf(
            stderr, "wire fuzzer: the client is rewound over %zu of its %zu bytes per input\n",
            SnapshotArena::instance().rewoundBytes(), SnapshotArena::instance().markedBytes());
        return built;
    }();
    return *harness;
}

std::string runRewound(const std::uint8_t* data, std::size_t size, bool keepDigest) {
    auto& harness = pristine();
    auto& arena = SnapshotArena::instance();
    arena.rewind();
    std::string kept;
    {
        InArena inArena;
        run(harness, data, size);
        if (keepDigest) {
            const std::string inside = digest(harness);
            arena.setActive(false);
            kept.assign(inside.begin(), inside.end());
            arena.setActive(true);
        }
    }
    return kept;
}

std::string runFresh(const std::uint8_t* data, std::size_t size) {
    ConnectedClient harness;
    run(harness, data, size);
    return digest(harness);
}

} // namespace

// The client's heap is the snapshot arena, whose freed blocks stay poisoned until the
// rewind: the sanitizer's quarantine holds only what the fuzzer itself frees (a copy of
// every input, thrown exceptions). At its default of 256 MB, each copy landed on a page
// never touched before, and the page faults took a tenth of every input's time.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=8";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    static const Mode mode = modeFromEnvironment();
    switch (mode) {
    case Mode::Rewind:
        runRewound(data, size, false);
        break;
    case Mode::Fresh:
        runFresh(data, size);
        break;
    case Mode::Check:
        if (runRewound(data, size, true) != runFresh(data, size)) {
            fail("the rewound client answered otherwise than a new one");
        }
        break;
    }
    return 0;
}
