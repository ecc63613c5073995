#include "ProcFootprint.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orvan::bench {

namespace {

constexpr double kKibPerMib = 1024.0;
constexpr double kNanosPerSecond = 1e9;

std::optional<std::string> slurp(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<long long> number(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

// Splits off the next space-separated word of `text`.
std::string_view nextWord(std::string_view& text) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(start);
    const auto end = std::min(text.find(' '), text.size());
    const auto word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

// The pathname of a mapping's header line: what follows its five first words.
std::string_view mappingPath(std::string_view header) {
    for (int i = 0; i < 5; ++i) {
        nextWord(header);
    }
    const auto start = header.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view{} : header.substr(start);
}

double* slotFor(ProcFootprint::Breakdown& into, std::string_view path) {
    if (path.empty()) {
        return &into.anonymous;
    }
    if (path == "[heap]") {
        return &into.heap;
    }
    if (path.starts_with("/SYSV") || path.starts_with("/dev/shm/") || path.starts_with("/memfd:")) {
        return &into.shared;
    }
    return path.starts_with('[') ? &into.other : &into.files;
}

} // namespace

ProcFootprint::Breakdown ProcFootprint::breakdownOf(std::string_view smaps) {
    Breakdown result;
    double* slot = &result.other;
    for (std::size_t at = 0; at < smaps.size();) {
        const auto end = std::min(smaps.find('\n', at), smaps.size());
        auto line = smaps.substr(at, end - at);
        at = end + 1;
        auto rest = line;
        const auto first = nextWord(rest);
        if (first.empty()) {
            continue;
        }
        if (!first.ends_with(':')) {
            slot = slotFor(result, mappingPath(line));
        } else if (first == "Rss:") {
            *slot += static_cast<double>(number(nextWord(rest)).value_or(0)) / kKibPerMib;
        }
    }
    return result;
}

std::optional<ProcFootprint::Breakdown> ProcFootprint::breakdown(pid_t pid) {
    const auto smaps = slurp("/proc/" + std::to_string(pid) + "/smaps");
    if (!smaps) {
        return std::nullopt;
    }
    return breakdownOf(*smaps);
}

std::optional<long long> ProcFootprint::kilobytes(std::string_view text, std::string_view name) {
    for (std::size_t at = 0; at < text.size();) {
        const auto end = std::min(text.find('\n', at), text.size());
        auto line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() > name.size() && line.substr(0, name.size()) == name &&
            line[name.size()] == ':') {
            line.remove_prefix(name.size() + 1);
            return number(nextWord(line));
        }
    }
    return std::nullopt;
}

std::optional<double> ProcFootprint::cpuSeconds(pid_t pid) {
    // Each thread's schedstat starts with its nanoseconds on a processor.
    std::error_code error;
    long long nanos = 0;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        const auto text = slurp(task.path().string() + "/schedstat");
        if (!text) {
            continue; // a thread that ended meanwhile
        }
        std::string_view rest = *text;
        nanos += number(nextWord(rest)).value_or(0);
    }
    if (error || nanos == 0) {
        return std::nullopt;
    }
    return static_cast<double>(nanos) / kNanosPerSecond;
}

std::optional<ProcFootprint::Sample> ProcFootprint::read(pid_t pid) {
    const auto folder = "/proc/" + std::to_string(pid);
    const auto rollup = slurp(folder + "/smaps_rollup");
    if (!rollup) {
        return std::nullopt;
    }
    const auto rss = kilobytes(*rollup, "Rss");
    const auto pss = kilobytes(*rollup, "Pss");
    const auto clean = kilobytes(*rollup, "Private_Clean");
    const auto dirty = kilobytes(*rollup, "Private_Dirty");
    const auto cpu = cpuSeconds(pid);
    if (!rss || !pss || !clean || !dirty || !cpu) {
        return std::nullopt;
    }
    return Sample{static_cast<double>(*rss) / kKibPerMib, static_cast<double>(*pss) / kKibPerMib,
                  static_cast<double>(*clean + *dirty) / kKibPerMib, *cpu};
}

} // namespace orvan::bench
