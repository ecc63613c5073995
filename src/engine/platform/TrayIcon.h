#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvan {

// One entry of the icon's popup menu, named after its menu control.
struct TrayMenuEntry {
    std::string name;
    std::string caption;
    bool enabled = true;
    bool isDefault = false;
};

// The program's icon in the desktop's notification area. The mouse reaches the engine
// as the message numbers of the notify-icon callback (515 left double-click, 516 right
// button down) with the shift state (1 Shift, 2 Ctrl, 4 Alt); a menu choice as the
// entry's name.
class TrayIcon {
public:
    enum class Picture { Inactive, Client };
    using MouseHandler = std::function<void(int message, int shift)>;
    using ChoiceHandler = std::function<void(const std::string& name)>;

    virtual ~TrayIcon() = default;

    // Whether a notification area runs on this desktop at all.
    virtual bool available() const = 0;
    virtual void add(Picture picture, const std::string& toolTip) = 0;
    virtual void modify(Picture picture) = 0;
    virtual void remove() = 0;
    // Pops the menu up at the mouse; a choice comes back through the choice handler.
    virtual void popup(const std::vector<TrayMenuEntry>& entries) = 0;
    virtual void setHandlers(MouseHandler mouse, ChoiceHandler choice) = 0;
};

} // namespace orvan
