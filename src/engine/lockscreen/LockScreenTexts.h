#pragma once

#include "localization/Localization.h"

#include <vector>

namespace orvan {

struct EngineContext;

// The lock screen's words: every caption and tool tip in the current language, the
// workstation name in the header and the language chooser.
class LockScreenTexts {
public:
    // The characters a login may not contain, as the hint lists them.
    static constexpr const char* kIllegalLoginCharacters = "\\?/:*<>|\" '#~จ^`%$";
    // The footer's contact line.
    static constexpr const char* kContactLine = "OrvanClient workstation";

    explicit LockScreenTexts(EngineContext& context);

    void subLocalizeInterface();
    // Fills the language chooser from the language table: the packs that can show
    // their own name, by their names in Latin letters.
    void fillLanguages();
    // The customer chose entry `index` of the chooser: its language becomes current.
    void chooseLanguage(int index);

private:
    void localizeButtons();
    void localizeLabels();
    void localizeLogin();
    void showWorkstationName();
    void selectCurrentLanguage();

    EngineContext& context_;
    // The language table the chooser was filled from.
    std::vector<Localization::LanguageRow> languages_;
};

} // namespace orvan
