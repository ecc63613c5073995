#pragma once

#include <map>
#include <string>
#include <string_view>

namespace orvan {

// The caption and tool tip of each control of a window, by control name, as the
// window's localization sets them. A control without an entry shows nothing.
struct ControlTexts {
    struct Text {
        std::string caption;
        std::string toolTip;

        bool operator==(const Text&) const = default;
    };

    std::map<std::string, Text, std::less<>> controls;

    void set(const std::string& control, std::string caption, std::string toolTip = {}) {
        controls[control] = Text{std::move(caption), std::move(toolTip)};
    }
    const std::string& caption(std::string_view control) const { return of(control).caption; }
    const std::string& toolTip(std::string_view control) const { return of(control).toolTip; }

    bool operator==(const ControlTexts&) const = default;

private:
    const Text& of(std::string_view control) const {
        static const Text none;
        const auto found = controls.find(control);
        return found == controls.end() ? none : found->second;
    }
};

} // namespace orvan
