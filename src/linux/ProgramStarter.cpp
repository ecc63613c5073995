#include "ProgramStarter.h"

#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvan {
namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (auto& text : strings) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

// The program gets a fixed PATH and what reaching the desktop needs, not whatever
// the person at the keyboard may have put into this process's environment.
std::vector<std::string> environment() {
    std::vector<std::string> values{"PATH=/usr/local/bin:/usr/bin:/bin"};
    for (const char* name :
         {"DISPLAY", "XAUTHORITY", "HOME", "USER", "LOGNAME", "LANG", "XDG_RUNTIME_DIR"}) {
        if (const char* value = std::getenv(name)) {
            values.push_back(std::string{name} + "=" + value);
        }
    }
    return values;
}

bool isFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

ProgramStarter::~ProgramStarter() {
    reapFinished();
}

void ProgramStarter::reapFinished() {
    std::erase_if(running_, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

bool ProgramStarter::start(const std::vector<std::string>& arguments,
                           const std::string& outputPath) {
    reapFinished();
    if (arguments.empty() || !isFile(arguments.front())) {
        return false;
    }
    auto command = arguments;
    if (access(command.front().c_str(), X_OK) != 0) {
        command.insert(command.begin(), "/bin/sh");
    }
    auto argv = pointers(command);
    auto values = environment();
    auto envp = pointers(values);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(),
                                     O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, 0640);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return false;
    }
    running_.push_back(pid);
    return true;
}

} // namespace orvan
