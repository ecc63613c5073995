#include "PasswdLogOffWindow.h"

#include "client/Client.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvan {

PasswdLogOffWindow::PasswdLogOffWindow(Client& client)
    : DialogWindow(client, "frmPasswdLogOff", client.context().forms.frmPasswdLogOff,
                   {[&client] { client.passwordDialogs().logOff().cmdQuit_Click(); },
                    [&client] { client.passwordDialogs().logOff().cmdCancel_Click(); }}) {
    const auto& m = client.context().forms.frmPasswdLogOff;
    auto& dialog = client.passwordDialogs().logOff();
    setMinimumWidth(360);
    const auto& exits = PasswdLogOffForm::kExits;
    for (std::size_t i = 0; i < exits.size(); ++i) {
        const int kind = exits[i];
        const auto name = QStringLiteral("optShutdown%1").arg(kind).toLatin1();
        auto* option = makeOption(name.constData());
        content()->addWidget(option);
        connect(option, &QRadioButton::clicked, this,
                [this, &dialog, kind] { forward([&] { dialog.optShutdown_Click(kind); }); });
        bindText(option, m.optShutdownCaptions[i]);
        bindChecked(option, [&m, kind] { return m.intExitKind == kind; });
    }
    content()->addSpacing(4);
    addExitPassword(m, dialog);
}

} // namespace orvan
