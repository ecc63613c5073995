#include "lockscreen/LockScreenTexts.h"

#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "platform/SystemInfo.h"

#include <cstdlib>

namespace orvan {

LockScreenTexts::LockScreenTexts(EngineContext& context)
    : context_(context) {}

void LockScreenTexts::subLocalizeInterface() {
    context_.errors.trap("frmBlock.subLocalizeInterfaceError", OnError::LogOnly, [&] {
        localizeButtons();
        localizeLabels();
        localizeLogin();
        showWorkstationName();
        // The language may have changed under the chooser (back to the default, or by
        // the manager): it shows the one in force.
        selectCurrentLanguage();
    });
}

void LockScreenTexts::localizeButtons() {
    auto& block = context_.forms.frmBlock;
    auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    block.cmdCxn = {text(10113), text(10135)};
    block.cmdQuit = {text(10114), text(10136)};
    block.cmdReCnx = {text(10113), text(10137)};
    block.cmdUnPause = {text(10113), text(10138)};
}

void LockScreenTexts::localizeLabels() {
    auto& block = context_.forms.frmBlock;
    auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    static constexpr long kLabelIds[16] = {10298, 10115, 10116, 10117, 10118, 10119, 10120, 10121,
                                           10122, 10123, 10124, 10125, 10123, 10319, 10320, 10321};
    for (std::size_t i = 0; i < block.lbl.size(); ++i) {
        block.lbl[i].caption = text(kLabelIds[i]);
    }
    block.lblCloseSessionWarning = text(10219);
    block.lblGNU = text(10010);
    block.picLogoToolTip = text(10339);
    block.Label1 = kContactLine;
}

void LockScreenTexts::localizeLogin() {
    auto& block = context_.forms.frmBlock;
    auto text = [this](long id) { return context_.localization.funLoadResString(id); };
    block.fraCardNumber.caption = text(10115);
    block.optCardText = {text(10126), text(10127)};
    block.optSelfServiceText = {text(10128), text(10129)};
    block.OptClientText = {text(10318), text(10330)};
    block.optConnectedText = {text(10130), text(10131)};
    block.optDisconnectedText = {text(10132), text(10133)};
    block.txtCardNumText.toolTip = text(10134);
    block.txtCardNumToolTip = text(10332);
    block.txtLoginText.toolTip = text(10334);
    block.txtPasswordText.toolTip = text(10335);
    block.txtLoginToolTip = context_.localization.funLoadResString(10333, kIllegalLoginCharacters);
}

void LockScreenTexts::showWorkstationName() {
    auto& block = context_.forms.frmBlock;
    const auto& name = context_.settings.strWksnName;
    const auto computer = context_.platform.system.computerName();
    block.lblWksnName = name;
    block.lblWksnNameToolTip = Utf8::equalsIgnoreCase(name, computer) ? "" : "\\\\" + computer;
}

void LockScreenTexts::fillLanguages() {
    context_.errors.trap("frmBlock.fillLanguagesError", OnError::LogOnly, [&] {
        auto& block = context_.forms.frmBlock;
        block.cmbLanguage.clear();
        languages_ = context_.localization.funFindLangPacks();
        for (std::size_t row = 0; row < languages_.size(); ++row) {
            if (Utf8::equalsIgnoreCase(languages_[row][5], "True")) {
                block.cmbLanguage.push_back({languages_[row][4], static_cast<int>(row)});
            }
        }
        selectCurrentLanguage();
    });
}

void LockScreenTexts::selectCurrentLanguage() {
    auto& block = context_.forms.frmBlock;
    const auto& table = languages_;
    block.cmbLanguageIndex = -1;
    for (std::size_t i = 0; i < block.cmbLanguage.size(); ++i) {
        const auto row = static_cast<std::size_t>(block.cmbLanguage[i].row);
        if (row < table.size() &&
            Utf8::equalsIgnoreCase(table[row][0], context_.localization.currentLanguage())) {
            block.cmbLanguageIndex = static_cast<int>(i);
        }
    }
}

void LockScreenTexts::chooseLanguage(int index) {
    context_.errors.trap("frmBlock.cmbLanguage_ClickError", OnError::LogOnly, [&] {
        auto& block = context_.forms.frmBlock;
        if (index < 0 || index >= static_cast<int>(block.cmbLanguage.size())) {
            return;
        }
        // The rows the chooser was filled from.
        const auto& table = languages_;
        const auto row = static_cast<std::size_t>(block.cmbLanguage[index].row);
        if (row >= table.size()) {
            return;
        }
        block.cmbLanguageIndex = index;
        context_.localization.changeCurrentLanguage(
            table[row][0], std::strtol(table[row][3].c_str(), nullptr, 10));
    });
}

} // namespace orvan
