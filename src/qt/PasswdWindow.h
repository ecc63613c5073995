#pragma once

#include "DialogWindow.h"

namespace orvan {

// The deactivation dialog: draws frmPasswd and forwards to DeactivationDialog.
class PasswdWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdWindow(Client& client);
};

} // namespace orvan
