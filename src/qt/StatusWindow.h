#pragma once

#include "AppliedModel.h"
#include "model/ControlTexts.h"
#include "model/Forms.h"

#include <QWidget>
#include <array>
#include <optional>
#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace orvan {

class Client;

// The full status window `frmStatus`: the session's details, the usage mode, the chat
// with the manager and the session's buttons, in the bottom-right corner of the work
// area. It follows frmStatus and forwards what the customer does to StatusWindows.
class StatusWindow : public QWidget {
    Q_OBJECT
public:
    explicit StatusWindow(Client& client);

    void sync();
    // The chat focus requests made before this window was made: a hidden window lets
    // them pass, so only a later one moves the focus.
    void passFocusRequests(unsigned seen) { focusRequestsSeen_ = seen; }

signals:
    void actionForwarded();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The bottom-right corner stays where it is when the chat pane grows or shrinks it.
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QFrame* buildSession();
    QFrame* buildMode();
    QFrame* buildChat();
    QWidget* buildButtons();
    template <typename Action>
    void forward(Action&& action);
    // Texts and frames; true when the window's size may have changed.
    bool syncTexts(const StatusForm& model);
    bool syncFrames(const StatusForm& model);
    void syncCounters(const StatusForm& model);
    void syncChat(const StatusForm& model);
    void syncWindow(const StatusForm& model, bool resized);

    Client& client_;
    bool topMost_ = true;
    unsigned focusRequestsSeen_ = 0;
    // What the widgets were last given: they change rarely, and comparing the model's
    // own strings costs far less than reading every label back on each turn.
    std::optional<ControlTexts> textsShown_;
    std::string captionShown_;
    std::optional<std::string> chatShown_;
    AppliedModel<StatusForm> applied_;

    QLabel* title_ = nullptr;
    // The caption labels lbl(0) to lbl(11), at their index.
    std::array<QLabel*, 12> lbl_{};
    QFrame* fraCard_ = nullptr;
    QWidget* fraCardNum_ = nullptr;
    QFrame* fraClient_ = nullptr;
    QFrame* fraSelfService_ = nullptr;
    QFrame* fraSelfServicePrePaid_ = nullptr;
    QLabel* lblNumCard_ = nullptr;
    QLabel* lblRemainTime_ = nullptr;
    QLabel* lblValidDate_ = nullptr;
    QLabel* lblValidTime_ = nullptr;
    QLabel* lblCliLogin_ = nullptr;
    QLabel* lblCliRemainTime_ = nullptr;
    QLabel* lblCliValidDate_ = nullptr;
    QLabel* lblCliValidTime_ = nullptr;
    QLabel* lblElapsedTimeSelfService_ = nullptr;
    QLabel* lblAmountDueLabel_ = nullptr;
    QLabel* lblAmountDue_ = nullptr;
    QLabel* lblTimeToNextIncrement_ = nullptr;
    QLabel* lblSelfServRemainTime_ = nullptr;
    QPushButton* cmdCliPassword_ = nullptr;
    QRadioButton* optConnected_ = nullptr;
    QRadioButton* optDisconnected_ = nullptr;
    QFrame* fraChatClosed_ = nullptr;
    QFrame* fraChat_ = nullptr;
    QPushButton* cmdChatOpen_ = nullptr;
    QPushButton* cmdChatClose_ = nullptr;
    QPlainTextEdit* txtWksnChatHist_ = nullptr;
    QLineEdit* txtWksnChat_ = nullptr;
    QPushButton* cmdChat_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QPushButton* cmdPause_ = nullptr;
    QPushButton* cmdQuit_ = nullptr;
};

} // namespace orvan
