#pragma once

#include "DialogWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvan {

// The deactivation dialog: draws frmPasswd and forwards to DeactivationDialog.
class PasswdWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdWindow(Client& client);

protected:
    const FormModel& model() const override;
    bool syncContents() override;
    void syncFocus() override;
    void pressDefault() override;
    void pressCancel() override;

private:
    QLabel* lblMessage_ = nullptr;
    QLabel* lblLogin_ = nullptr;
    QLineEdit* txtLogin_ = nullptr;
    QLabel* lblPassword_ = nullptr;
    QLineEdit* txtPassword_ = nullptr;
    QPushButton* cmdDeactivate_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace orvan
