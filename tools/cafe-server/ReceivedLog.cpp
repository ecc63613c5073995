#include "ReceivedLog.h"

#include <algorithm>

namespace orvan::cafe {

void ReceivedLog::add(Entry entry) {
    entries_.push_back(std::move(entry));
}

std::optional<std::size_t> ReceivedLog::find(std::size_t from, std::string_view workstation,
                                             std::string_view name,
                                             const std::optional<std::string>& value) const {
    for (std::size_t i = std::max(from, base_) - base_; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (entry.name == name && (workstation.empty() || entry.workstation == workstation) &&
            (!value || entry.firstField == *value)) {
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
