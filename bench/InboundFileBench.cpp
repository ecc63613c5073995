// The server's large files on a real disk: a 64 MiB file message arriving in 64 KiB
// chunks goes through the inbound stream into the temporary payload file, beside a
// plain copy of the same bytes to a file in the same run. The ratio is the figure.
// Then small messages arriving in one chunk, 100,000 and 1,000,000 of them: the time
// must grow linearly (a ratio close to 10).

#include "LinuxFileSystem.h"
#include "link/InboundStream.h"
#include "wire/Tags.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

using namespace orvan;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kPayload = 64UL * 1024 * 1024;

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string fileMessage() {
    std::string wire{tags::kFileSend};
    wire += "8";
    wire += tags::kPayloadToken;
    const auto start = wire.size();
    wire.resize(start + kPayload);
    for (std::size_t i = start; i < wire.size(); ++i) {
        wire[i] = static_cast<char>(i * 2654435761U >> 24); // every byte value occurs
    }
    wire += tags::kMessageEnd;
    return wire;
}

double throughStream(const std::string& wire, const std::string& folder) {
    LinuxFileSystem files;
    InboundStream stream(files, {[](std::string_view) {}, [] { return false; },
                                 [](const std::string&) {}, [](const std::string&) {}});
    stream.setTempFilePath(folder + "/received_file.tmp");
    stream.setThreshold(50'000);
    const auto started = Clock::now();
    for (std::size_t at = 0; at < wire.size(); at += kChunk) {
        stream.onData(std::string_view(wire).substr(at, kChunk));
    }
    return seconds(started);
}

double plainCopy(const std::string& wire, const std::string& folder) {
    const auto path = folder + "/plain_copy.tmp";
    const auto started = Clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::size_t at = 0; at < wire.size(); at += kChunk) {
        const auto size = std::min(kChunk, wire.size() - at);
        if (::write(fd, wire.data() + at, size) != static_cast<ssize_t>(size)) {
            std::perror("write");
            break;
        }
    }
    ::close(fd);
    return seconds(started);
}

double smallInOneChunk(std::size_t count) {
    std::string wire;
    for (std::size_t i = 0; i < count; ++i) {
        wire += tags::kServerHeartBeat;
        wire += tags::kMessageEnd;
    }
    LinuxFileSystem files;
    std::size_t dispatched = 0;
    InboundStream stream(files, {[&](std::string_view) { ++dispatched; }, [] { return false; },
                                 [](const std::string&) {}, [](const std::string&) {}});
    stream.setThreshold(static_cast<long>(wire.size()) + 1); // all in memory, as small messages are
    const auto started = Clock::now();
    stream.onData(wire);
    const double elapsed = seconds(started);
    if (dispatched != count) {
        std::printf("  dispatched %zu of %zu\n", dispatched, count);
    }
    return elapsed;
}

} // namespace

int main() {
    char pattern[] = "/tmp/orvan-bench-XXXXXX";
    const std::string folder = ::mkdtemp(pattern);
    const auto wire = fileMessage();

    // Warm the page cache and the allocator once, then measure.
    plainCopy(wire, folder);
    const double copy = plainCopy(wire, folder);
    const double stream = throughStream(wire, folder);
    const double mib = static_cast<double>(kPayload) / (1024.0 * 1024.0);
    std::printf("64 MiB file message in 64 KiB chunks\n");
    std::printf("  plain copy to a file          %7.0f MiB/s\n", mib / copy);
    std::printf("  inbound stream to temp file   %7.0f MiB/s\n", mib / stream);
    std::printf("  ratio (stream / copy)         %7.2f\n", copy / stream);

    const double small = smallInOneChunk(100'000);
    const double large = smallInOneChunk(1'000'000);
    std::printf("small messages arriving in one chunk\n");
    std::printf("  100,000                       %7.1f ms\n", small * 1e3);
    std::printf("  1,000,000                     %7.1f ms\n", large * 1e3);
    std::printf("  ratio                         %7.1f (linear: about 10)\n", large / small);

    ::unlink((folder + "/plain_copy.tmp").c_str());
    ::unlink((folder + "/received_file.tmp").c_str());
    ::rmdir(folder.c_str());
    return 0;
}
