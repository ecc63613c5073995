#pragma once

#include "BlockWidgets.h"
#include "model/BlockForm.h"

#include <array>
#include <initializer_list>

class QLabel;
class QPushButton;
class QWidget;

namespace orvan {

class Client;

// The box's panels other than the login: blocked, session ended, no more credit (with
// reconnect and quit), paused (with unpause and quit) and locked.
class BlockPanels {
public:
    BlockPanels(QWidget* box, QWidget* window, Client& client, const block::Forwarder& forward);

    // In the order they go into the box.
    std::array<QWidget*, 5> panels() const;
    // The button the model names, if it is one of these panels'.
    QPushButton* buttonFor(BlockForm::Control control) const;

    // True when something changed that needs a new layout.
    bool sync(const BlockForm& model);

private:
    QWidget* buildMessagePanel(QWidget* box, const char* name, std::initializer_list<int> labels);
    QWidget* buildNoCreditPanel(QWidget* box, QWidget* window, Client& client,
                                const block::Forwarder& forward);
    QWidget* buildPausedPanel(QWidget* box, QWidget* window, Client& client,
                              const block::Forwarder& forward);

    QWidget* fraControlsBlocked_ = nullptr;
    QWidget* fraControlsSessionEnd_ = nullptr;
    QWidget* fraControlsNoMoreCredit_ = nullptr;
    QWidget* fraControlsPaused_ = nullptr;
    QWidget* fraControlsLocked_ = nullptr;
    block::Captions lbl_{};
    QPushButton* cmdReCnx_ = nullptr;
    QPushButton* cmdUnPause_ = nullptr;
    std::array<QPushButton*, 2> cmdQuit_{};
    QLabel* lblCloseSessionWarning_ = nullptr;
};

} // namespace orvan
