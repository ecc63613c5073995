#include "PasswdWindow.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {

PasswdWindow::PasswdWindow(Client& client)
    : DialogWindow(client, "frmPasswd") {
    setMinimumWidth(380);
    lblMessage_ = makeLabel("lbl0");
    content()->addWidget(lblMessage_);
    auto* grid = new QGridLayout;
    lblLogin_ = makeLabel("lblLogin");
    lblLogin_->setWordWrap(false);
    txtLogin_ = makeField("txtLogin");
    lblPassword_ = makeLabel("lblPassword");
    lblPassword_->setWordWrap(false);
    txtPassword_ = makeField("txtPassword", true);
    grid->addWidget(lblLogin_, 0, 0);
    grid->addWidget(txtLogin_, 0, 1);
    grid->addWidget(lblPassword_, 1, 0);
    grid->addWidget(txtPassword_, 1, 1);
    grid->setColumnStretch(1, 1);
    content()->addLayout(grid);
    addButtonRow(cmdDeactivate_, "cmdDeactivate", cmdCancel_);

    auto& dialog = client.passwordDialogs().deactivation();
    connect(txtLogin_, &QLineEdit::textEdited, this, [this, &dialog](const QString& text) {
        forward([&] { dialog.txtLogin_Change(text.toStdString()); });
    });
    connect(txtPassword_, &QLineEdit::textEdited, this, [this, &dialog](const QString& text) {
        forward([&] { dialog.txtPassword_Change(text.toStdString()); });
    });
}

const FormModel& PasswdWindow::model() const {
    return client().context().forms.frmPasswd;
}

bool PasswdWindow::syncContents() {
    using sync::text;
    const auto& m = client().context().forms.frmPasswd;
    bool changed = sync::setText(lblMessage_, text(m.lblMessage));
    changed |= sync::setText(lblLogin_, text(m.lblLogin));
    changed |= sync::setText(lblPassword_, text(m.lblPassword));
    changed |= sync::setText(cmdDeactivate_, text(m.cmdDeactivateCaption));
    changed |= sync::setText(cmdCancel_, text(m.cmdCancelCaption));
    sync::setText(txtLogin_, text(m.txtLogin));
    sync::setEnabled(txtLogin_, m.txtLoginEnabled);
    sync::setText(txtPassword_, text(m.txtPassword));
    return changed;
}

void PasswdWindow::syncFocus() {
    const auto& m = client().context().forms.frmPasswd;
    moveFocus(m.focusRequests, m.focus == PasswdForm::Control::txtLogin ? txtLogin_ : txtPassword_);
}

void PasswdWindow::pressDefault() {
    forward([this] { client().passwordDialogs().deactivation().cmdDeactivate_Click(); });
}

void PasswdWindow::pressCancel() {
    forward([this] { client().passwordDialogs().deactivation().cmdCancel_Click(); });
}

} // namespace orvan
