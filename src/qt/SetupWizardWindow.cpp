#include "SetupWizardWindow.h"

#include "QtTrayIcon.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvan {
namespace {

using Control = SetupWizardForm::Control;

// Wide enough for the longest step text in two or three lines.
constexpr int kPageWidth = 560;
constexpr int kPageHeight = 300;
constexpr int kIconSize = 48;

QVBoxLayout* column(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    return layout;
}

void setRole(QWidget* widget, const char* role) {
    widget->setProperty("role", QLatin1String(role));
}

} // namespace

SetupWizardWindow::SetupWizardWindow(Client& client)
    : DialogWindow(client, "frmSetupWizard", client.context().forms.frmSetupWizard,
                   {[&client] {
                        auto& wizard = client.setupWizard();
                        if (client.context().forms.frmSetupWizard.defaultButton ==
                            SetupWizardForm::Button::cmdFinish) {
                            wizard.cmdFinish_Click();
                        } else {
                            wizard.cmdNext_Click();
                        }
                    },
                    [&client] { client.setupWizard().cmdCancel_Click(); }}) {
    setFixedWidth(kPageWidth);
    // The program's own picture, as in the notification area.
    setWindowIcon(QtTrayIcon::picture(TrayIcon::Picture::Client));
    content()->addWidget(buildWelcome(), 1);
    content()->addWidget(buildContainer(), 1);
    content()->addWidget(buildButtons());
    connectControls();
    // Each step's first field once per step; a refused field again.
    bindFocus(form().focusRequests, [this] { return widgetFor(form().focus); });
}

const SetupWizardForm& SetupWizardWindow::form() const {
    return client().context().forms.frmSetupWizard;
}

QWidget* SetupWizardWindow::buildWelcome() {
    fraWelcome_ = new QWidget(this);
    fraWelcome_->setObjectName(QStringLiteral("fraWelcome"));
    fraWelcome_->setMinimumHeight(kPageHeight);
    auto* layout = column(fraWelcome_);
    lblWelcomeTitle_ = makeLabel("lblWelcomeTitle", fraWelcome_);
    setRole(lblWelcomeTitle_, "heading");
    lblWelcomeText_ = makeLabel("lblWelcomeText", fraWelcome_);
    lblWelcomeHelp_ = makeLabel("lblWelcomeHelp", fraWelcome_);
    lblContact_ = makeLabel("lbl6", fraWelcome_);
    setRole(lblContact_, "hint");
    layout->addWidget(lblWelcomeTitle_);
    layout->addSpacing(6);
    layout->addWidget(lblWelcomeText_);
    layout->addWidget(lblWelcomeHelp_);
    layout->addStretch(1);
    layout->addWidget(lblContact_);
    return fraWelcome_;
}

QWidget* SetupWizardWindow::buildContainer() {
    fraWizardContainer_ = new QWidget(this);
    fraWizardContainer_->setObjectName(QStringLiteral("fraWizardContainer"));
    fraWizardContainer_->setMinimumHeight(kPageHeight);
    auto* layout = column(fraWizardContainer_);
    lblConfigStepTitle_ = makeLabel("lblConfigStepTitle", fraWizardContainer_);
    setRole(lblConfigStepTitle_, "heading");
    lblConfigStepDescription_ = makeLabel("lblConfigStepDescription", fraWizardContainer_);
    setRole(lblConfigStepDescription_, "hint");
    auto* header = new QGridLayout;
    header->addWidget(lblConfigStepTitle_, 0, 0);
    header->addWidget(lblConfigStepDescription_, 1, 0);
    auto* imgIcon = new QLabel(fraWizardContainer_);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setPixmap(QtTrayIcon::drawn(TrayIcon::Picture::Client, kIconSize));
    header->addWidget(imgIcon, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignTop);
    header->setColumnStretch(0, 1);
    layout->addLayout(header);
    layout->addSpacing(8);
    for (int step = 1; step <= SetupWizardForm::kLastStep; ++step) {
        layout->addWidget(buildStep(step));
    }
    layout->addStretch(1);
    return fraWizardContainer_;
}

