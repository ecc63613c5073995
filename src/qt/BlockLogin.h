#pragma once

#include "BlockWidgets.h"
#include "model/BlockForm.h"

class QEvent;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QRadioButton;
class QString;
class QWidget;

namespace orvan {

class Client;

// The login panel in the box (fraControlsActive): the kind of login, the card number or
// the member's login and password, Internet or not, and the connect button. Forwards
// what the customer types and clicks.
class BlockLogin {
public:
    // `window` receives the fields' focus events, to hand them to focusLeft().
    BlockLogin(QWidget* box, QWidget* window, Client& client, const block::Forwarder& forward);

    QWidget* panel() const { return panel_; }
    QPushButton* connectButton() const { return cmdCxn_; }
    // The field or option the model names, if it is one of this panel's.
    QWidget* widgetFor(BlockForm::Control control) const;

    // True when something changed that needs a new layout.
    bool sync(const BlockForm& model);
    // Tells the engine that a field it checks on leaving has lost the focus.
    void focusLeft(QObject* watched, QEvent* event);

private:
    void onTextEdited(QLineEdit* edit, const QString& text);

    Client& client_;
    const block::Forwarder& forward_;

    QWidget* panel_ = nullptr;
    QRadioButton* optCard_ = nullptr;
    QRadioButton* OptClient_ = nullptr;
    QRadioButton* optSelfService_ = nullptr;
    QWidget* fraCardNumber_ = nullptr;
    QLabel* fraCardNumberCaption_ = nullptr;
    QLineEdit* txtCardNum_ = nullptr;
    QLabel* txtCardNumToolTip_ = nullptr;
    QWidget* fraClient_ = nullptr;
    QLineEdit* txtLogin_ = nullptr;
    QLineEdit* txtPassword_ = nullptr;
    QLabel* txtLoginToolTip_ = nullptr;
    QRadioButton* optConnected_ = nullptr;
    QRadioButton* optDisconnected_ = nullptr;
    QPushButton* cmdCxn_ = nullptr;
    block::Captions lbl_{};
};

} // namespace orvan
