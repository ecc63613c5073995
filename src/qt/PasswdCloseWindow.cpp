#include "PasswdCloseWindow.h"

#include "client/Client.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {

PasswdCloseWindow::PasswdCloseWindow(Client& client)
    : DialogWindow(client, "frmPasswdClose", client.context().forms.frmPasswdClose,
                   {[&client] { client.passwordDialogs().quit().cmdQuit_Click(); },
                    [&client] { client.passwordDialogs().quit().cmdCancel_Click(); }}) {
    const auto& m = client.context().forms.frmPasswdClose;
    auto& dialog = client.passwordDialogs().quit();
    setMinimumWidth(360);
    addExitPassword(m, dialog);
}

} // namespace orvan
