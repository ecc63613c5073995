#include "OptionsWindow.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvan {
namespace {

using Control = OptionsForm::Control;

constexpr int kPadlock = 22;

// The lock switch's two pictures: the shackle closed or swung open.
QIcon padlock(bool closed) {
    QPixmap picture(kPadlock, kPadlock);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = closed ? QColor(0xb3, 0x26, 0x1e) : QColor(0x27, 0x8a, 0x4b);
    painter.setPen(QPen(colour, 2.5));
    const QRectF shackle = closed ? QRectF(6, 2, 10, 12) : QRectF(10, 0, 10, 12);
    painter.drawArc(shackle, 0, 180 * 16);
    painter.drawLine(QPointF(shackle.left(), 8), QPointF(shackle.left(), 11));
    if (closed) {
        painter.drawLine(QPointF(shackle.right(), 8), QPointF(shackle.right(), 11));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(3, 10, 16, 11), 2, 2);
    return QIcon(picture);
}

QWidget* widgetOf(QWidget* widget) {
    return widget;
}

} // namespace

OptionsWindow::OptionsWindow(Client& client)
    : DialogWindow(client, "frmOptions", client.context().forms.frmOptions,
                   {[&client] {
                        auto& options = client.optionsDialog();
                        if (client.context().forms.frmOptions.defaultButton ==
                            OptionsForm::Button::cmdSave) {
                            options.cmdSave_Click();
                        } else {
                            options.cmdUnlockOptions_Click();
                        }
                    },
                    [&client] { client.optionsDialog().cmdCancel_Click(); }}) {
    setMinimumWidth(520);
    buildLock();
    buildServer();
    buildWorkstation();
    buildButtons();
    connectFields();
    const auto& m = client.context().forms.frmOptions;
    bindFocus(m.focusRequests, [this, &m] { return widgetFor(m.focus); });
}

void OptionsWindow::buildLock() {
    auto* row = new QHBoxLayout;
    chkLocked_ = makeCheck("chkLocked");
    chkLocked_->setIconSize(QSize(kPadlock, kPadlock));
    lblLocked_ = makeLabel("lblLocked");
    lblUnlocked_ = makeLabel("lblUnlocked");
    row->addWidget(chkLocked_);
    row->addWidget(lblLocked_, 1);
    row->addWidget(lblUnlocked_, 1);
    content()->addLayout(row);
    fraAdminPassword_ = new QWidget(this);
    fraAdminPassword_->setObjectName(QStringLiteral("fraAdminPassword"));
    auto* frame = new QHBoxLayout(fraAdminPassword_);
    frame->setContentsMargins(0, 0, 0, 0);
    lblLockedPassword_ = makeLabel("lblLockedPassword", fraAdminPassword_);
    lblLockedPassword_->setWordWrap(false);
    txtLockedPassword_ = makeField("txtLockedPassword", true, fraAdminPassword_);
    cmdUnlockOptions_ = makeButton("cmdUnlockOptions", fraAdminPassword_);
    cmdUnlockOptions_->setText(QStringLiteral("OK"));
    frame->addWidget(lblLockedPassword_);
    frame->addWidget(txtLockedPassword_, 1);
    frame->addWidget(cmdUnlockOptions_);
    content()->addWidget(fraAdminPassword_);
}

