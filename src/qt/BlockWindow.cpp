#include "BlockWindow.h"

#include "BlockBands.h"
#include "BlockLogin.h"
#include "BlockMessage.h"
#include "BlockPanels.h"
#include "BlockSurroundings.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <malloc.h>

namespace orvan {
namespace {

using Control = BlockForm::Control;
using block::kGap;
// Long enough for the windows a session shows to be made and painted.
constexpr int kHandBackMillis = 1000;

constexpr double kTwipsPerInch = 1440.0;
// Used until the engine gives the box a size.
constexpr long kDefaultBoxWidthTwips = 7800;
constexpr long kDefaultBoxHeightTwips = 6600;
// One frame: the widgets are painted this long after the window is mapped.
constexpr int kFirstPaintDelayMillis = 16;

bool ctrlAltLeftClick(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto held = mouse->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    return mouse->button() == Qt::LeftButton && held == (Qt::ControlModifier | Qt::AltModifier);
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

// The flags are given at construction: changed once the widgets exist, they would
// make Qt resolve the style sheet again for every one of them (about 20 ms).
BlockWindow::BlockWindow(Client& client, QScreen* screen)
    : QWidget(nullptr, windowFlagsFor(client.context().forms.frmBlock.topMost))
    , client_(client)
    , screen_(screen)
    , forward_([this] { emit actionForwarded(); }) {
    setObjectName(QStringLiteral("frmBlock"));
    setAttribute(Qt::WA_StyledBackground);
    // The window closer spares windows whose titles contain the program's name.
    setWindowTitle(QStringLiteral("Orvan"));
    setStyleSheet(block::styleSheet());
    shownTopMost_ = client_.context().forms.frmBlock.topMost;
    build();
    handBack_.setSingleShot(true);
    handBack_.setInterval(kHandBackMillis);
    connect(&handBack_, &QTimer::timeout, this, [] { malloc_trim(0); });
    if (screen_ != nullptr) {
        setScreen(screen_);
        setGeometry(screen_->geometry());
    }
}

// The parts are complete only here.
BlockWindow::~BlockWindow() = default;

int BlockWindow::pixels(long twips) const {
    const double dpi = screen_ != nullptr && screen_->logicalDotsPerInch() > 0
                           ? screen_->logicalDotsPerInch()
                           : 96.0;
    return static_cast<int>(static_cast<double>(twips) * dpi / kTwipsPerInch + 0.5);
}

void BlockWindow::build() {
    // Made in this order, which is the order they stack and take the focus in.
    bands_ = std::make_unique<BlockBands>(this, client_, forward_);

    // The central box: logo, message, and the panel of the state.
    box_ = new QFrame(this);
    box_->setObjectName(QStringLiteral("fraForm"));
    auto* boxColumn = new QVBoxLayout(box_);
    boxColumn->setContentsMargins(22, 16, 22, 18);
    boxColumn->setSpacing(10);
    message_ = std::make_unique<BlockMessage>(box_, boxColumn, this, client_);
    login_ = std::make_unique<BlockLogin>(box_, this, client_, forward_);
    boxColumn->addWidget(login_->panel());
    login_->panel()->hide();
    // The other panels are made as the model first shows them.
    panels_ = std::make_unique<BlockPanels>(box_, boxColumn, this, client_, forward_);

    surroundings_ = std::make_unique<BlockSurroundings>(this, client_);
}

bool BlockWindow::eventFilter(QObject* watched, QEvent* event) {
    // The parts' widgets already send events while the last part is being made.
    if (surroundings_ == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    auto& actions = client_.lockScreenActions();
    if (watched == message_->logo() && ctrlAltLeftClick(event)) {
        forward_([&actions] { actions.picLogo_CtrlAltClick(); });
        return true;
    }
    if (watched == surroundings_->followPicture() && ctrlAltLeftClick(event)) {
        forward_([&actions] { actions.imgFollowServer_CtrlAltClick(); });
        return true;
    }
    if (watched == bands_->serviceSpot() && event->type() == QEvent::MouseButtonDblClick) {
        forward_([&actions] { actions.picservice_DblClick(); });
        return true;
    }
    login_->focusLeft(watched, event);
    return QWidget::eventFilter(watched, event);
}

void BlockWindow::keyPressEvent(QKeyEvent* event) {
    if (!isEnter(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto held = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (held == (Qt::ControlModifier | Qt::AltModifier)) {
        forward_([this] { client_.lockScreenActions().Form_CtrlAltEnter(); });
        return;
    }
    // Enter presses the button that has the focus, else the default button.
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button == nullptr) {
        button = buttonFor(client_.context().forms.frmBlock.defaultButton);
    }
    if (button != nullptr && button->isVisibleTo(this) && button->isEnabled()) {
        button->click();
    }
}

void BlockWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

QWidget* BlockWindow::widgetFor(Control control) const {
    if (auto* widget = login_->widgetFor(control)) {
        return widget;
    }
    return buttonFor(control);
}

QPushButton* BlockWindow::buttonFor(Control control) const {
    return control == Control::cmdCxn ? login_->connectButton() : panels_->buttonFor(control);
}

bool BlockWindow::sync() {
    const auto& model = client_.context().forms.frmBlock;
    if (!(model.loaded && model.visible)) {
        // Nothing to follow while hidden: the next show brings every part up to date.
        if (isVisible()) {
            hide();
            releasePictures();
        }
        return false;
    }
    // Coming up, the window is mapped first (the grabs are held already and its paint
    // waits a frame): the X server maps it while the parts are brought up to date, all
    // before that first paint.
    const bool raised = syncWindowState(model);
    dirty_ |= bands_->sync(model);
    dirty_ |= login_->sync(model);
    dirty_ |= sync::setVisible(box_, model.fraFormVisible);
    dirty_ |= panels_->sync(model);
    syncDefaultButton(model);
    dirty_ |= message_->sync(model);
    dirty_ |= surroundings_->sync(model);
    if (dirty_) {
        relayout();
    }
    syncFocus(model);
    return raised;
}

WId BlockWindow::nativeWindowId() const {
    const QWindow* window = windowHandle();
    return window != nullptr && window->handle() != nullptr ? window->winId() : winId();
}

void BlockWindow::releasePictures() {
    surroundings_->release();
    dirty_ = true;
    // The back buffer (4 MB at 1280x800) stays. Made anew at a lock, its shared memory
    // is cheap to create, but the first paint then writes every fresh page, 20 to 30 ms
    // of page faults on a virtual machine, and reached the display 50 ms later (35 ms
    // later with the buffer made again as show() maps the window, which then came later).
    handBackHeapLater();
}

// What the lock screen let go and the session's windows freed while coming up lies
// scattered through the heap and would stay resident all session: hand it back once
// they are up.
void BlockWindow::handBackHeapLater() {
    handBack_.start();
}

bool BlockWindow::syncWindowState(const BlockForm& model) {
    const bool flagsChanged = shownTopMost_ != model.topMost;
    if (flagsChanged) {
        applyWindowFlags(model.topMost);
    }
    if (!flagsChanged && isVisible()) {
        return false;
    }
    if (screen_ != nullptr) {
        setGeometry(model.topMost ? screen_->geometry() : screen_->availableGeometry());
    }
    // Locked again before the heap was handed back: the trim would only give up pages
    // the lock screen needs now, and it walks the whole heap in the lock's first frames.
    handBack_.stop();
    holdFirstPaint();
    show();
    raise();
    if (primary_) {
        activateWindow();
    }
    // Whatever had the focus before the window went away, give the model's back.
    lastFocus_ = Control::None;
    // Only now: the X window is made anew while it is shown, not when the flags change.
    if (const WId id = nativeWindowId(); id != nativeId_) {
        nativeId_ = id;
        emit nativeWindowChanged();
    }
    return true;
}

// A full-screen paint costs the front end and the X server most of a frame, and a
// client that looks meanwhile waits for it: the window is mapped (and the grabs are
// already held) first, and the widgets are painted a frame later.
void BlockWindow::holdFirstPaint() {
    setUpdatesEnabled(false);
    QTimer::singleShot(kFirstPaintDelayMillis, this, [this] { setUpdatesEnabled(true); });
}

Qt::WindowFlags BlockWindow::windowFlagsFor(bool topMost) {
    // Test mode ("-t") keeps the developer's windows reachable: an ordinary window.
    Qt::WindowFlags flags = Qt::Window;
    if (topMost) {
        flags |=
            Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    }
    return flags;
}

void BlockWindow::applyWindowFlags(bool topMost) {
    setWindowFlags(windowFlagsFor(topMost));
    shownTopMost_ = topMost;
}

void BlockWindow::syncDefaultButton(const BlockForm& model) {
    // Marked so the customer knows what Enter does; Enter itself is handled here.
    auto* defaultButton = buttonFor(model.defaultButton);
    for (const auto control : {Control::cmdCxn, Control::cmdReCnx, Control::cmdUnPause,
                               Control::cmdQuit0, Control::cmdQuit1}) {
        auto* button = buttonFor(control);
        if (button != nullptr && button->isDefault() != (button == defaultButton)) {
            button->setDefault(button == defaultButton);
        }
    }
}

void BlockWindow::syncFocus(const BlockForm& model) {
    // Only a change of the model's focus moves it: the customer may have clicked
    // elsewhere since, and typing must not jump.
    if (!primary_ || !isVisible() || model.focus == lastFocus_) {
        return;
    }
    auto* target = widgetFor(model.focus);
    if (target == nullptr || !target->isVisibleTo(this) || !target->isEnabled()) {
        // Not focusable yet (the field is still disabled): try again on the next sync.
        return;
    }
    lastFocus_ = model.focus;
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->selectAll();
    }
}

void BlockWindow::relayout() {
    dirty_ = false;
    const auto& model = client_.context().forms.frmBlock;
    const int width = this->width();
    const int height = this->height();

    surroundings_->placeFollowPicture(model);
    const auto room = bands_->place(width, height, pixels(model.fraHeader.height),
                                    pixels(model.fraFooter.height));
    const QRect band(kGap, room.top + kGap / 2, width - 2 * kGap, room.bottom - room.top - kGap);

    // The box: the engine's size, grown to what its content needs, within the band;
    // centred across, and vertically on the screen as far as the band allows.
    QRect boxRect;
    if (!box_->isHidden()) {
        const long wantedWidth =
            model.fraForm.width > 0 ? model.fraForm.width : kDefaultBoxWidthTwips;
        const long wantedHeight =
            model.fraForm.height > 0 ? model.fraForm.height : kDefaultBoxHeightTwips;
        const int boxWidth =
            std::min(std::max(pixels(wantedWidth), box_->minimumSizeHint().width()), band.width());
        const int needed = box_->hasHeightForWidth() ? box_->heightForWidth(boxWidth)
                                                     : box_->minimumSizeHint().height();
        const int boxHeight = std::min(std::max(pixels(wantedHeight), needed), band.height());
        const int boxTop = std::clamp((height - boxHeight) / 2, band.top(),
                                      std::max(band.top(), band.bottom() + 1 - boxHeight));
        boxRect = QRect((width - boxWidth) / 2, boxTop, boxWidth, boxHeight);
        box_->setGeometry(boxRect);
    }
    surroundings_->place(band, boxRect, model);
}

} // namespace orvan