QWidget* SetupWizardWindow::buildStep(int step) {
    auto* page = new QWidget(fraWizardContainer_);
    page->setObjectName(QStringLiteral("fraStep%1").arg(step));
    auto* layout = column(page);
    auto* intro =
        makeLabel(QStringLiteral("lblStepIntro%1").arg(step).toLatin1().constData(), page);
    layout->addWidget(intro);
    fraStep_[static_cast<std::size_t>(step)] = page;
    lblStepIntro_[static_cast<std::size_t>(step)] = intro;
    switch (step) {
    case 1:
        buildServerStep(page);
        break;
    case 2:
        buildNameStep(page);
        break;
    case 3:
        buildStartStep(page);
        break;
    case 4:
        buildRightsStep(page);
        break;
    default:
        buildFinishStep(page);
        break;
    }
    page->hide();
    return page;
}

void SetupWizardWindow::buildServerStep(QWidget* page) {
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    optServerAutoConnect_ = makeOption("optServerAutoConnect", page);
    optServerManualConnect_ = makeOption("optServerManualConnect", page);
    layout->addWidget(optServerAutoConnect_);
    layout->addWidget(optServerManualConnect_);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(24, 0, 0, 0);
    lblServerName_ = makeLabel("lbl0", page);
    lblServerName_->setWordWrap(false);
    txtServerName_ = makeField("txtServerName", false, page);
    lblServerFormat_ = makeLabel("lblServerFormat", page);
    setRole(lblServerFormat_, "hint");
    lblPortNum_ = makeLabel("lbl1", page);
    lblPortNum_->setWordWrap(false);
    txtPortNum_ = makeField("txtPortNum", false, page);
    txtPortNum_->setMaxLength(5);
    grid->addWidget(lblServerName_, 0, 0);
    grid->addWidget(txtServerName_, 0, 1);
    grid->addWidget(lblServerFormat_, 1, 1);
    grid->addWidget(lblPortNum_, 2, 0);
    grid->addWidget(txtPortNum_, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
}

void SetupWizardWindow::buildNameStep(QWidget* page) {
    auto* row = new QHBoxLayout;
    lblWksnName_ = makeLabel("lbl2", page);
    lblWksnName_->setWordWrap(false);
    txtWksnName_ = makeField("txtWksnName", false, page);
    row->addWidget(lblWksnName_);
    row->addWidget(txtWksnName_, 1);
    static_cast<QVBoxLayout*>(page->layout())->addLayout(row);
}

void SetupWizardWindow::buildStartStep(QWidget* page) {
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    chkStartAtLogon_ = makeCheck("chkStartAtLogon", page);
    chkStartActive_ = makeCheck("chkStartActive", page);
    lblStartUser_ = makeLabel("lbl3", page);
    setRole(lblStartUser_, "hint");
    layout->addWidget(chkStartAtLogon_);
    layout->addWidget(chkStartActive_);
    layout->addSpacing(8);
    layout->addWidget(lblStartUser_);
}

void SetupWizardWindow::buildRightsStep(QWidget* page) {
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    chkAllowLockdown_ = makeCheck("chkAllowLockdown", page);
    lblRightsUser_ = makeLabel("lbl4", page);
    setRole(lblRightsUser_, "hint");
    lblRightsWarning_ = makeLabel("lbl5", page);
    setRole(lblRightsWarning_, "error");
    layout->addWidget(chkAllowLockdown_);
    layout->addSpacing(8);
    layout->addWidget(lblRightsUser_);
    layout->addWidget(lblRightsWarning_);
}

void SetupWizardWindow::buildFinishStep(QWidget* page) {
    chkActivateNow_ = makeCheck("chkActivateNow", page);
    static_cast<QVBoxLayout*>(page->layout())->addWidget(chkActivateNow_);
}

QWidget* SetupWizardWindow::buildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 8, 0, 0);
    cmdBack_ = makeButton("cmdBack", row);
    cmdBack_->setProperty("role", QStringLiteral("secondary"));
    cmdNext_ = makeButton("cmdNext", row);
    cmdFinish_ = makeButton("cmdFinish", row);
    cmdCancel_ = makeButton("cmdCancel", row);
    cmdCancel_->setProperty("role", QStringLiteral("secondary"));
    layout->addStretch(1);
    layout->addWidget(cmdBack_);
    layout->addWidget(cmdNext_);
    layout->addWidget(cmdFinish_);
    layout->addSpacing(16);
    layout->addWidget(cmdCancel_);
    return row;
}

