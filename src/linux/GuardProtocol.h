#pragma once

#include <chrono>
#include <string_view>

// What the client and the guard service say to each other over the guard's socket: a
// line each. The guard takes the client's process and login session from the socket's
// peer credentials, never from what is said.
namespace orvan::guard {

// Where the installed guard listens; the service's unit makes the folder.
inline constexpr const char* kSocketPath = "/run/orvanclient/guard.sock";
// How often the client says it is alive.
inline constexpr std::chrono::milliseconds kBeatInterval{250};
// Silence this long from a registered client means it was stopped or frozen.
inline constexpr std::chrono::milliseconds kSilenceLimit{2000};
// An event loop that has not turned for this long is hung: the client falls silent though
// its process runs. Far above the longest wait the loop makes on purpose (a contested
// grab, programs given time to close).
inline constexpr std::chrono::milliseconds kHungLoopLimit{30000};

inline constexpr std::string_view kHello = "hello\n";
inline constexpr std::string_view kBeat = "beat\n";
// The client ends on purpose: its end is no reason to end the session.
inline constexpr std::string_view kBye = "bye\n";

} // namespace orvan::guard
