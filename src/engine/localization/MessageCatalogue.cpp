#include "localization/MessageCatalogue.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "localization/Localization.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

namespace orvan {
namespace {

constexpr const char* kCrLf = "\r\n";

} // namespace

MessageCatalogue::MessageCatalogue(Dialogs& dialogs, Localization& localization,
                                   ErrorReporter& errors, const Log& log, Shell& shell)
    : dialogs_(dialogs)
    , localization_(localization)
    , errors_(errors)
    , log_(log)
    , shell_(shell) {}

MessageCatalogue::Message MessageCatalogue::build(int number, const std::string& text) {
    auto r = [this](long id) { return localization_.funLoadResString(id); };
    switch (number) {
    case 1:
        return {text, kCriticalOk};
    case 2:
        return {r(10101), kInformationOk};
    case 4:
        return {r(10103), kQuestionYesNo};
    case 7:
        return {r(10182) + (text.empty() ? r(10180) : text + r(10181)) + kCrLf + kCrLf + r(10183),
                kExclamationYesNoSystemModal};
    case 24:
        return {r(10209) + text + kCrLf + r(10210) + r(10211) + kCrLf + log_.currentPath(),
                kCriticalSystemModal};
    case 25:
        return {r(10214) + kCrLf + r(10215) + r(10000), kCriticalOk};
    case 26:
        return {r(10216) + kCrLf + r(10217) + r(10000), kCriticalOk};
    case 27:
        return {r(10000) + r(10261) + kCrLf + text + kCrLf + r(10262) + r(10000), kCriticalOk};
    case 29:
        return {r(10022), kQuestionYesNoForeground};
    case 30:
        return {localization_.funLoadResString(10317, "#"), kExclamationSystemModal};
    case 31:
        return {r(10345), kExclamationSystemModal};
    default:
        throw AppError(AppError::kInvalidCall, "Unknown message " + std::to_string(number));
    }
}

int MessageCatalogue::funMsg(int number, const std::string& text) {
    return errors_.trap("modMessageManager.funMsgError", OnError::LogOnly, [&] {
        if (number == 20) {
            shell_.endProcess();
            return 0;
        }
        const auto message = build(number, text);
        return dialogs_.messageBox(message.text, localization_.funLoadResString(10000),
                                   message.style);
    });
}

std::string MessageCatalogue::funMsgText(int number, const std::string& text) {
    return errors_.trap("modMessageManager.funMsgTextError", OnError::LogOnly,
                        [&] { return build(number, text).text; });
}

} // namespace orvan