void OptionsWindow::buildServer() {
    lblServer_ = makeLabel("lbl6");
    lblServer_->setProperty("role", QStringLiteral("heading"));
    content()->addSpacing(6);
    content()->addWidget(lblServer_);
    optServerAutoConnect_ = makeOption("optServerAutoConnect");
    optServerManualConnect_ = makeOption("optServerManualConnect");
    content()->addWidget(optServerAutoConnect_);
    content()->addWidget(optServerManualConnect_);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(24, 0, 0, 0);
    lblServerName_ = makeLabel("lbl0");
    lblServerName_->setWordWrap(false);
    txtServerName_ = makeField("txtServerName");
    lblServerFormat_ = makeLabel("lblServerFormat");
    lblServerFormat_->setProperty("role", QStringLiteral("hint"));
    lblPortNum_ = makeLabel("lbl1");
    lblPortNum_->setWordWrap(false);
    txtPortNum_ = makeField("txtPortNum");
    grid->addWidget(lblServerName_, 0, 0);
    grid->addWidget(txtServerName_, 0, 1);
    grid->addWidget(lblServerFormat_, 1, 1);
    grid->addWidget(lblPortNum_, 2, 0);
    grid->addWidget(txtPortNum_, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    content()->addLayout(grid);
}

void OptionsWindow::buildWorkstation() {
    lblWorkstation_ = makeLabel("lbl3");
    lblWorkstation_->setProperty("role", QStringLiteral("heading"));
    content()->addSpacing(6);
    content()->addWidget(lblWorkstation_);
    txtWksnName_ = addFieldRow("lbl2", lblWksnName_, "txtWksnName", false);
    chkStartActive_ = makeCheck("chkStartActive");
    chkStartAtLogon_ = makeCheck("chkStartAtLogon");
    chkAllowLockdown_ = makeCheck("chkAllowLockdown");
    content()->addWidget(chkStartActive_);
    content()->addWidget(chkStartAtLogon_);
    content()->addWidget(chkAllowLockdown_);
    lblUsageMode_ = makeLabel("lbl4");
    lblUsageMode_->setProperty("role", QStringLiteral("heading"));
    content()->addSpacing(6);
    content()->addWidget(lblUsageMode_);
    // The two pairs of options are separate choices.
    auto* usage = new QButtonGroup(this);
    optWksnTypeSndAln_ = makeOption("optWksnTypeSndAln");
    optWksnTypeDskless_ = makeOption("optWksnTypeDskless");
    usage->addButton(optWksnTypeSndAln_);
    usage->addButton(optWksnTypeDskless_);
    auto* server = new QButtonGroup(this);
    server->addButton(optServerAutoConnect_);
    server->addButton(optServerManualConnect_);
    auto* modes = new QHBoxLayout;
    modes->addWidget(optWksnTypeSndAln_);
    modes->addWidget(optWksnTypeDskless_);
    modes->addStretch(1);
    content()->addLayout(modes);
}

void OptionsWindow::buildButtons() {
    content()->addSpacing(6);
    addButtonRow(cmdSave_, "cmdSave", cmdCancel_);
}

void OptionsWindow::connectFields() {
    auto& options = client().optionsDialog();
    const auto click = [this, &options](QAbstractButton* button, void (OptionsDialog::*handler)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, &options, handler] { forward([&] { (options.*handler)(); }); });
    };
    const auto check = [this, &options](QCheckBox* box, void (OptionsDialog::*handler)(bool)) {
        connect(box, &QCheckBox::clicked, this, [this, &options, handler](bool checked) {
            forward([&] { (options.*handler)(checked); });
        });
    };
    const auto edit = [this, &options](QLineEdit* field,
                                       void (OptionsDialog::*handler)(const std::string&)) {
        connect(field, &QLineEdit::textEdited, this,
                [this, &options, handler](const QString& text) {
                    forward([&] { (options.*handler)(text.toStdString()); });
                });
    };
    check(chkLocked_, &OptionsDialog::chkLocked_Click);
    click(cmdUnlockOptions_, &OptionsDialog::cmdUnlockOptions_Click);
    edit(txtLockedPassword_, &OptionsDialog::txtLockedPassword_Change);
    click(optServerAutoConnect_, &OptionsDialog::optServerAutoConnect_Click);
    click(optServerManualConnect_, &OptionsDialog::optServerManualConnect_Click);
    edit(txtServerName_, &OptionsDialog::txtServerName_Change);
    edit(txtWksnName_, &OptionsDialog::txtWksnName_Change);
    click(optWksnTypeSndAln_, &OptionsDialog::optWksnTypeSndAln_Click);
    click(optWksnTypeDskless_, &OptionsDialog::optWksnTypeDskless_Click);
    check(chkStartActive_, &OptionsDialog::chkStartActive_Click);
    check(chkStartAtLogon_, &OptionsDialog::chkStartAtLogon_Click);
    check(chkAllowLockdown_, &OptionsDialog::chkAllowLockdown_Click);
    connect(txtPortNum_, &QLineEdit::textEdited, this, [this, &options](const QString& text) {
        int caret = 0;
        forward([&] { caret = options.txtPortNum_Change(text.toStdString()); });
        txtPortNum_->setCursorPosition(caret);
    });
    txtPortNum_->installEventFilter(this);
    txtWksnName_->installEventFilter(this);
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && isVisible()) {
        auto& options = client().optionsDialog();
        if (watched == txtPortNum_) {
            forward([&] { options.txtPortNum_LostFocus(); });
        } else if (watched == txtWksnName_ &&
                   qobject_cast<QPushButton*>(QApplication::focusWidget()) == nullptr &&
                   QApplication::focusWidget() != nullptr) {
            // Save checks the name itself; another field must wait for a good one.
            bool kept = true;
            forward([&] { kept = options.txtWksnName_LostFocus(); });
            if (!kept) {
                txtWksnName_->setFocus(Qt::OtherFocusReason);
            }
        }
    }
    return DialogWindow::eventFilter(watched, event);
}

