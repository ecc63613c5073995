#include "ProcTable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <systemd/sd-login.h>
#include <unistd.h>

namespace orvan {
namespace {

// A /proc file is short and read whole; its first line, without the line end.
std::string firstLine(int folder, const char* name) {
    const int file = openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return {};
    }
    std::array<char, 1024> buffer{};
    const auto length = read(file, buffer.data(), buffer.size());
    close(file);
    const std::string_view text(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
    return std::string{text.substr(0, text.find('\n'))};
}

std::string linkTarget(int folder, const char* name) {
    std::string target(4096, '\0');
    const auto length = readlinkat(folder, name, target.data(), target.size());
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

// The next number of a line of numbers; false at its end or at anything else.
template <typename Number>
bool next(const char*& at, Number& value) {
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(at, &end, 10);
    if (end == at || errno != 0) {
        return false;
    }
    at = end;
    value = static_cast<Number>(parsed);
    return true;
}

// Fields of /proc/PID/stat after the command name, which may hold spaces and ")".
bool readStat(int folder, ProcInfo& info) {
    const auto line = firstLine(folder, "stat");
    const auto close = line.rfind(')');
    if (close == std::string::npos) {
        return false;
    }
    const char* at = line.c_str() + close + 1;
    while (*at == ' ') {
        ++at;
    }
    if (*at == '\0') {
        return false;
    }
    ++at; // the state letter
    long parent = 0;
    long skipped = 0;
    long session = 0;
    if (!next(at, parent) || !next(at, skipped) || !next(at, session)) {
        return false;
    }
    for (int field = 7; field < 22; ++field) {
        if (!next(at, skipped)) {
            return false;
        }
    }
    if (!next(at, info.startTime)) {
        return false;
    }
    info.parent = static_cast<pid_t>(parent);
    info.sessionLeader = static_cast<pid_t>(session);
    return true;
}

std::string askLogind(pid_t pid) {
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
    std::erase_if(sessions_, [&](const auto& known) {
        return !std::binary_search(result.begin(), result.end(), known.first);
    });
    return result;
}

std::string ProcTable::loginSessionOf(pid_t pid, unsigned long long startTime) const {
    auto& known = sessions_[pid];
    if (known.first != startTime || startTime == 0) {
        known = {startTime, askLogind(pid)};
    }
    return known.second;
}

std::optional<ProcInfo> ProcTable::read(pid_t pid) const {
    if (pid <= 0) {
        return std::nullopt;
    }
    // One handle on the process's folder: its files are opened relative to it.
    const auto path = root_ + "/" + std::to_string(pid);
    const int folder = open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        sessions_.erase(pid);
        return std::nullopt;
    }
    ProcInfo info;
    info.pid = pid;
    struct stat status {};
    const bool found = fstat(folder, &status) == 0 && readStat(folder, info);
    if (found) {
        info.uid = status.st_uid;
        info.path = linkTarget(folder, "exe");
        // The name the program gave itself counts only when its file cannot be read.
        if (info.path.empty()) {
            info.comm = firstLine(folder, "comm");
        }
    }
    close(folder);
    if (!found) {
        return std::nullopt;
    }
    info.loginSession = loginSessionOf(pid, info.startTime);
    return info;
}

} // namespace orvan
