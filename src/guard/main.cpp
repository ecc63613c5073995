// The guard service: a system service, running as another user than the customer, that
// ends the login session of a client killed, frozen or cut off from its display, so that
// the lock comes back with a fresh session. See GuardService.

#include "GuardProtocol.h"
#include "GuardService.h"
#include "LogindSessions.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    std::string path = orvan::guard::kSocketPath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--socket" && i + 1 < argc) {
            path = argv[++i];
        } else {
            std::cerr << "usage: orvan-guard [--socket PATH]\n";
            return 2;
        }
    }
    std::string error;
    const int listener = orvan::guard::GuardService::listenAt(path, error);
    if (listener < 0) {
        std::cerr << "cannot listen at " << path << ": " << error << '\n';
        return 1;
    }
    orvan::guard::LogindSessions sessions;
    orvan::guard::GuardService service(listener, sessions,
                                       [](const std::string& line) { std::cerr << line << '\n'; });
    std::cerr << "guarding the clients registered at " << path << '\n';
    for (;;) {
        service.runOnce(std::chrono::seconds(1));
    }
}
