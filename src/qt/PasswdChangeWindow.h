#pragma once

#include "DialogWindow.h"

namespace orvan {

// The member's password change: draws frmPasswdChange and forwards to
// PasswordChangeDialog.
class PasswdChangeWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdChangeWindow(Client& client);
};

} // namespace orvan
