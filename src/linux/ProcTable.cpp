#include "ProcTable.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <systemd/sd-login.h>
#include <unistd.h>

namespace orvan {
namespace {

std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string linkTarget(const std::string& path) {
    std::string target(4096, '\0');
    const auto length = readlink(path.c_str(), target.data(), target.size());
    if (length <= 0) {
        return {};
    }
    target.resize(static_cast<std::size_t>(length));
    // A replaced program still runs under its old name.
    constexpr std::string_view kDeleted = " (deleted)";
    if (target.size() > kDeleted.size() && target.ends_with(kDeleted)) {
        target.resize(target.size() - kDeleted.size());
    }
    return target;
}

// Fields of /proc/PID/stat after the command name, which may hold spaces and ")".
bool readStat(const std::string& path, ProcInfo& info) {
    const auto line = firstLine(path);
    const auto close = line.rfind(')');
    if (close == std::string::npos) {
        return false;
    }
    std::istringstream rest(line.substr(close + 1));
    std::string state;
    long parent = 0;
    long group = 0;
    long session = 0;
    rest >> state >> parent >> group >> session;
    std::string skip;
    for (int field = 7; field < 22 && rest >> skip; ++field) {
    }
    rest >> info.startTime;
    info.parent = static_cast<pid_t>(parent);
    info.sessionLeader = static_cast<pid_t>(session);
    return static_cast<bool>(rest);
}

std::string loginSessionOf(pid_t pid) {
    char* session = nullptr;
    if (sd_pid_get_session(pid, &session) < 0 || session == nullptr) {
        return {};
    }
    std::string text{session};
    std::free(session);
    return text;
}

} // namespace

std::string ProcInfo::executable() const {
    if (path.empty()) {
        return comm;
    }
    return path.substr(path.rfind('/') + 1);
}

std::vector<pid_t> ProcTable::pids() const {
    std::vector<pid_t> result;
    DIR* folder = opendir(root_.c_str());
    if (folder == nullptr) {
        return result;
    }
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (!name.empty() &&
            std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            result.push_back(static_cast<pid_t>(std::strtol(name.c_str(), nullptr, 10)));
        }
    }
    closedir(folder);
    std::sort(result.begin(), result.end());
    return result;
}

std::optional<ProcInfo> ProcTable::read(pid_t pid) const {
    const auto folder = root_ + "/" + std::to_string(pid);
    struct stat status {};
    if (pid <= 0 || stat(folder.c_str(), &status) != 0) {
        return std::nullopt;
    }
    ProcInfo info;
    info.pid = pid;
    info.uid = status.st_uid;
    if (!readStat(folder + "/stat", info)) {
        return std::nullopt;
    }
    info.comm = firstLine(folder + "/comm");
    info.path = linkTarget(folder + "/exe");
    info.loginSession = loginSessionOf(pid);
    return info;
}

} // namespace orvan
