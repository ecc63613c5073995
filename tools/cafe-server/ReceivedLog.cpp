#include "ReceivedLog.h"

#include <algorithm>

namespace orvan::cafe {

void ReceivedLog::add(Entry entry) {
    entries_.push_back(std::move(entry));
}

bool ReceivedLog::matches(const Entry& entry, std::string_view workstation, std::string_view name,
                          const std::optional<std::string>& value) {
    return entry.name == name && (workstation.empty() || entry.workstation == workstation) &&
           (!value || entry.firstField == *value);
}

std::size_t ReceivedLog::indexOf(std::size_t position) const {
    return std::max(position, base_) - base_;
}

std::optional<std::size_t> ReceivedLog::find(std::size_t from, std::string_view workstation,
                                             std::string_view name,
                                             const std::optional<std::string>& value) const {
    for (std::size_t i = indexOf(from); i < entries_.size(); ++i) {
        if (matches(entries_[i], workstation, name, value)) {
            return base_ + i + 1;
        }
    }
    return std::nullopt;
}

std::size_t ReceivedLog::count(std::size_t from, std::string_view workstation,
                               std::string_view name,
                               const std::optional<std::string>& value) const {
    return static_cast<std::size_t>(std::count_if(
        entries_.begin() + static_cast<std::ptrdiff_t>(std::min(indexOf(from), entries_.size())),
        entries_.end(),
        [&](const Entry& entry) { return matches(entry, workstation, name, value); }));
}

std::optional<std::size_t> ReceivedLog::next(std::size_t from, std::string_view workstation) const {
    for (std::size_t i = indexOf(from); i < entries_.size(); ++i) {
        if (workstation.empty() || entries_[i].workstation == workstation) {
            return base_ + i + 1;
        }
    }
    return std::nullopt;
}

void ReceivedLog::forgetBefore(std::size_t position) {
    while (base_ < position && !entries_.empty()) {
        entries_.pop_front();
        ++base_;
    }
}

} // namespace orvan::cafe
