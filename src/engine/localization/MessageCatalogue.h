#pragma once

#include <string>

namespace orvan {

class Dialogs;
class ErrorReporter;
class Localization;
class Log;
class Shell;

// The numbered fixed messages shown in the system's standard message box.
class MessageCatalogue {
public:
    // Styles of the standard box (buttons, icon, default, modality, foreground).
    static constexpr int kCriticalOk = 16;
    static constexpr int kInformationOk = 64;
    static constexpr int kQuestionYesNo = 292;
    static constexpr int kQuestionYesNoForeground = 65828;
    static constexpr int kCriticalSystemModal = 69648;
    static constexpr int kExclamationSystemModal = 69680;
    static constexpr int kExclamationYesNoSystemModal = 69940;

    MessageCatalogue(Dialogs& dialogs, Localization& localization, ErrorReporter& errors,
                     const Log& log, Shell& shell);

    // Shows message `number` and returns the pressed button (1 OK, 6 Yes, 7 No), or 0
    // when it could not be shown. Message 20 ends the program at once.
    int funMsg(int number, const std::string& text = {});
    // The text message `number` shows, for a box of the program's own; empty when the
    // number is unknown.
    std::string funMsgText(int number, const std::string& text = {});

private:
    struct Message {
        std::string text;
        int style = 0;
    };
    Message build(int number, const std::string& text);

    Dialogs& dialogs_;
    Localization& localization_;
    ErrorReporter& errors_;
    const Log& log_;
    Shell& shell_;
};

} // namespace orvan
