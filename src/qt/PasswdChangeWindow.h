#pragma once

#include "DialogWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvan {

// The member's password change: draws frmPasswdChange and forwards to
// PasswordChangeDialog.
class PasswdChangeWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdChangeWindow(Client& client);

protected:
    const FormModel& model() const override;
    bool syncContents() override;
    void syncFocus() override;
    void pressDefault() override;
    void pressCancel() override;

private:
    QLabel* lblOldPassword_ = nullptr;
    QLineEdit* txtOldPassword_ = nullptr;
    QLabel* lblNewPassword_ = nullptr;
    QLineEdit* txtNewPassword_ = nullptr;
    QLabel* lblCheckNewPassword_ = nullptr;
    QLineEdit* txtCheckNewPassword_ = nullptr;
    QLabel* lblResponse_ = nullptr;
    QPushButton* cmdChange_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace orvan
