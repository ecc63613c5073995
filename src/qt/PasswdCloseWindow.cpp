#include "PasswdCloseWindow.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {

PasswdCloseWindow::PasswdCloseWindow(Client& client)
    : DialogWindow(client, "frmPasswdClose") {
    setMinimumWidth(360);
    lblHelp_ = makeLabel("lblHelp");
    content()->addWidget(lblHelp_);
    txtPassword_ = addFieldRow("lblPassword", lblPassword_, "txtPassword", true);
    addButtonRow(cmdQuit_, "cmdQuit", cmdCancel_);
    connect(txtPassword_, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([&] {
            this->client().passwordDialogs().quit().txtPassword_Change(text.toStdString());
        });
    });
}

const FormModel& PasswdCloseWindow::model() const {
    return client().context().forms.frmPasswdClose;
}

bool PasswdCloseWindow::syncContents() {
    using sync::text;
    const auto& m = client().context().forms.frmPasswdClose;
    bool changed = sync::setText(lblHelp_, text(m.lblHelp));
    changed |= sync::setText(lblPassword_, text(m.lblPassword));
    changed |= sync::setText(cmdQuit_, text(m.cmdQuitCaption));
    changed |= sync::setText(cmdCancel_, text(m.cmdCancelCaption));
    sync::setText(txtPassword_, text(m.txtPassword));
    return changed;
}

void PasswdCloseWindow::syncFocus() {
    moveFocus(client().context().forms.frmPasswdClose.focusRequests, txtPassword_);
}

void PasswdCloseWindow::pressDefault() {
    forward([this] { client().passwordDialogs().quit().cmdQuit_Click(); });
}

void PasswdCloseWindow::pressCancel() {
    forward([this] { client().passwordDialogs().quit().cmdCancel_Click(); });
}

} // namespace orvan
