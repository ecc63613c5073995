// Cost of joining and cutting the server's stream: small messages in 1 KiB chunks, one
// large file streamed through the temporary payload file (and, for comparison, kept in
// memory), and small messages arriving one byte at a time. Each shape runs at two volumes
// where it matters: the time per byte must not grow with the volume.

#include "link/InboundStream.h"
#include "support/MemoryFileSystem.h"
#include "wire/Tags.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using namespace orvan;

constexpr double kMB = 1024.0 * 1024.0;

// Messages of assorted small sizes (40 to 136 bytes): `count` of them, or about `bytes`.
std::string smallMessages(std::size_t bytes, std::size_t messages = SIZE_MAX) {
    std::string wire;
    wire.reserve(std::min(bytes, messages * 136) + 256);
    for (std::size_t count = 0; wire.size() < bytes && count < messages; ++count) {
        wire += tags::kChatMessage;
        wire.append(count % 97, static_cast<char>('a' + count % 26));
        wire += tags::kMessageEnd;
    }
    return wire;
}

struct Result {
    double seconds;
    std::size_t dispatched;
};

Result feed(const std::string& wire, std::size_t chunk, long threshold) {
    test::MemoryFileSystem files;
    files.createFolder("/data");
    std::size_t dispatched = 0;
    InboundStream stream(files, {[&](std::string_view) { ++dispatched; }, [] { return false; },
                                 [](const std::string&) {}, [](const std::string&) {}});
    stream.setTempFilePath("/data/received_file.tmp");
    stream.setThreshold(threshold);
    const std::string_view all(wire);
    const auto started = std::chrono::steady_clock::now();
    for (std::size_t at = 0; at < all.size(); at += chunk) {
        stream.onData(all.substr(at, chunk));
    }
    const auto elapsed = std::chrono::steady_clock::now() - started;
    return {std::chrono::duration<double>(elapsed).count(), dispatched};
}

void print(const char* name, const std::string& wire, const Result& r) {
    const auto bytes = static_cast<double>(wire.size());
    std::printf("  %-46s %6.1f MiB %7zu msgs %7.0f MiB/s %6.2f ns/byte\n", name, bytes / kMB,
                r.dispatched, bytes / kMB / r.seconds, r.seconds * 1e9 / bytes);
}

} // namespace

int main() {
    std::printf("inbound stream (MemoryFileSystem, threshold 50000)\n");

    const auto hundredThousand = smallMessages(SIZE_MAX, 100000);
    print("100,000 small messages, 1 KiB chunks", hundredThousand,
          feed(hundredThousand, 1024, 50000));

    std::string file{tags::kFileSend};
    file += "4";
    file += tags::kPayloadToken;
    const auto payloadStart = file.size();
    file.resize(payloadStart + 50 * 1000 * 1000);
    for (std::size_t i = payloadStart; i < file.size(); ++i) {
        file[i] = static_cast<char>('0' + i % 64);
    }
    file += tags::kMessageEnd;
    print("one 50 MB file, 16 KiB chunks, stored", file, feed(file, 16 * 1024, 50000));
    print("the same file kept in memory (threshold above)", file,
          feed(file, 16 * 1024, 100L * 1000 * 1000));

    const auto small1 = smallMessages(1 << 20);
    const auto small10 = smallMessages(10 << 20);
    print("small messages, 1 KiB chunks, 1 MiB", small1, feed(small1, 1024, 50000));
    print("small messages, 1 KiB chunks, 10 MiB", small10, feed(small10, 1024, 50000));
    print("small messages, 1 byte per arrival, 1 MiB", small1, feed(small1, 1, 50000));
    print("small messages, 1 byte per arrival, 10 MiB", small10, feed(small10, 1, 50000));
    return 0;
}
