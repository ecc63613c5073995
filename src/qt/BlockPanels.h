#pragma once

#include "BlockWidgets.h"
#include "model/BlockForm.h"

#include <array>
#include <initializer_list>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace orvan {

class Client;

// The box's panels other than the login: blocked, session ended, no more credit (with
// reconnect and quit), paused (with unpause and quit) and locked. Each is made when the
// model first shows it: styling the hidden ones would hold the first picture back.
class BlockPanels {
public:
    // The panels go into `column`, after what it holds already, in the order above.
    BlockPanels(QWidget* box, QVBoxLayout* column, QWidget* window, Client& client,
                const block::Forwarder& forward);

    // The button the model names, if it is one of these panels' and its panel is made.
    QPushButton* buttonFor(BlockForm::Control control) const;

    // True when something changed that needs a new layout.
    bool sync(const BlockForm& model);

private:
    enum Panel { Blocked, SessionEnd, NoCredit, Paused, Locked, kPanelCount };

    QWidget* make(Panel panel);
    void place(Panel panel);
    QWidget* buildMessagePanel(const char* name, std::initializer_list<int> labels);
    QWidget* buildNoCreditPanel();
    QWidget* buildPausedPanel();
    bool syncButtons(const BlockForm& model);

    QWidget* box_;
    QVBoxLayout* column_;
    QWidget* window_;
    Client& client_;
    const block::Forwarder& forward_;

    std::array<QWidget*, kPanelCount> panels_{};
    block::Captions lbl_{};
    QPushButton* cmdReCnx_ = nullptr;
    QPushButton* cmdUnPause_ = nullptr;
    std::array<QPushButton*, 2> cmdQuit_{};
    QLabel* lblCloseSessionWarning_ = nullptr;
};

} // namespace orvan
