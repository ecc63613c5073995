#pragma once

namespace orvan {

// The program's icon in the notification area, which session control puts up when the
// workstation becomes active and takes down when it is deactivated.
class TrayPresence {
public:
    virtual void subAddIcon() = 0;
    virtual void subRemoveIcon() = 0;
    // Whether the icon can be seen: without a notification area a status window has to
    // stay on screen in its place.
    virtual bool iconAvailable() const = 0;

protected:
    ~TrayPresence() = default;
};

} // namespace orvan