void SetupWizardWindow::connectControls() {
    auto& wizard = client().setupWizard();
    connect(cmdBack_, &QPushButton::clicked, this,
            [this, &wizard] { forward([&] { wizard.cmdBack_Click(); }); });
    connect(cmdNext_, &QPushButton::clicked, this,
            [this, &wizard] { forward([&] { wizard.cmdNext_Click(); }); });
    connect(cmdFinish_, &QPushButton::clicked, this,
            [this, &wizard] { forward([&] { wizard.cmdFinish_Click(); }); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { pressEscape(); });
    connect(optServerAutoConnect_, &QRadioButton::clicked, this,
            [this, &wizard] { forward([&] { wizard.optServerAutoConnect_Click(); }); });
    connect(optServerManualConnect_, &QRadioButton::clicked, this,
            [this, &wizard] { forward([&] { wizard.optServerManualConnect_Click(); }); });
    connect(txtServerName_, &QLineEdit::textEdited, this, [this, &wizard](const QString& text) {
        forward([&] { wizard.txtServerName_Change(text.toStdString()); });
    });
    connect(txtPortNum_, &QLineEdit::textEdited, this, [this, &wizard](const QString& text) {
        int caret = 0;
        forward([&] { caret = wizard.txtPortNum_Change(text.toStdString()); });
        txtPortNum_->setCursorPosition(caret);
    });
    connect(txtWksnName_, &QLineEdit::textEdited, this, [this, &wizard](const QString& text) {
        forward([&] { wizard.txtWksnName_Change(text.toStdString()); });
    });
    txtWksnName_->installEventFilter(this);
    const auto check = [this](QCheckBox* box, void (SetupWizard::*click)(bool)) {
        connect(box, &QCheckBox::clicked, this, [this, click](bool checked) {
            forward([&] { (client().setupWizard().*click)(checked); });
        });
    };
    check(chkStartAtLogon_, &SetupWizard::chkStartAtLogon_Click);
    check(chkStartActive_, &SetupWizard::chkStartActive_Click);
    check(chkAllowLockdown_, &SetupWizard::chkAllowLockdown_Click);
    check(chkActivateNow_, &SetupWizard::chkActivateNow_Click);
}

bool SetupWizardWindow::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the name for another field checks it; a button checks it itself.
    if (watched == txtWksnName_ && event->type() == QEvent::FocusOut && isVisible()) {
        auto* next = QApplication::focusWidget();
        if (next != nullptr && qobject_cast<QPushButton*>(next) == nullptr) {
            bool kept = true;
            forward([&] { kept = client().setupWizard().txtWksnName_LostFocus(); });
            if (!kept) {
                txtWksnName_->setFocus(Qt::OtherFocusReason);
            }
        }
    }
    return DialogWindow::eventFilter(watched, event);
}

