#include "lockscreen/LoginPanel.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "lockscreen/LockScreen.h"
#include "lockscreen/Login.h"
#include "model/EngineContext.h"
#include "msgbox/MsgBox.h"
#include "wire/WireFormat.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace orvan {
namespace {

// The next code point of `text` at `at`, advancing `at`; a broken sequence counts as
// one character of its first byte.
char32_t nextCodePoint(std::string_view text, std::size_t& at, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    length = lead < 0x80         ? 1
             : lead >> 5 == 0x6  ? 2
             : lead >> 4 == 0xE  ? 3
             : lead >> 3 == 0x1E ? 4
                                 : 1;
    if (at + length > text.size()) {
        length = 1;
    }
    char32_t value = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        value = (value << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    at += length;
    return value;
}

bool notDigit(char32_t c) {
    return c < U'0' || c > U'9';
}

// `text` without the characters `refused` says no to, and the caret moved back by the
// refused characters before it.
template <class Refused>
std::string filtered(const std::string& text, int& caret, Refused refused) {
    std::string kept;
    kept.reserve(text.size());
    int index = 0;
    int newCaret = caret;
    for (std::size_t at = 0; at < text.size(); ++index) {
        std::size_t length = 0;
        const auto start = at;
        const auto c = nextCodePoint(text, at, length);
        if (refused(c)) {
            if (index < caret) {
                --newCaret;
            }
            continue;
        }
        kept.append(text, start, length);
    }
    caret = std::max(newCaret, 0);
    return kept;
}

bool illegalInLogin(char32_t c) {
    static constexpr std::u32string_view kIllegal = U"\\?/:*<>|\" '#~\u0E08^`%$";
    return kIllegal.find(c) != std::u32string_view::npos;
}

} // namespace

LoginPanel::LoginPanel(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

bool LoginPanel::validCardNumber(const std::string& number) {
    if (number.empty()) {
        return false;
    }
    std::int32_t value = 0;
    const auto* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (error != std::errc{} || stop != end || number.front() == '-' || number.front() == '+') {
        return false;
    }
    return std::to_string(value).size() == 6;
}

void LoginPanel::chooseKind(bool card, bool member, bool selfService) {
    auto& block = context_.forms.frmBlock;
    block.optCard.value = card;
    block.OptClient.value = member;
    block.optSelfService.value = selfService;
    block.fraCardNumberVisible = card;
    block.fraClientVisible = member;
    block.cmdCxnPicture = card ? 1 : member ? 2 : 3;
    parts_.lockScreen.applyConnectButtonRule();
}

void LoginPanel::optCard_Click() {
    context_.errors.trap("frmBlock.optCard_ClickError", OnError::LogOnly, [&] {
        if (!context_.forms.frmBlock.optCard.enabled) {
            return;
        }
        chooseKind(true, false, false);
        context_.forms.frmBlock.focus = BlockForm::Control::txtCardNum;
    });
}

void LoginPanel::OptClient_Click() {
    context_.errors.trap("frmBlock.OptClient_ClickError", OnError::LogOnly, [&] {
        if (!context_.forms.frmBlock.OptClient.enabled) {
            return;
        }
        chooseKind(false, true, false);
        context_.forms.frmBlock.focus = BlockForm::Control::txtLogin;
    });
}

void LoginPanel::optSelfService_Click() {
    context_.errors.trap("frmBlock.optSelfService_ClickError", OnError::LogOnly, [&] {
        if (!context_.forms.frmBlock.optSelfService.enabled) {
            return;
        }
        chooseKind(false, false, true);
    });
}

void LoginPanel::optConnected_Click() {
    auto& block = context_.forms.frmBlock;
    if (block.optConnected.enabled) {
        block.optConnected.value = true;
        block.optDisconnected.value = false;
    }
}

void LoginPanel::optDisconnected_Click() {
    auto& block = context_.forms.frmBlock;
    if (block.optDisconnected.enabled) {
        block.optDisconnected.value = true;
        block.optConnected.value = false;
    }
}

int LoginPanel::txtCardNum_Change(const std::string& text, int caret) {
    auto& block = context_.forms.frmBlock;
    block.txtCardNum = filtered(text, caret, notDigit);
    if (block.txtCardNum.size() != text.size()) {
        block.txtCardNumToolTipVisible = true;
    }
    parts_.lockScreen.applyConnectButtonRule();
    return caret;
}

int LoginPanel::txtLogin_Change(const std::string& text, int caret) {
    auto& block = context_.forms.frmBlock;
    block.txtLogin = filtered(text, caret, illegalInLogin);
    if (block.txtLogin.size() != text.size()) {
        block.txtLoginToolTipVisible = true;
    }
    parts_.lockScreen.applyConnectButtonRule();
    return caret;
}

void LoginPanel::txtPassword_Change(const std::string& text) {
    context_.forms.frmBlock.txtPassword = text;
}

void LoginPanel::txtCardNum_LostFocus() {
    context_.forms.frmBlock.txtCardNumToolTipVisible = false;
}

void LoginPanel::txtLogin_LostFocus() {
    context_.forms.frmBlock.txtLoginToolTipVisible = false;
}

void LoginPanel::cmdCxn_Click() {
    try {
        startLogin();
    } catch (const std::exception& error) {
        // The card number tells the manager which attempt failed.
        context_.log.subWriteLog("frmBlock.cmdCxn_ClickError - CardNum: " +
                                 context_.forms.frmBlock.txtCardNum);
        context_.errors.report(AppError::fromException(error), "frmBlock.cmdCxn_ClickError",
                               OnError::ShowUnlessLocked);
    }
}

// A password holding a wire marker would cut the request short on the server; it is
// refused here rather than altered, so the member knows it never left the computer.
void LoginPanel::refuseUnsendablePassword() {
    auto& block = context_.forms.frmBlock;
    auto& texts = context_.localization;
    block.txtPassword.clear();
    block.focus = BlockForm::Control::txtPassword;
    parts_.msgBox.subShowMsgBox(
        texts.funLoadResString(10364) + "\r\n" + texts.funLoadResString(10179), MsgBox::kButtonsOK,
        MsgBox::kDefaultYes, nullptr, &block, MsgBox::kModal, 0);
}

void LoginPanel::startLogin() {
    auto& block = context_.forms.frmBlock;
    int kind = Login::kSelfService;
    std::string identifier;
    std::string secret;
    if (block.optCard.value) {
        if (block.txtCardNum.empty()) {
            return;
        }
        if (!validCardNumber(block.txtCardNum)) {
            block.focus = BlockForm::Control::txtCardNum;
            parts_.msgBox.subShowMsgBox(context_.localization.funLoadResString(10104),
                                        MsgBox::kButtonsOK, MsgBox::kDefaultYes, nullptr, &block,
                                        MsgBox::kModal, 0);
            return;
        }
        kind = Login::kCard;
        identifier = block.txtCardNum;
    } else if (block.OptClient.value) {
        if (block.txtLogin.empty()) {
            return;
        }
        if (WireFormat::holdsMarker(block.txtLogin) || WireFormat::holdsMarker(block.txtPassword)) {
            refuseUnsendablePassword();
            return;
        }
        kind = Login::kMember;
        identifier = Utf8::lowerAscii(block.txtLogin);
        secret = block.txtPassword;
    }
    const int mode =
        block.optConnected.value ? Workstation::kConnected : Workstation::kDisconnected;
    parts_.login.subStartConnexion(kind, mode, identifier, secret);
}

} // namespace orvan
