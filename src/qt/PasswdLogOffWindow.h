#pragma once

#include "DialogWindow.h"

namespace orvan {

// The log-off dialog: draws frmPasswdLogOff and forwards to LogOffDialog.
class PasswdLogOffWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdLogOffWindow(Client& client);
};

} // namespace orvan
