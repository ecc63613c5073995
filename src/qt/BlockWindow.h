#pragma once

#include "model/BlockForm.h"

#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScreen;

namespace orvan {

class BlockMessage;
class BlockSurroundings;
class Client;

// The lock screen on one screen: draws frmBlock as the model says and forwards what
// the customer does. Widgets carry the model's control names as object names.
class BlockWindow : public QWidget {
    Q_OBJECT
public:
    BlockWindow(Client& client, QScreen* screen);
    ~BlockWindow() override;

    QScreen* targetScreen() const { return screen_; }
    // The window on the primary screen takes the focus and the keyboard.
    void setPrimary(bool primary) { primary_ = primary; }
    // Brings every widget up to date with the model, touching only what changed.
    // True when the window was shown or made anew, and so raised over the others.
    bool sync();
    // The X window as it is now. Qt makes it anew when the flags change, without
    // telling QWidget::winId(), which goes on naming the destroyed one.
    WId nativeWindowId() const;
    // Lays the bands, the box and the pictures out again for the screen's size.
    void relayout();

signals:
    // A user action went to the engine: every window must be brought up to date.
    void actionForwarded();
    // The native window was made anew (its flags changed): nativeWindowId() is a new one.
    void nativeWindowChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    QWidget* buildLoginPanel();
    QWidget* buildMessagePanel(const char* name, std::initializer_list<int> labels);
    QWidget* buildNoCreditPanel();
    QWidget* buildPausedPanel();
    void applyWindowFlags(bool topMost);
    bool syncWindowState(const BlockForm& model);
    void syncBands(const BlockForm& model);
    void syncLogin(const BlockForm& model);
    void syncPanels(const BlockForm& model);
    void syncFocus(const BlockForm& model);
    QWidget* widgetFor(BlockForm::Control control) const;
    QPushButton* buttonFor(BlockForm::Control control) const;
    // Runs an engine action, then has every window follow the model.
    template <typename Action>
    void forward(Action&& action);
    void onTextEdited(QLineEdit* edit, const QString& text);
    int pixels(long twips) const;

    Client& client_;
    QScreen* screen_;
    bool primary_ = true;
    bool dirty_ = true;
    bool shownTopMost_ = false;
    WId nativeId_ = 0;
    BlockForm::Control lastFocus_ = BlockForm::Control::None;

    // Bands and the indicator.
    QFrame* header_ = nullptr;
    QLabel* lblWksnName_ = nullptr;
    QComboBox* cmbLanguage_ = nullptr;
    QFrame* footer_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* lblGNU_ = nullptr;
    QLabel* picservice_ = nullptr;
    QFrame* indicator_ = nullptr;
    QLabel* imgNoServCnx_ = nullptr;
    QLabel* lblstatus_ = nullptr;

    // The central box.
    QFrame* box_ = nullptr;
    QWidget* fraControlsActive_ = nullptr;
    QWidget* fraControlsBlocked_ = nullptr;
    QWidget* fraControlsSessionEnd_ = nullptr;
    QWidget* fraControlsNoMoreCredit_ = nullptr;
    QWidget* fraControlsPaused_ = nullptr;
    QWidget* fraControlsLocked_ = nullptr;
    std::array<QLabel*, 16> lbl_{};

    // The login panel.
    QLabel* lblKind_ = nullptr;
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

    // The other panels' controls.
    QPushButton* cmdReCnx_ = nullptr;
    QPushButton* cmdUnPause_ = nullptr;
    std::array<QPushButton*, 2> cmdQuit_{};
    QLabel* lblCloseSessionWarning_ = nullptr;

    // The box's logo and message, and what lies around the box.
    std::unique_ptr<BlockMessage> message_;
    std::unique_ptr<BlockSurroundings> surroundings_;
};

} // namespace orvan
