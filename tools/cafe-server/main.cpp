// The stand-in cafe server: answers discovery, greets workstations, opens sessions from
// a small account table and takes commands from the console or a script.

#include "CafeServer.h"
#include "ServerOptions.h"
#include "SignalPipe.h"

#include <csignal>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

std::optional<std::vector<std::string>> readLines(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    using namespace orvan::cafe;
    ServerOptions options;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (const std::string error = options.parse(args); !error.empty()) {
        std::cerr << "orvan-cafe-server: " << error << '\n' << ServerOptions::usage();
        return 2;
    }
    if (options.help) {
        std::cout << ServerOptions::usage();
        return 0;
    }
    std::optional<std::vector<std::string>> script;
    if (!options.scriptPath.empty() && !(script = readLines(options.scriptPath))) {
        std::cerr << "orvan-cafe-server: cannot read " << options.scriptPath << '\n';
        return 2;
    }
    // A workstation that vanishes mid-send must cost an error code, not the process.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        SignalPipe stopSignal;
        CafeServer server(options, std::cout);
        server.watchStop(stopSignal.fd());
        server.watchConsole(STDIN_FILENO);
        if (script) {
            server.runScript(std::move(*script));
        }
        return server.run();
    } catch (const std::exception& error) {
        std::cerr << "orvan-cafe-server: " << error.what() << '\n';
        return 2;
    }
}
