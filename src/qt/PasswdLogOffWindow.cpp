#include "PasswdLogOffWindow.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvan {

PasswdLogOffWindow::PasswdLogOffWindow(Client& client)
    : DialogWindow(client, "frmPasswdLogOff") {
    setMinimumWidth(360);
    const auto& exits = PasswdLogOffForm::kExits;
    for (std::size_t i = 0; i < exits.size(); ++i) {
        const auto name = QStringLiteral("optShutdown%1").arg(exits[i]).toLatin1();
        optShutdown_[i] = makeOption(name.constData());
        content()->addWidget(optShutdown_[i]);
        connect(optShutdown_[i], &QRadioButton::clicked, this, [this, index = exits[i]] {
            forward([&] { this->client().passwordDialogs().logOff().optShutdown_Click(index); });
        });
    }
    lblHelp_ = makeLabel("lblHelp");
    content()->addSpacing(4);
    content()->addWidget(lblHelp_);
    txtPassword_ = addFieldRow("lblPassword", lblPassword_, "txtPassword", true);
    addButtonRow(cmdQuit_, "cmdQuit", cmdCancel_);
    connect(txtPassword_, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([&] {
            this->client().passwordDialogs().logOff().txtPassword_Change(text.toStdString());
        });
    });
}

const FormModel& PasswdLogOffWindow::model() const {
    return client().context().forms.frmPasswdLogOff;
}

bool PasswdLogOffWindow::syncContents() {
    using sync::text;
    const auto& m = client().context().forms.frmPasswdLogOff;
    bool changed = false;
    for (std::size_t i = 0; i < optShutdown_.size(); ++i) {
        changed |= sync::setText(optShutdown_[i], text(m.optShutdownCaptions[i]));
        sync::setChecked(optShutdown_[i], m.intExitKind == PasswdLogOffForm::kExits[i]);
    }
    changed |= sync::setText(lblHelp_, text(m.lblHelp));
    changed |= sync::setText(lblPassword_, text(m.lblPassword));
    changed |= sync::setText(cmdQuit_, text(m.cmdQuitCaption));
    changed |= sync::setText(cmdCancel_, text(m.cmdCancelCaption));
    sync::setText(txtPassword_, text(m.txtPassword));
    return changed;
}

void PasswdLogOffWindow::syncFocus() {
    moveFocus(client().context().forms.frmPasswdLogOff.focusRequests, txtPassword_);
}

void PasswdLogOffWindow::pressDefault() {
    forward([this] { client().passwordDialogs().logOff().cmdQuit_Click(); });
}

void PasswdLogOffWindow::pressCancel() {
    forward([this] { client().passwordDialogs().logOff().cmdCancel_Click(); });
}

} // namespace orvan
