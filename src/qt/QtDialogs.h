#pragma once

#include "platform/Dialogs.h"

namespace orvan {

// The standard message box, drawn by Qt.
class QtDialogs : public Dialogs {
public:
    int messageBox(const std::string& text, const std::string& title, int style) override;
    void beep() override;
};

} // namespace orvan
