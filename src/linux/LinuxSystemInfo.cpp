#include "LinuxSystemInfo.h"

#include "LocaleMapping.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ifaddrs.h>
#include <langinfo.h>
#include <locale.h>
#include <net/if.h>
#include <netinet/in.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace orvan {
namespace {

namespace fs = std::filesystem;

constexpr int kArphrdLoopback = 772; // ARPHRD_LOOPBACK, as /sys/class/net/*/type gives it

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The test and demo builds' overrides; ignored by the installed, setgid program, where
// the person at the keyboard chose the environment.
std::string override(const char* name) {
    const char* value = secure_getenv(name);
    return value != nullptr ? value : "";
}

// The locale the user chose for a category, by the same precedence the C library uses.
std::string userLocale(const char* category) {
    for (const char* name : {"LC_ALL", category, "LANG"}) {
        if (std::string value = environment(name); !value.empty()) {
            return value;
        }
    }
    return {};
}

bool isCLocale(const std::string& name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

// Reads one item of the user's locale without touching the process-wide locale.
// Nothing for the C locale: the engine's defaults (US English) suit it better than
// the C library's two-digit years.
std::optional<std::string> localeItem(int mask, const char* category, nl_item item) {
    const std::string name = userLocale(category);
    if (isCLocale(name)) {
        return std::nullopt;
    }
    locale_t locale = newlocale(mask, name.c_str(), locale_t{});
    if (locale == locale_t{}) {
        return std::nullopt;
    }
    std::string value = nl_langinfo_l(item, locale);
    freelocale(locale);
    return value;
}

std::string executablePath() {
    std::error_code error;
    std::string path = fs::read_symlink("/proc/self/exe", error).string();
    // After an update replaced the binary under us the link says so; the path still names
    // where the program lives.
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.ends_with(kDeleted)) {
        path.resize(path.size() - kDeleted.size());
    }
    return path;
}

int adapterType(const std::string& name, unsigned flags) {
    if ((flags & IFF_LOOPBACK) != 0) {
        return NetworkAdapter::kLoopback;
    }
    const std::string folder = "/sys/class/net/" + name;
    std::ifstream typeFile(folder + "/type");
    if (int type = 0; typeFile >> type && type == kArphrdLoopback) {
        return NetworkAdapter::kLoopback;
    }
    std::error_code error;
    if (fs::exists(folder + "/wireless", error) || fs::exists(folder + "/phy80211", error)) {
        return NetworkAdapter::kWireless;
    }
    return NetworkAdapter::kEthernet;
}

} // namespace

int LinuxSystemInfo::platformId() const {
    return kPlatformNt;
}

std::string LinuxSystemInfo::computerName() const {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        return {};
    }
    const std::string host = name;
    return host.substr(0, host.find('.'));
}

std::string LinuxSystemInfo::userName() const {
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024, '\0');
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found)) ==
               ERANGE &&
           buffer.size() < 1024 * 1024) {
        buffer.resize(buffer.size() * 2);
    }
    if (error == 0 && found != nullptr && found->pw_name != nullptr) {
        return found->pw_name;
    }
    return environment("USER");
}

int LinuxSystemInfo::threadLocaleId() const {
    return LocaleMapping::localeId(userLocale("LC_MESSAGES"));
}

int LinuxSystemInfo::ansiCodePage() const {
    return LocaleMapping::ansiCodePage(userLocale("LC_MESSAGES"));
}

std::string LinuxSystemInfo::decimalSeparator() const {
    const auto radix = localeItem(LC_NUMERIC_MASK, "LC_NUMERIC", RADIXCHAR);
    return radix && !radix->empty() ? *radix : ".";
}

std::string LinuxSystemInfo::shortDatePattern() const {
    const auto format = localeItem(LC_TIME_MASK, "LC_TIME", D_FMT);
    std::string picture = format ? LocaleMapping::pictureFromStrftime(*format) : "";
    return picture.empty() ? "MM/dd/yyyy" : picture;
}

std::string LinuxSystemInfo::longTimePattern() const {
    const auto format = localeItem(LC_TIME_MASK, "LC_TIME", T_FMT);
    std::string picture = format ? LocaleMapping::pictureFromStrftime(*format) : "";
    return picture.empty() ? "HH:mm:ss" : picture;
}

namespace {

// "00:15:5d:01:2a:3b" as "00155D012A3B"; empty when the interface has none.
std::string hardwareAddressOf(const std::string& name) {
    std::ifstream file("/sys/class/net/" + name + "/address");
    std::string text;
    std::getline(file, text);
    std::string hex;
    for (const char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)) != 0) {
            hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return hex;
}

} // namespace

std::vector<NetworkAdapter> LinuxSystemInfo::adapters() const {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return {};
    }
    struct Found {
        unsigned index;
        NetworkAdapter adapter;
    };
    std::vector<Found> found;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        char dotted[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        if (inet_ntop(AF_INET, &address->sin_addr, dotted, sizeof dotted) == nullptr) {
            continue;
        }
        // Secondary addresses carry labels like "eth0:1"; they belong to eth0.
        std::string name = entry->ifa_name;
        name = name.substr(0, name.find(':'));
        auto it = std::find_if(found.begin(), found.end(),
                               [&](const Found& f) { return f.adapter.name == name; });
        if (it == found.end()) {
            NetworkAdapter adapter;
            adapter.name = name;
            adapter.type = adapterType(name, entry->ifa_flags);
            adapter.hardwareAddress = hardwareAddressOf(name);
            found.push_back({if_nametoindex(name.c_str()), std::move(adapter)});
            it = found.end() - 1;
        }
        // The kernel lists an interface's primary address before its secondaries.
        it->adapter.addresses.emplace_back(dotted);
    }
    freeifaddrs(list);

    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.index < b.index; });
    std::vector<NetworkAdapter> adapters;
    adapters.reserve(found.size());
    for (Found& f : found) {
        adapters.push_back(std::move(f.adapter));
    }
    return adapters;
}

std::string LinuxSystemInfo::commonAppDataFolder() const {
    std::string folder = override("ORVAN_COMMON_APPDATA");
    return folder.empty() ? "/var/lib" : folder;
}

std::string LinuxSystemInfo::programFolder() const {
    if (std::string folder = override("ORVAN_PROGRAM_FOLDER"); !folder.empty()) {
        return folder;
    }
    return fs::path(executablePath()).parent_path().string();
}

std::string LinuxSystemInfo::programFileName() const {
    return fs::path(executablePath()).stem().string();
}

} // namespace orvan
