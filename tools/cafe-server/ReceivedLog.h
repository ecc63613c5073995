#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace orvan::cafe {

// The messages received while a script runs, for its expectations. Positions are absolute
// and survive forgetting the entries no expectation can look at any more.
class ReceivedLog {
public:
    struct Entry {
        std::string workstation;
        std::string name; // tag name
        std::string firstField;
    };

    void add(Entry entry);
    std::size_t end() const { return base_ + entries_.size(); }

    // The position just after the first entry at or after `from` that matches; an empty
    // workstation matches any, and no value matches any first field.
    std::optional<std::size_t> find(std::size_t from, std::string_view workstation,
                                    std::string_view name,
                                    const std::optional<std::string>& value) const;

    void forgetBefore(std::size_t position);

private:
    std::deque<Entry> entries_;
    std::size_t base_ = 0;
};

} // namespace orvan::cafe
