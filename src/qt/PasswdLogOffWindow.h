#pragma once

#include "DialogWindow.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvan {

// The log-off dialog: draws frmPasswdLogOff and forwards to LogOffDialog.
class PasswdLogOffWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit PasswdLogOffWindow(Client& client);

protected:
    const FormModel& model() const override;
    bool syncContents() override;
    void syncFocus() override;
    void pressDefault() override;
    void pressCancel() override;

private:
    std::array<QRadioButton*, 3> optShutdown_{};
    QLabel* lblHelp_ = nullptr;
    QLabel* lblPassword_ = nullptr;
    QLineEdit* txtPassword_ = nullptr;
    QPushButton* cmdQuit_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace orvan
