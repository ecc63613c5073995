#pragma once

#include "DialogWindow.h"
#include "model/SetupWizardForm.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvan {

// The configuration wizard: draws frmSetupWizard (the welcome page or the step the
// model names) and forwards every change and button to SetupWizard.
class SetupWizardWindow : public DialogWindow {
    Q_OBJECT
public:
    explicit SetupWizardWindow(Client& client);

protected:
    bool syncContents() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const SetupWizardForm& form() const;
    QWidget* buildWelcome();
    QWidget* buildContainer();
    QWidget* buildStep(int step);
    void buildServerStep(QWidget* page);
    void buildNameStep(QWidget* page);
    void buildStartStep(QWidget* page);
    void buildRightsStep(QWidget* page);
    void buildFinishStep(QWidget* page);
    QWidget* buildButtons();
    void connectControls();
    bool syncTexts(const SetupWizardForm& model);
    void syncFields(const SetupWizardForm& model);
    QWidget* widgetFor(SetupWizardForm::Control control) const;

    QWidget* fraWelcome_ = nullptr;
    QLabel* lblWelcomeTitle_ = nullptr;
    QLabel* lblWelcomeText_ = nullptr;
    QLabel* lblWelcomeHelp_ = nullptr;
    QLabel* lblContact_ = nullptr;

    QWidget* fraWizardContainer_ = nullptr;
    QLabel* lblConfigStepTitle_ = nullptr;
    QLabel* lblConfigStepDescription_ = nullptr;
    std::array<QWidget*, SetupWizardForm::kLastStep + 1> fraStep_{};
    std::array<QLabel*, SetupWizardForm::kLastStep + 1> lblStepIntro_{};

    QRadioButton* optServerAutoConnect_ = nullptr;
    QRadioButton* optServerManualConnect_ = nullptr;
    QLabel* lblServerName_ = nullptr;
    QLineEdit* txtServerName_ = nullptr;
    QLabel* lblPortNum_ = nullptr;
    QLineEdit* txtPortNum_ = nullptr;
    QLabel* lblServerFormat_ = nullptr;
    QLabel* lblWksnName_ = nullptr;
    QLineEdit* txtWksnName_ = nullptr;
    QCheckBox* chkStartAtLogon_ = nullptr;
    QCheckBox* chkStartActive_ = nullptr;
    QLabel* lblStartUser_ = nullptr;
    QCheckBox* chkAllowLockdown_ = nullptr;
    QLabel* lblRightsUser_ = nullptr;
    QLabel* lblRightsWarning_ = nullptr;
    QCheckBox* chkActivateNow_ = nullptr;

    QPushButton* cmdBack_ = nullptr;
    QPushButton* cmdNext_ = nullptr;
    QPushButton* cmdFinish_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace orvan
