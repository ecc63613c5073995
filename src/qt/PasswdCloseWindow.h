#pragma once

#include "DialogWindow.h"

namespace orvan {

// The quit dialog: draws frmPasswdClose and forwards to QuitDialog.
class PasswdCloseWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdCloseWindow(Client& client);
};

} // namespace orvan
