#pragma once

#include <string>

namespace orvan {

struct EngineContext;
class LockScreen;
class Login;
class MsgBox;

// The lock screen's login panel: the choice of login kind and usage mode, the fields
// that refuse what cannot be part of a card number or a login, and the connect button
// that checks the card number before anything goes to the server.
class LoginPanel {
public:
    struct Parts {
        Login& login;
        MsgBox& msgBox;
        LockScreen& lockScreen;
    };

    LoginPanel(EngineContext& context, Parts parts);

    void optCard_Click();
    void OptClient_Click();
    void optSelfService_Click();
    void optConnected_Click();
    void optDisconnected_Click();
    // Each takes the field's new text and the caret (in characters) and returns where
    // the caret stands once the refused characters are gone.
    int txtCardNum_Change(const std::string& text, int caret);
    int txtLogin_Change(const std::string& text, int caret);
    void txtPassword_Change(const std::string& text);
    void txtCardNum_LostFocus();
    void txtLogin_LostFocus();
    void cmdCxn_Click();

    // Six digits that survive the trip through a 32-bit whole number unchanged.
    static bool validCardNumber(const std::string& number);

private:
    void chooseKind(bool card, bool member, bool selfService);
    void startLogin();
    void refuseUnsendablePassword();

    EngineContext& context_;
    Parts parts_;
};

} // namespace orvan
