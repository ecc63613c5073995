#include "SignalPipe.h"

#include "Sockets.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace orvan::cafe {

namespace {

volatile std::sig_atomic_t gWriteFd = -1;

extern "C" void onStopSignal(int) {
    const int savedErrno = errno;
    const char byte = 's';
    if (::write(gWriteFd, &byte, 1) < 0) {
        // Nothing to do: a full pipe already holds a wake-up.
    }
    errno = savedErrno;
}

void route(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

} // namespace

SignalPipe::SignalPipe() {
    int ends[2];
    if (::pipe(ends) != 0) {
        throw std::runtime_error(Sockets::failure("pipe"));
    }
    read_.reset(ends[0]);
    write_.reset(ends[1]);
    for (const int end : ends) {
        Sockets::makeNonBlocking(end);
        fcntl(end, F_SETFD, FD_CLOEXEC);
    }
    gWriteFd = write_.get();
    route(SIGINT, onStopSignal);
    route(SIGTERM, onStopSignal);
}

SignalPipe::~SignalPipe() {
    route(SIGINT, SIG_DFL);
    route(SIGTERM, SIG_DFL);
    gWriteFd = -1;
}

} // namespace orvan::cafe
