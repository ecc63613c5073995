#pragma once

#include "DialogWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvan {

// The quit dialog: draws frmPasswdClose and forwards to QuitDialog.
class PasswdCloseWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdCloseWindow(Client& client);

protected:
    const FormModel& model() const override;
    bool syncContents() override;
    void syncFocus() override;
    void pressDefault() override;
    void pressCancel() override;

private:
    QLabel* lblHelp_ = nullptr;
    QLabel* lblPassword_ = nullptr;
    QLineEdit* txtPassword_ = nullptr;
    QPushButton* cmdQuit_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace orvan
