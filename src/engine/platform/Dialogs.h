#pragma once

#include <string>

namespace orvan {

// The system's standard message box.
class Dialogs {
public:
    // Answers of the standard box.
    static constexpr int kFailed = 0;
    static constexpr int kOk = 1;
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    virtual ~Dialogs() = default;

    // Shows the box and returns the pressed button, or kFailed. `style` combines the
    // standard flags: buttons (0 OK, 4 Yes/No), icon (16 critical, 32 question,
    // 48 exclamation, 64 information), default (256 = second button), 4096 system
    // modal, 65536 foreground.
    virtual int messageBox(const std::string& text, const std::string& title, int style) = 0;
    // The system's default sound.
    virtual void beep() = 0;
};

} // namespace orvan
