#pragma once

#include "AppliedModel.h"
#include "model/Forms.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace orvan {

class Client;

// The small status window `frmSmallStatus`: one line of counters (the remaining time, or
// the amount due with the time to the next billing increment) and three buttons. A
// double-click anywhere brings the full window back; it refuses to be closed.
class SmallStatusWindow : public QWidget {
    Q_OBJECT
public:
    // The window's size (shpFormFrame), in twips.
    static constexpr long kWidthTwips = 3675;
    static constexpr long kHeightTwips = 1215;
    // Its right and bottom edges stay this far inside the work area, in twips.
    static constexpr long kMarginTwips = 60;

    explicit SmallStatusWindow(Client& client);

    void sync();

signals:
    void actionForwarded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    template <typename Action>
    void forward(Action&& action);

    Client& client_;
    bool topMost_ = true;
    AppliedModel<StatusForm> applied_;
    QLabel* title_ = nullptr;
    QFrame* fraCard_ = nullptr;
    QFrame* fraSelfService_ = nullptr;
    QLabel* lbl3_ = nullptr;
    QLabel* lblRemainTime_ = nullptr;
    QLabel* lblAmountDueLabel_ = nullptr;
    QLabel* lblAmountDue_ = nullptr;
    QLabel* lblTimeToNextIncrement_ = nullptr;
    QPushButton* cmdStatus_ = nullptr;
    QPushButton* cmdPause_ = nullptr;
    QPushButton* cmdQuit_ = nullptr;
};

} // namespace orvan
