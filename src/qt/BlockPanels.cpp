#include "BlockPanels.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {
namespace {

using Control = BlockForm::Control;
using block::kGap;
using block::makeButton;
using block::makeLabel;

} // namespace

BlockPanels::BlockPanels(QWidget* box, QWidget* window, Client& client,
                         const block::Forwarder& forward) {
    fraControlsBlocked_ = buildMessagePanel(box, "fraControlsBlocked", {7, 6});
    fraControlsSessionEnd_ = buildMessagePanel(box, "fraControlsSessionEnd", {8, 9});
    fraControlsNoMoreCredit_ = buildNoCreditPanel(box, window, client, forward);
    fraControlsPaused_ = buildPausedPanel(box, window, client, forward);
    fraControlsLocked_ = buildMessagePanel(box, "fraControlsLocked", {0, 12});
}

std::array<QWidget*, 5> BlockPanels::panels() const {
    return {fraControlsBlocked_, fraControlsSessionEnd_, fraControlsNoMoreCredit_,
            fraControlsPaused_, fraControlsLocked_};
}

QWidget* BlockPanels::buildMessagePanel(QWidget* box, const char* name,
                                        std::initializer_list<int> labels) {
    auto* panel = new QWidget(box);
    panel->setObjectName(QLatin1String(name));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    bool first = true;
    for (const int index : labels) {
        lbl_[index] = makeLabel(panel, "lbl", first ? "notice" : nullptr);
        lbl_[index]->setObjectName(QStringLiteral("lbl%1").arg(index));
        lbl_[index]->setAlignment(Qt::AlignCenter);
        column->addWidget(lbl_[index]);
        first = false;
    }
    return panel;
}

QWidget* BlockPanels::buildNoCreditPanel(QWidget* box, QWidget* window, Client& client,
                                         const block::Forwarder& forward) {
    auto* panel = buildMessagePanel(box, "fraControlsNoMoreCredit", {4, 5});
    auto* column = static_cast<QVBoxLayout*>(panel->layout());
    lblCloseSessionWarning_ = makeLabel(panel, "lblCloseSessionWarning");
    lblCloseSessionWarning_->setAlignment(Qt::AlignCenter);
    cmdReCnx_ = makeButton(panel, "cmdReCnx");
    cmdQuit_[0] = makeButton(panel, "cmdQuit0");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdReCnx_);
    buttons->addSpacing(kGap);
    buttons->addWidget(cmdQuit_[0]);
    buttons->addStretch(1);
    column->addWidget(lblCloseSessionWarning_);
    column->addSpacing(6);
    column->addLayout(buttons);
    auto& actions = client.lockScreenActions();
    QObject::connect(cmdReCnx_, &QPushButton::clicked, window,
                     [&forward, &actions] { forward([&actions] { actions.cmdReCnx_Click(); }); });
    QObject::connect(cmdQuit_[0], &QPushButton::clicked, window,
                     [&forward, &actions] { forward([&actions] { actions.cmdQuit_Click(0); }); });
    return panel;
}

QWidget* BlockPanels::buildPausedPanel(QWidget* box, QWidget* window, Client& client,
                                       const block::Forwarder& forward) {
    auto* panel = buildMessagePanel(box, "fraControlsPaused", {11, 10});
    auto* column = static_cast<QVBoxLayout*>(panel->layout());
    cmdUnPause_ = makeButton(panel, "cmdUnPause");
    cmdQuit_[1] = makeButton(panel, "cmdQuit1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUnPause_);
    buttons->addSpacing(kGap);
    buttons->addWidget(cmdQuit_[1]);
    buttons->addStretch(1);
    column->addSpacing(6);
    column->addLayout(buttons);
    auto& actions = client.lockScreenActions();
    QObject::connect(cmdUnPause_, &QPushButton::clicked, window,
                     [&forward, &actions] { forward([&actions] { actions.cmdUnPause_Click(); }); });
    QObject::connect(cmdQuit_[1], &QPushButton::clicked, window,
                     [&forward, &actions] { forward([&actions] { actions.cmdQuit_Click(1); }); });
    return panel;
}

QPushButton* BlockPanels::buttonFor(Control control) const {
    switch (control) {
    case Control::cmdReCnx:
        return cmdReCnx_;
    case Control::cmdUnPause:
        return cmdUnPause_;
    case Control::cmdQuit0:
        return cmdQuit_[0];
    case Control::cmdQuit1:
        return cmdQuit_[1];
    default:
        return nullptr;
    }
}

bool BlockPanels::sync(const BlockForm& model) {
    using sync::text;
    bool changed = false;
    changed |= sync::setVisible(fraControlsBlocked_, model.fraControlsBlocked);
    changed |= sync::setVisible(fraControlsSessionEnd_, model.fraControlsSessionEnd);
    changed |= sync::setVisible(fraControlsNoMoreCredit_, model.fraControlsNoMoreCredit);
    changed |= sync::setVisible(fraControlsPaused_, model.fraControlsPaused);
    changed |= sync::setVisible(fraControlsLocked_, model.fraControlsLocked);
    changed |= block::syncCaptions(lbl_, model);
    changed |= sync::setText(lblCloseSessionWarning_, text(model.lblCloseSessionWarningText));
    changed |= sync::setVisible(lblCloseSessionWarning_, !model.lblCloseSessionWarningText.empty());
    changed |= sync::setText(cmdReCnx_, text(model.cmdReCnx.caption));
    sync::setToolTip(cmdReCnx_, text(model.cmdReCnx.toolTip));
    sync::setEnabled(cmdReCnx_, model.cmdReCnxEnabled);
    changed |= sync::setText(cmdUnPause_, text(model.cmdUnPause.caption));
    sync::setToolTip(cmdUnPause_, text(model.cmdUnPause.toolTip));
    for (auto* quit : cmdQuit_) {
        changed |= sync::setText(quit, text(model.cmdQuit.caption));
        sync::setToolTip(quit, text(model.cmdQuit.toolTip));
    }
    return changed;
}

} // namespace orvan
