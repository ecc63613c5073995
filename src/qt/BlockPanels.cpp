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

// Two buttons side by side, centred under the panel's texts.
QHBoxLayout* buttonRow(QPushButton* first, QPushButton* second) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(first);
    row->addSpacing(kGap);
    row->addWidget(second);
    row->addStretch(1);
    return row;
}

} // namespace

BlockPanels::BlockPanels(QWidget* box, QVBoxLayout* column, QWidget* window, Client& client,
                         const block::Forwarder& forward)
    : box_(box)
    , column_(column)
    , window_(window)
    , client_(client)
    , forward_(forward) {}

QWidget* BlockPanels::make(Panel panel) {
    switch (panel) {
    case Blocked:
        return buildMessagePanel("fraControlsBlocked", {7, 6});
    case SessionEnd:
        return buildMessagePanel("fraControlsSessionEnd", {8, 9});
    case NoCredit:
        return buildNoCreditPanel();
    case Paused:
        return buildPausedPanel();
    default:
        return buildMessagePanel("fraControlsLocked", {0, 12});
    }
}

// Before the first panel already made that comes after it, so that the order in the box
// does not depend on the order the states came in.
void BlockPanels::place(Panel panel) {
    int index = column_->count();
    for (int later = panel + 1; later < kPanelCount; ++later) {
        if (panels_[later] != nullptr) {
            index = column_->indexOf(panels_[later]);
            break;
        }
    }
    column_->insertWidget(index, panels_[panel]);
}

QWidget* BlockPanels::buildMessagePanel(const char* name, std::initializer_list<int> labels) {
    auto* panel = new QWidget(box_);
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

QWidget* BlockPanels::buildNoCreditPanel() {
    auto* panel = buildMessagePanel("fraControlsNoMoreCredit", {4, 5});
    auto* column = static_cast<QVBoxLayout*>(panel->layout());
    lblCloseSessionWarning_ = makeLabel(panel, "lblCloseSessionWarning");
    lblCloseSessionWarning_->setAlignment(Qt::AlignCenter);
    cmdReCnx_ = makeButton(panel, "cmdReCnx");
    cmdQuit_[0] = makeButton(panel, "cmdQuit0");
    column->addWidget(lblCloseSessionWarning_);
    column->addSpacing(6);
    column->addLayout(buttonRow(cmdReCnx_, cmdQuit_[0]));
    auto& actions = client_.lockScreenActions();
    const auto& forward = forward_;
    QObject::connect(cmdReCnx_, &QPushButton::clicked, window_,
                     [&forward, &actions] { forward([&actions] { actions.cmdReCnx_Click(); }); });
    QObject::connect(cmdQuit_[0], &QPushButton::clicked, window_,
                     [&forward, &actions] { forward([&actions] { actions.cmdQuit_Click(0); }); });
    return panel;
}

QWidget* BlockPanels::buildPausedPanel() {
    auto* panel = buildMessagePanel("fraControlsPaused", {11, 10});
    auto* column = static_cast<QVBoxLayout*>(panel->layout());
    cmdUnPause_ = makeButton(panel, "cmdUnPause");
    cmdQuit_[1] = makeButton(panel, "cmdQuit1");
    column->addSpacing(6);
    column->addLayout(buttonRow(cmdUnPause_, cmdQuit_[1]));
    auto& actions = client_.lockScreenActions();
    const auto& forward = forward_;
    QObject::connect(cmdUnPause_, &QPushButton::clicked, window_,
                     [&forward, &actions] { forward([&actions] { actions.cmdUnPause_Click(); }); });
    QObject::connect(cmdQuit_[1], &QPushButton::clicked, window_,
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
    const std::array<bool, kPanelCount> wanted{
        model.fraControlsBlocked, model.fraControlsSessionEnd, model.fraControlsNoMoreCredit,
        model.fraControlsPaused, model.fraControlsLocked};
    for (int panel = 0; panel < kPanelCount; ++panel) {
        if (wanted[panel] && panels_[panel] == nullptr) {
            panels_[panel] = make(static_cast<Panel>(panel));
            place(static_cast<Panel>(panel));
            panels_[panel]->hide();
        }
    }
    // Texts first: a panel shown lays itself out at once, and the box asks it its size
    // before any posted layout request would come.
    bool changed = block::syncCaptions(lbl_, model);
    changed |= syncButtons(model);
    for (int panel = 0; panel < kPanelCount; ++panel) {
        if (panels_[panel] != nullptr) {
            changed |= sync::setVisible(panels_[panel], wanted[panel]);
        }
    }
    return changed;
}

bool BlockPanels::syncButtons(const BlockForm& model) {
    using sync::text;
    bool changed = false;
    if (lblCloseSessionWarning_ != nullptr) {
        changed |= sync::setText(lblCloseSessionWarning_, text(model.lblCloseSessionWarningText));
        changed |=
            sync::setVisible(lblCloseSessionWarning_, !model.lblCloseSessionWarningText.empty());
    }
    if (cmdReCnx_ != nullptr) {
        changed |= sync::setText(cmdReCnx_, text(model.cmdReCnx.caption));
        sync::setToolTip(cmdReCnx_, text(model.cmdReCnx.toolTip));
        sync::setEnabled(cmdReCnx_, model.cmdReCnxEnabled);
    }
    if (cmdUnPause_ != nullptr) {
        changed |= sync::setText(cmdUnPause_, text(model.cmdUnPause.caption));
        sync::setToolTip(cmdUnPause_, text(model.cmdUnPause.toolTip));
    }
    for (auto* quit : cmdQuit_) {
        if (quit != nullptr) {
            changed |= sync::setText(quit, text(model.cmdQuit.caption));
            sync::setToolTip(quit, text(model.cmdQuit.toolTip));
        }
    }
    return changed;
}

} // namespace orvan
