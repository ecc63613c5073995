#include "PasswdWindow.h"

#include "client/Client.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {

PasswdWindow::PasswdWindow(Client& client)
    : DialogWindow(client, "frmPasswd", client.context().forms.frmPasswd,
                   {[&client] { client.passwordDialogs().deactivation().cmdDeactivate_Click(); },
                    [&client] { client.passwordDialogs().deactivation().cmdCancel_Click(); }}) {
    const auto& m = client.context().forms.frmPasswd;
    auto& dialog = client.passwordDialogs().deactivation();
    setMinimumWidth(380);
    auto* message = makeLabel("lbl0");
    bindText(message, m.lblMessage);
    content()->addWidget(message);
    auto* grid = new QGridLayout;
    auto* lblLogin = makeLabel("lblLogin");
    lblLogin->setWordWrap(false);
    auto* txtLogin = makeField("txtLogin");
    auto* lblPassword = makeLabel("lblPassword");
    lblPassword->setWordWrap(false);
    auto* txtPassword = makeField("txtPassword", true);
    grid->addWidget(lblLogin, 0, 0);
    grid->addWidget(txtLogin, 0, 1);
    grid->addWidget(lblPassword, 1, 0);
    grid->addWidget(txtPassword, 1, 1);
    grid->setColumnStretch(1, 1);
    content()->addLayout(grid);
    QPushButton* cmdDeactivate = nullptr;
    QPushButton* cmdCancel = nullptr;
    addButtonRow(cmdDeactivate, "cmdDeactivate", cmdCancel);

    bindText(lblLogin, m.lblLogin);
    bindText(lblPassword, m.lblPassword);
    bindText(cmdDeactivate, m.cmdDeactivateCaption);
    bindText(cmdCancel, m.cmdCancelCaption);
    bindField(txtLogin, m.txtLogin,
              [&dialog](const std::string& text) { dialog.txtLogin_Change(text); });
    bindEnabled(txtLogin, m.txtLoginEnabled);
    bindField(txtPassword, m.txtPassword,
              [&dialog](const std::string& text) { dialog.txtPassword_Change(text); });
    bindFocus(m.focusRequests, [&m, txtLogin, txtPassword]() -> QWidget* {
        return m.focus == PasswdForm::Control::txtLogin ? txtLogin : txtPassword;
    });
}

} // namespace orvan