bool OptionsWindow::syncTexts() {
    using sync::text;
    const auto& m = client().context().forms.frmOptions;
    bool changed = false;
    const auto caption = [&changed](QAbstractButton* button, const DialogCaption& value) {
        changed |= sync::setText(button, text(value.caption));
        sync::setToolTip(button, text(value.toolTip));
    };
    const auto label = [&changed](QLabel* widget, const std::string& value) {
        changed |= sync::setText(widget, text(value));
    };
    caption(optServerAutoConnect_, m.optServerAutoConnectText);
    caption(optServerManualConnect_, m.optServerManualConnectText);
    caption(optWksnTypeSndAln_, m.optWksnTypeSndAlnText);
    caption(optWksnTypeDskless_, m.optWksnTypeDsklessText);
    caption(chkStartActive_, m.chkStartActiveText);
    caption(chkStartAtLogon_, m.chkStartAtLogonText);
    caption(chkAllowLockdown_, m.chkAllowLockdownText);
    caption(cmdSave_, m.cmdSaveText);
    caption(cmdCancel_, m.cmdCancelText);
    label(lblServer_, m.lblServer);
    label(lblServerName_, m.lblServerName);
    label(lblServerFormat_, m.lblServerFormat);
    label(lblPortNum_, m.lblPortNum);
    label(lblWorkstation_, m.lblWorkstation);
    label(lblWksnName_, m.lblWksnName);
    label(lblUsageMode_, m.lblUsageMode);
    label(lblLocked_, m.lblLocked);
    label(lblUnlocked_, m.lblUnlocked);
    label(lblLockedPassword_, m.lblLockedPassword);
    sync::setToolTip(txtServerName_, text(m.txtServerNameText.toolTip));
    sync::setToolTip(txtPortNum_, text(m.txtPortNumText.toolTip));
    sync::setToolTip(txtWksnName_, text(m.txtWksnNameText.toolTip));
    sync::setToolTip(txtLockedPassword_, text(m.txtLockedPasswordToolTip));
    sync::setToolTip(cmdUnlockOptions_, text(m.cmdUnlockOptionsToolTip));
    sync::setToolTip(chkLocked_, text(m.chkLockedToolTip));
    return changed;
}

void OptionsWindow::syncFields() {
    using sync::text;
    const auto& m = client().context().forms.frmOptions;
    sync::setChecked(optServerAutoConnect_, m.optServerAutoConnect);
    sync::setChecked(optServerManualConnect_, !m.optServerAutoConnect);
    sync::setText(txtServerName_, text(m.txtServerName));
    sync::setText(txtPortNum_, text(m.txtPortNum));
    sync::setText(txtWksnName_, text(m.txtWksnName));
    sync::setChecked(optWksnTypeSndAln_, m.optWksnTypeSndAln);
    sync::setChecked(optWksnTypeDskless_, !m.optWksnTypeSndAln);
    sync::setChecked(chkStartActive_, m.chkStartActive);
    sync::setChecked(chkStartAtLogon_, m.chkStartAtLogon);
    sync::setChecked(chkAllowLockdown_, m.chkAllowLockdown);
    sync::setChecked(chkLocked_, m.chkLocked);
    sync::setText(txtLockedPassword_, text(m.txtLockedPassword));
    for (QWidget* widget :
         {widgetOf(optServerAutoConnect_), widgetOf(optServerManualConnect_), widgetOf(lblServer_),
          widgetOf(lblWorkstation_), widgetOf(lblWksnName_), widgetOf(txtWksnName_),
          widgetOf(chkStartActive_), widgetOf(chkStartAtLogon_), widgetOf(chkAllowLockdown_),
          widgetOf(lblUsageMode_), widgetOf(optWksnTypeSndAln_), widgetOf(optWksnTypeDskless_),
          widgetOf(cmdSave_), widgetOf(lblServerFormat_)}) {
        sync::setEnabled(widget, m.controlsEnabled);
    }
    for (QWidget* widget : {widgetOf(txtServerName_), widgetOf(txtPortNum_),
                            widgetOf(lblServerName_), widgetOf(lblPortNum_)}) {
        sync::setEnabled(widget, m.controlsEnabled && m.serverFieldsEnabled);
    }
    markServerHint(lblServerFormat_, m.lblServerFormat);
    if (padlockShown_ != static_cast<int>(m.lockedPicture)) {
        chkLocked_->setIcon(padlock(m.lockedPicture));
        padlockShown_ = static_cast<int>(m.lockedPicture);
    }
    markDefault({cmdSave_, cmdUnlockOptions_},
                m.defaultButton == OptionsForm::Button::cmdSave ? cmdSave_ : cmdUnlockOptions_);
}

bool OptionsWindow::syncContents() {
    const auto& m = client().context().forms.frmOptions;
    bool changed = syncTexts();
    syncFields();
    changed |= sync::setVisible(fraAdminPassword_, m.fraAdminPasswordVisible);
    changed |= sync::setVisible(lblLocked_, m.lblLockedVisible);
    changed |= sync::setVisible(lblUnlocked_, m.lblUnlockedVisible);
    return changed;
}

QWidget* OptionsWindow::widgetFor(Control control) const {
    switch (control) {
    case Control::chkLocked:
        return chkLocked_;
    case Control::txtLockedPassword:
        return txtLockedPassword_;
    case Control::optServerAutoConnect:
        return optServerAutoConnect_;
    case Control::txtServerName:
        return txtServerName_;
    case Control::txtWksnName:
        return txtWksnName_;
    default:
        return nullptr;
    }
}

} // namespace orvan
