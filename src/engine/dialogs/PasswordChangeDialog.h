#pragma once

#include <string>

namespace orvan {

struct EngineContext;
struct FormModel;

// The member's password change frmPasswdChange: the old password, the new one twice;
// the change goes to the server on the link.
class PasswordChangeDialog {
public:
    explicit PasswordChangeDialog(EngineContext& context);

    void Form_Load(FormModel* owner);
    void txtOldPassword_Change(const std::string& text);
    void txtNewPassword_Change(const std::string& text);
    void txtCheckNewPassword_Change(const std::string& text);
    void cmdChange_Click();
    void cmdCancel_Click();
    void subLocalizeInterface();

private:
    void refuse(long reason);
    void send(const std::string& password);

    EngineContext& context_;
};

} // namespace orvan
