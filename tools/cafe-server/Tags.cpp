#include "Tags.h"

namespace orvan::cafe {

namespace {
constexpr std::string_view kOpening{"%$&"};
constexpr std::size_t kNameWidth = 16;
} // namespace

std::string Tags::fromName(std::string_view name) {
    if (name.empty() || name.size() > kNameWidth) {
        return {};
    }
    std::string tag{kOpening};
    tag.append(kNameWidth - name.size(), '#');
    tag.append(name);
    tag.push_back('#');
    return tag;
}

std::string_view Tags::nameOf(std::string_view tag) {
    if (tag.size() != kLength || !tag.starts_with(kOpening) || tag.back() != '#') {
        return tag;
    }
    const auto name = tag.substr(kOpening.size(), kNameWidth);
    const auto first = name.find_first_not_of('#');
    return first == std::string_view::npos ? std::string_view{} : name.substr(first);
}

} // namespace orvan::cafe
