#pragma once

#include <string>

namespace orvan {

// What every window of the program has: whether it is loaded and shown, on top of
// everything, where it stands (in twips) and its title. Windows with controls extend it.
struct FormModel {
    bool loaded = false;
    bool visible = false;
    bool topMost = false;
    bool modal = false;
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    std::string caption;

    void load() { loaded = true; }
    void show() {
        loaded = true;
        visible = true;
    }
    void hide() { visible = false; }
    void unload() {
        loaded = false;
        visible = false;
    }

    bool operator==(const FormModel&) const = default;
};

} // namespace orvan