bool SetupWizardWindow::syncTexts(const SetupWizardForm& m) {
    using sync::text;
    bool changed = false;
    changed |= sync::setText(lblWelcomeTitle_, text(m.lblWelcomeTitle));
    changed |= sync::setText(lblWelcomeText_, text(m.lblWelcomeText));
    changed |= sync::setText(lblWelcomeHelp_, text(m.lblWelcomeHelp));
    changed |= sync::setText(lblContact_, text(m.lblContact));
    changed |= sync::setText(lblConfigStepTitle_, text(m.lblConfigStepTitle));
    changed |= sync::setText(lblConfigStepDescription_, text(m.lblConfigStepDescription));
    for (int step = 1; step <= SetupWizardForm::kLastStep; ++step) {
        const auto i = static_cast<std::size_t>(step);
        changed |= sync::setText(lblStepIntro_[i], text(m.lblStepIntro[i]));
    }
    const auto caption = [&changed](QAbstractButton* button, const DialogCaption& value) {
        changed |= sync::setText(button, text(value.caption));
        sync::setToolTip(button, text(value.toolTip));
    };
    caption(optServerAutoConnect_, m.optServerAutoConnectText);
    caption(optServerManualConnect_, m.optServerManualConnectText);
    caption(chkStartAtLogon_, m.chkStartAtLogonText);
    caption(chkStartActive_, m.chkStartActiveText);
    caption(chkAllowLockdown_, m.chkAllowLockdownText);
    changed |= sync::setText(chkActivateNow_, text(m.chkActivateNowText));
    changed |= sync::setText(lblServerName_, text(m.lblServerName));
    changed |= sync::setText(lblPortNum_, text(m.lblPortNum));
    changed |= sync::setText(lblServerFormat_, text(m.lblServerFormat));
    changed |= sync::setText(lblWksnName_, text(m.lblWksnName));
    changed |= sync::setText(lblStartUser_, text(m.lblCurrentUser));
    changed |= sync::setText(lblRightsUser_, text(m.lblCurrentUser));
    changed |= sync::setText(lblRightsWarning_, text(m.lblRightsWarning));
    changed |= sync::setText(cmdBack_, text(m.cmdBackCaption));
    changed |= sync::setText(cmdNext_, text(m.cmdNextCaption));
    changed |= sync::setText(cmdFinish_, text(m.cmdFinishCaption));
    changed |= sync::setText(cmdCancel_, text(m.cmdCancelCaption));
    return changed;
}

void SetupWizardWindow::syncFields(const SetupWizardForm& m) {
    using sync::text;
    sync::setChecked(optServerAutoConnect_, m.optServerAutoConnect);
    sync::setChecked(optServerManualConnect_, !m.optServerAutoConnect);
    for (QWidget* widget :
         {static_cast<QWidget*>(txtServerName_), static_cast<QWidget*>(txtPortNum_),
          static_cast<QWidget*>(lblServerName_), static_cast<QWidget*>(lblPortNum_)}) {
        sync::setEnabled(widget, m.serverFieldsEnabled);
    }
    sync::setText(txtServerName_, text(m.txtServerName));
    sync::setText(txtPortNum_, text(m.txtPortNum));
    sync::setText(txtWksnName_, text(m.txtWksnName));
    sync::setChecked(chkStartAtLogon_, m.chkStartAtLogon);
    sync::setChecked(chkStartActive_, m.chkStartActive);
    sync::setChecked(chkAllowLockdown_, m.chkAllowLockdown);
    sync::setChecked(chkActivateNow_, m.chkActivateNow);
    markServerHint(lblServerFormat_, m.lblServerFormat);
}

bool SetupWizardWindow::syncContents() {
    const auto& m = form();
    bool changed = syncTexts(m);
    syncFields(m);
    changed |= sync::setVisible(fraWelcome_, m.fraWelcomeVisible);
    changed |= sync::setVisible(fraWizardContainer_, m.fraWizardContainerVisible);
    for (int step = 1; step <= SetupWizardForm::kLastStep; ++step) {
        changed |= sync::setVisible(fraStep_[static_cast<std::size_t>(step)],
                                    m.fraWizardContainerVisible && m.intStep == step);
    }
    changed |= sync::setVisible(cmdBack_, m.cmdBackVisible);
    changed |= sync::setVisible(cmdNext_, m.cmdNextVisible);
    changed |= sync::setVisible(cmdFinish_, m.cmdFinishVisible);
    markDefault({cmdNext_, cmdFinish_},
                m.defaultButton == SetupWizardForm::Button::cmdFinish ? cmdFinish_ : cmdNext_);
    return changed;
}

QWidget* SetupWizardWindow::widgetFor(Control control) const {
    switch (control) {
    case Control::optServerAutoConnect:
        return form().optServerAutoConnect ? static_cast<QWidget*>(optServerAutoConnect_)
                                           : optServerManualConnect_;
    case Control::txtServerName:
        return txtServerName_;
    case Control::txtWksnName:
        return txtWksnName_;
    case Control::chkStartAtLogon:
        return chkStartAtLogon_;
    case Control::chkAllowLockdown:
        return chkAllowLockdown_;
    case Control::chkActivateNow:
        return chkActivateNow_;
    default:
        return form().cmdNextVisible ? cmdNext_ : cmdFinish_;
    }
}

} // namespace orvan
