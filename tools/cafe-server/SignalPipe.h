#pragma once

#include "UniqueFd.h"

namespace orvan::cafe {

// Turns SIGINT and SIGTERM into a readable pipe, so that the poll loop wakes up and ends
// cleanly instead of being killed in the middle of a send.
class SignalPipe {
public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    int fd() const { return read_.get(); }

private:
    UniqueFd read_;
    UniqueFd write_;
};

} // namespace orvan::cafe
