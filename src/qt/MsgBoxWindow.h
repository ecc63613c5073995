#pragma once

#include "model/MsgBoxForm.h"

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace orvan {

class Client;

// The program's own message box: draws frmMsgBox and forwards the answers. Enter
// presses the model's default button, Escape its cancel button.
class MsgBoxWindow : public QWidget {
    Q_OBJECT
public:
    explicit MsgBoxWindow(Client& client);

    // Brings the window up to date; `raiseAgain` puts a visible box back on top after
    // the lock screen was raised over it.
    void sync(bool raiseAgain = false);

signals:
    void actionForwarded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void applyWindowFlags(bool topMost, bool modal);
    void place();
    QPushButton* buttonFor(MsgBoxButton button) const;
    void press(MsgBoxButton button);

    Client& client_;
    bool topMost_ = false;
    bool modal_ = false;
    MsgBoxButton lastFocused_ = MsgBoxButton::None;

    QLabel* title_ = nullptr;
    QLabel* img_ = nullptr;
    QLabel* lblText_ = nullptr;
    QFrame* fraOK_ = nullptr;
    QFrame* fraYesNo_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdYes_ = nullptr;
    QPushButton* cmdNo_ = nullptr;
    MsgBoxIcon iconShown_ = MsgBoxIcon::Exclamation;
    bool iconEverShown_ = false;
};

} // namespace orvan
