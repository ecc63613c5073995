#include "PasswdChangeWindow.h"

#include "client/Client.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {

PasswdChangeWindow::PasswdChangeWindow(Client& client)
    : DialogWindow(client, "frmPasswdChange", client.context().forms.frmPasswdChange,
                   {[&client] {
                        // Enter does only what the button would: nothing while the
                        // entries differ.
                        if (client.context().forms.frmPasswdChange.cmdChangeEnabled) {
                            client.passwordDialogs().passwordChange().cmdChange_Click();
                        }
                    },
                    [&client] { client.passwordDialogs().passwordChange().cmdCancel_Click(); }}) {
    const auto& m = client.context().forms.frmPasswdChange;
    auto& dialog = client.passwordDialogs().passwordChange();
    setMinimumWidth(380);
    auto* grid = new QGridLayout;
    const auto row = [&](int at, const char* label, const std::string& caption, const char* field,
                         const std::string& text,
                         void (PasswordChangeDialog::*change)(const std::string&)) {
        auto* lbl = makeLabel(label);
        lbl->setWordWrap(false);
        auto* edit = makeField(field, true);
        grid->addWidget(lbl, at, 0);
        grid->addWidget(edit, at, 1);
        bindText(lbl, caption);
        bindField(edit, text,
                  [&dialog, change](const std::string& typed) { (dialog.*change)(typed); });
        return edit;
    };
    auto* txtOldPassword = row(0, "lblOldPassword", m.lblOldPassword, "txtOldPassword",
                               m.txtOldPassword, &PasswordChangeDialog::txtOldPassword_Change);
    auto* txtNewPassword = row(1, "lblNewPassword", m.lblNewPassword, "txtNewPassword",
                               m.txtNewPassword, &PasswordChangeDialog::txtNewPassword_Change);
    row(2, "lblCheckNewPassword", m.lblCheckNewPassword, "txtCheckNewPassword",
        m.txtCheckNewPassword, &PasswordChangeDialog::txtCheckNewPassword_Change);
    grid->setColumnStretch(1, 1);
    content()->addLayout(grid);
    auto* lblResponse = makeLabel("lblResponse");
    lblResponse->setProperty("role", QStringLiteral("error"));
    content()->addWidget(lblResponse);
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdCancel = nullptr;
    addButtonRow(cmdChange, "cmdChange", cmdCancel);
    bindText(lblResponse, m.lblResponse);
    bindVisible(lblResponse, [&m] { return !m.lblResponse.empty(); });
    bindText(cmdChange, m.cmdChangeCaption);
    bindText(cmdCancel, m.cmdCancelCaption);
    bindEnabled(cmdChange, m.cmdChangeEnabled);
    bindFocus(m.focusRequests, [&m, txtOldPassword, txtNewPassword]() -> QWidget* {
        return m.focus == PasswdChangeForm::Control::txtNewPassword ? txtNewPassword
                                                                    : txtOldPassword;
    });
}

} // namespace orvan
