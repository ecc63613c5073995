#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace orvan::cafe {

// The messages received while a script runs, for its expectations, together with the
// connections coming and going (named "++" and "--", like the lines the server prints).
// Positions are absolute and survive forgetting the entries no expectation can look at.
class ReceivedLog {
public:
    static constexpr std::string_view kConnected = "++";
    static constexpr std::string_view kDisconnected = "--";

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

    // How many entries at or after `from` match, with the same rules as `find`.
    std::size_t count(std::size_t from, std::string_view workstation, std::string_view name,
                      const std::optional<std::string>& value) const;

    // The first entry at or after `from` from `workstation` (any when empty), whatever
    // its name; its position is the one just before the returned position.
    std::optional<std::size_t> next(std::size_t from, std::string_view workstation) const;
    const Entry& at(std::size_t position) const { return entries_.at(position - base_); }

    void forgetBefore(std::size_t position);

private:
    static bool matches(const Entry& entry, std::string_view workstation, std::string_view name,
                        const std::optional<std::string>& value);
    std::size_t indexOf(std::size_t position) const;

    std::deque<Entry> entries_;
    std::size_t base_ = 0;
};

} // namespace orvan::cafe
