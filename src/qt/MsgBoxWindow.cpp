#include "MsgBoxWindow.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace orvan {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kIconSize = 40;
// Wide enough for two short sentences on a line, narrow enough to read at a glance.
constexpr int kWidestText = 460;

constexpr const char* kStyle = R"(
orvan--MsgBoxWindow { background: #edf1f5; }
QLabel#title { background: #0e151c; color: #dbe4ec; font-weight: bold; padding: 6px 10px; }
QLabel#lblText { color: #1b2733; font-size: 11pt; }
QPushButton { background: #2f7fd0; color: white; border: none; border-radius: 5px; padding: 7px 22px; font-weight: bold; min-width: 70px; }
QPushButton:hover { background: #3a8de0; }
QPushButton:focus { border: 2px solid #0e2a48; }
QPushButton#cmdNo { background: #5b6b7b; }
)";

int pixels(long twips) {
    const auto* screen = QGuiApplication::primaryScreen();
    const double dpi =
        screen != nullptr && screen->logicalDotsPerInch() > 0 ? screen->logicalDotsPerInch() : 96.0;
    return static_cast<int>(static_cast<double>(twips) * dpi / kTwipsPerInch + 0.5);
}

QPushButton* makeButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

MsgBoxWindow::MsgBoxWindow(Client& client)
    : QWidget(nullptr)
    , client_(client) {
    setObjectName(QStringLiteral("frmMsgBox"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QLatin1String(kStyle));
    build();
    const auto& model = client_.context().forms.frmMsgBox;
    applyWindowFlags(model.topMost, model.modal);
}

void MsgBoxWindow::build() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 12);
    column->setSpacing(10);
    // A title of our own: the box bypasses the window manager, which would draw one.
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("title"));
    column->addWidget(title_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(14);
    img_ = new QLabel(this);
    img_->setObjectName(QStringLiteral("img"));
    img_->setAlignment(Qt::AlignTop);
    lblText_ = new QLabel(this);
    lblText_->setObjectName(QStringLiteral("lblText"));
    lblText_->setWordWrap(true);
    lblText_->setTextFormat(Qt::PlainText);
    lblText_->setMaximumWidth(kWidestText);
    lblText_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    body->addWidget(img_);
    body->addWidget(lblText_, 1);
    column->addLayout(body, 1);

    fraOK_ = new QFrame(this);
    fraOK_->setObjectName(QStringLiteral("fraOK"));
    auto* okRow = new QHBoxLayout(fraOK_);
    cmdOK_ = makeButton(fraOK_, "cmdOK");
    okRow->addStretch(1);
    okRow->addWidget(cmdOK_);
    okRow->addStretch(1);
    column->addWidget(fraOK_);

    fraYesNo_ = new QFrame(this);
    fraYesNo_->setObjectName(QStringLiteral("fraYesNo"));
    auto* yesNoRow = new QHBoxLayout(fraYesNo_);
    cmdYes_ = makeButton(fraYesNo_, "cmdYes");
    cmdNo_ = makeButton(fraYesNo_, "cmdNo");
    yesNoRow->addStretch(1);
    yesNoRow->addWidget(cmdYes_);
    yesNoRow->addSpacing(16);
    yesNoRow->addWidget(cmdNo_);
    yesNoRow->addStretch(1);
    column->addWidget(fraYesNo_);

    connect(cmdOK_, &QPushButton::clicked, this, [this] { press(MsgBoxButton::cmdOK); });
    connect(cmdYes_, &QPushButton::clicked, this, [this] { press(MsgBoxButton::cmdYes); });
    connect(cmdNo_, &QPushButton::clicked, this, [this] { press(MsgBoxButton::cmdNo); });
}

void MsgBoxWindow::applyWindowFlags(bool topMost, bool modal) {
    Qt::WindowFlags flags = Qt::Dialog;
    if (topMost) {
        // Over the lock screen, which bypasses the window manager too.
        flags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                Qt::X11BypassWindowManagerHint;
    }
    setWindowFlags(flags);
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    title_->setVisible(topMost);
    topMost_ = topMost;
    modal_ = modal;
}

QPushButton* MsgBoxWindow::buttonFor(MsgBoxButton button) const {
    switch (button) {
    case MsgBoxButton::cmdOK:
        return cmdOK_;
    case MsgBoxButton::cmdYes:
        return cmdYes_;
    case MsgBoxButton::cmdNo:
        return cmdNo_;
    default:
        return nullptr;
    }
}

void MsgBoxWindow::press(MsgBoxButton button) {
    auto& box = client_.msgBox();
    switch (button) {
    case MsgBoxButton::cmdOK:
        box.cmdOK_Click();
        break;
    case MsgBoxButton::cmdYes:
        box.cmdYes_Click();
        break;
    case MsgBoxButton::cmdNo:
        box.cmdNo_Click();
        break;
    default:
        return;
    }
    emit actionForwarded();
}

void MsgBoxWindow::keyPressEvent(QKeyEvent* event) {
    const auto& model = client_.context().forms.frmMsgBox;
    MsgBoxButton button = MsgBoxButton::None;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        button = model.defaultButton;
    } else if (event->key() == Qt::Key_Escape) {
        button = model.cancelButton;
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    // Only a button the customer can see answers.
    auto* widget = buttonFor(button);
    if (widget != nullptr && widget->isVisibleTo(this) && widget->isEnabled()) {
        press(button);
    }
}

bool MsgBoxWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && isVisible()) {
        client_.msgBox().Form_Activate();
        emit actionForwarded();
    }
    if (event->type() == QEvent::Close) {
        // The title bar's close button (test mode) answers like Escape.
        const auto& model = client_.context().forms.frmMsgBox;
        if (model.visible) {
            event->ignore();
            press(model.cancelButton);
            return true;
        }
    }
    return QWidget::event(event);
}

void MsgBoxWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (topMost_) {
        // Without the window manager's frame the light box needs an edge of its own
        // against the dark lock screen.
        QPainter painter(this);
        painter.setPen(QPen(QColor(0x2f, 0x7f, 0xd0), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void MsgBoxWindow::place() {
    const int width = std::max(pixels(client_.context().forms.frmMsgBox.width), 320);
    layout()->activate();
    const int needed = hasHeightForWidth() ? heightForWidth(width) : sizeHint().height();
    const int height = std::max(pixels(client_.context().forms.frmMsgBox.height), needed);
    const auto* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::max(width, minimumSizeHint().width()), height);
    move(area.left() + (area.width() - this->width()) / 2,
         area.top() + (area.height() - this->height()) / 2);
}

void MsgBoxWindow::sync(bool raiseAgain) {
    using sync::text;
    const auto& model = client_.context().forms.frmMsgBox;
    const bool show = model.loaded && model.visible;
    if (!show) {
        sync::hide(this);
        lastFocused_ = MsgBoxButton::None;
        return;
    }
    bool changed = false;
    if (windowTitle() != text(model.caption)) {
        setWindowTitle(text(model.caption));
    }
    changed |= sync::setText(title_, text(model.caption));
    changed |= sync::setText(lblText_, text(model.lblText));
    changed |= sync::setVisible(fraOK_, model.fraOKVisible);
    changed |= sync::setVisible(fraYesNo_, model.fraYesNoVisible);
    changed |= sync::setText(cmdOK_, text(model.cmdOKCaption));
    changed |= sync::setText(cmdYes_, text(model.cmdYesCaption));
    changed |= sync::setText(cmdNo_, text(model.cmdNoCaption));
    if (!iconEverShown_ || iconShown_ != model.icon) {
        const auto standard = model.icon == MsgBoxIcon::Question ? QStyle::SP_MessageBoxQuestion
                                                                 : QStyle::SP_MessageBoxWarning;
        img_->setPixmap(style()->standardIcon(standard).pixmap(kIconSize, kIconSize));
        iconShown_ = model.icon;
        iconEverShown_ = true;
    }

    const bool reshow = topMost_ != model.topMost || modal_ != model.modal;
    if (reshow) {
        // New flags or modality take effect only on a hidden window.
        hide();
        applyWindowFlags(model.topMost, model.modal);
    }
    if (changed || reshow || !isVisible()) {
        place();
    }
    if (sync::showAndRaise(this, raiseAgain)) {
        lastFocused_ = MsgBoxButton::None;
    }
    if (model.focused != lastFocused_) {
        if (auto* button = buttonFor(model.focused);
            button != nullptr && button->isVisibleTo(this)) {
            button->setFocus(Qt::OtherFocusReason);
        }
        lastFocused_ = model.focused;
    }
}

} // namespace orvan
