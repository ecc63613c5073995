#pragma once

#include <string>

namespace orvan {

// The desktop's wallpaper, through the desktop's settings (GSettings). A desktop
// without the background schema has no wallpaper to set from here.
class DesktopBackground {
public:
    // False when there is no such setting or it cannot be written.
    static bool set(const std::string& picturePath);
    // The picture's address as the desktop holds it; empty when there is none.
    static std::string current();
};

} // namespace orvan
