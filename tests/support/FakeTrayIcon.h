#pragma once

#include "platform/TrayIcon.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace orvan::test {

// A notification area that records the icon's pictures and menus, and lets a test
// click the icon and choose from its menu.
class FakeTrayIcon : public TrayIcon {
public:
    bool hostRuns = true;
    bool shown = false;
    bool failModify = false;
    std::vector<Picture> pictures;
    std::string toolTip;
    std::vector<std::vector<TrayMenuEntry>> menus;

    bool available() const override { return hostRuns; }
    void add(Picture picture, const std::string& tip) override {
        shown = true;
        toolTip = tip;
        pictures.push_back(picture);
    }
    void modify(Picture picture) override {
        if (failModify) {
            throw std::runtime_error("icon gone");
        }
        pictures.push_back(picture);
    }
    void remove() override { shown = false; }
    void popup(const std::vector<TrayMenuEntry>& entries) override { menus.push_back(entries); }
    void setHandlers(MouseHandler mouse, ChoiceHandler choice) override {
        mouse_ = std::move(mouse);
        choice_ = std::move(choice);
    }

    void mouse(int message, int shift = 0) { mouse_(message, shift); }
    void choose(const std::string& entry) { choice_(entry); }
    // Names of the last menu's entries, in order.
    std::vector<std::string> lastMenu() const {
        std::vector<std::string> names;
        for (const auto& entry : menus.back()) {
            names.push_back(entry.name);
        }
        return names;
    }

private:
    MouseHandler mouse_;
    ChoiceHandler choice_;
};

} // namespace orvan::test
