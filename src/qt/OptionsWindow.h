#pragma once

#include "DialogWindow.h"
#include "model/OptionsForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvan {

// The options dialog: draws frmOptions, locked or unlocked, and forwards to
// OptionsDialog.
class OptionsWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit OptionsWindow(Client& client);

protected:
    bool syncContents() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLock();
    void buildServer();
    void buildWorkstation();
    void buildButtons();
    void connectFields();
    bool syncTexts();
    void syncFields();
    QWidget* widgetFor(OptionsForm::Control control) const;

    QCheckBox* chkLocked_ = nullptr;
    QLabel* lblLocked_ = nullptr;
    QLabel* lblUnlocked_ = nullptr;
    QWidget* fraAdminPassword_ = nullptr;
    QLabel* lblLockedPassword_ = nullptr;
    QLineEdit* txtLockedPassword_ = nullptr;
    QPushButton* cmdUnlockOptions_ = nullptr;

    QLabel* lblServer_ = nullptr;
    QRadioButton* optServerAutoConnect_ = nullptr;
    QRadioButton* optServerManualConnect_ = nullptr;
    QLabel* lblServerName_ = nullptr;
    QLineEdit* txtServerName_ = nullptr;
    QLabel* lblServerFormat_ = nullptr;
    QLabel* lblPortNum_ = nullptr;
    QLineEdit* txtPortNum_ = nullptr;

    QLabel* lblWorkstation_ = nullptr;
    QLabel* lblWksnName_ = nullptr;
    QLineEdit* txtWksnName_ = nullptr;
    QCheckBox* chkStartActive_ = nullptr;
    QCheckBox* chkStartAtLogon_ = nullptr;
    QCheckBox* chkAllowLockdown_ = nullptr;
    QLabel* lblUsageMode_ = nullptr;
    QRadioButton* optWksnTypeSndAln_ = nullptr;
    QRadioButton* optWksnTypeDskless_ = nullptr;

    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    int padlockShown_ = -1;
};

} // namespace orvan
