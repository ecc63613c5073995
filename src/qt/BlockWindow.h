#pragma once

#include "BlockWidgets.h"
#include "model/BlockForm.h"

#include <QTimer>
#include <QWidget>
#include <memory>

class QFrame;
class QPushButton;
class QScreen;

namespace orvan {

class BlockBands;
class BlockLogin;
class BlockMessage;
class BlockPanels;
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
    static Qt::WindowFlags windowFlagsFor(bool topMost);
    void applyWindowFlags(bool topMost);
    void holdFirstPaint();
    void releasePictures();
    void handBackHeapLater();
    bool syncWindowState(const BlockForm& model);
    void syncDefaultButton(const BlockForm& model);
    void syncFocus(const BlockForm& model);
    QWidget* widgetFor(BlockForm::Control control) const;
    QPushButton* buttonFor(BlockForm::Control control) const;
    int pixels(long twips) const;

    Client& client_;
    QScreen* screen_;
    // Every part forwards the customer's actions through this one.
    block::Forwarder forward_;
    bool primary_ = true;
    bool dirty_ = true;
    bool shownTopMost_ = false;
    WId nativeId_ = 0;
    BlockForm::Control lastFocus_ = BlockForm::Control::None;
    // Gives the heap's free pages back a while after the window hid.
    QTimer handBack_;

    // The central box holds the message, the login and the other panels.
    QFrame* box_ = nullptr;
    std::unique_ptr<BlockBands> bands_;
    std::unique_ptr<BlockMessage> message_;
    std::unique_ptr<BlockLogin> login_;
    std::unique_ptr<BlockPanels> panels_;
    std::unique_ptr<BlockSurroundings> surroundings_;
};

} // namespace orvan
