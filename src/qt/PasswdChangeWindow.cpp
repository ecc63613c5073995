#include "PasswdChangeWindow.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {

PasswdChangeWindow::PasswdChangeWindow(Client& client)
    : DialogWindow(client, "frmPasswdChange") {
    setMinimumWidth(380);
    auto& dialog = client.passwordDialogs().passwordChange();
    auto* grid = new QGridLayout;
    const auto row = [&](int at, const char* label, const char* field, QLabel*& caption,
                         QLineEdit*& edit,
                         void (PasswordChangeDialog::*change)(const std::string&)) {
        caption = makeLabel(label);
        caption->setWordWrap(false);
        edit = makeField(field, true);
        grid->addWidget(caption, at, 0);
        grid->addWidget(edit, at, 1);
        connect(edit, &QLineEdit::textEdited, this, [this, &dialog, change](const QString& text) {
            forward([&] { (dialog.*change)(text.toStdString()); });
        });
    };
    row(0, "lblOldPassword", "txtOldPassword", lblOldPassword_, txtOldPassword_,
        &PasswordChangeDialog::txtOldPassword_Change);
    row(1, "lblNewPassword", "txtNewPassword", lblNewPassword_, txtNewPassword_,
        &PasswordChangeDialog::txtNewPassword_Change);
    row(2, "lblCheckNewPassword", "txtCheckNewPassword", lblCheckNewPassword_, txtCheckNewPassword_,
        &PasswordChangeDialog::txtCheckNewPassword_Change);
    grid->setColumnStretch(1, 1);
    content()->addLayout(grid);
    lblResponse_ = makeLabel("lblResponse");
    lblResponse_->setProperty("role", QStringLiteral("error"));
    content()->addWidget(lblResponse_);
    addButtonRow(cmdChange_, "cmdChange", cmdCancel_);
}

const FormModel& PasswdChangeWindow::model() const {
    return client().context().forms.frmPasswdChange;
}

bool PasswdChangeWindow::syncContents() {
    using sync::text;
    const auto& m = client().context().forms.frmPasswdChange;
    bool changed = sync::setText(lblOldPassword_, text(m.lblOldPassword));
    changed |= sync::setText(lblNewPassword_, text(m.lblNewPassword));
    changed |= sync::setText(lblCheckNewPassword_, text(m.lblCheckNewPassword));
    changed |= sync::setText(lblResponse_, text(m.lblResponse));
    changed |= sync::setVisible(lblResponse_, !m.lblResponse.empty());
    changed |= sync::setText(cmdChange_, text(m.cmdChangeCaption));
    changed |= sync::setText(cmdCancel_, text(m.cmdCancelCaption));
    sync::setText(txtOldPassword_, text(m.txtOldPassword));
    sync::setText(txtNewPassword_, text(m.txtNewPassword));
    sync::setText(txtCheckNewPassword_, text(m.txtCheckNewPassword));
    sync::setEnabled(cmdChange_, m.cmdChangeEnabled);
    return changed;
}

void PasswdChangeWindow::syncFocus() {
    const auto& m = client().context().forms.frmPasswdChange;
    moveFocus(m.focusRequests, m.focus == PasswdChangeForm::Control::txtNewPassword
                                   ? txtNewPassword_
                                   : txtOldPassword_);
}

void PasswdChangeWindow::pressDefault() {
    // Enter does only what the button would: nothing while the entries differ.
    if (client().context().forms.frmPasswdChange.cmdChangeEnabled) {
        forward([this] { client().passwordDialogs().passwordChange().cmdChange_Click(); });
    }
}

void PasswdChangeWindow::pressCancel() {
    forward([this] { client().passwordDialogs().passwordChange().cmdCancel_Click(); });
}

} // namespace orvan
