#include "QtTrayIcon.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace orvan {
namespace {

constexpr int kIconSize = 16;
// The engine's shift state: 1 Shift, 2 Ctrl, 4 Alt.
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
constexpr int kLeftDoubleClick = 515;
constexpr int kRightButtonDown = 516;

int shiftState() {
    const auto modifiers = QGuiApplication::queryKeyboardModifiers();
    return (modifiers.testFlag(Qt::ShiftModifier) ? kShift : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? kCtrl : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? kAlt : 0);
}

} // namespace

QtTrayIcon::QtTrayIcon()
    : icon_(std::make_unique<QSystemTrayIcon>())
    , menu_(std::make_unique<QMenu>()) {
    menu_->setObjectName(QStringLiteral("mnuPopup"));
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                int message = 0;
                if (reason == QSystemTrayIcon::DoubleClick) {
                    message = kLeftDoubleClick;
                } else if (reason == QSystemTrayIcon::Context) {
                    message = kRightButtonDown;
                }
                if (message != 0 && mouse_) {
                    mouse_(message, shiftState());
                    emit actionForwarded();
                }
            });
}

QtTrayIcon::~QtTrayIcon() = default;

QPixmap QtTrayIcon::drawn(Picture which, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / double(kIconSize), size / double(kIconSize));
    // The lock screen's blue for a live session, its grey for the other half-beat.
    const QColor fill =
        which == Picture::Client ? QColor(0x2f, 0x7f, 0xd0) : QColor(0x5b, 0x6b, 0x7b);
    painter.setPen(QPen(QColor(0x0e, 0x15, 0x1c), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kIconSize - 1.0, kIconSize - 1.0), 3, 3);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(4, 4, 8, 8));
    return pixmap;
}

QIcon QtTrayIcon::picture(Picture which) {
    QIcon icon;
    for (const int size : {kIconSize, 2 * kIconSize, 3 * kIconSize}) {
        icon.addPixmap(drawn(which, size));
    }
    return icon;
}

bool QtTrayIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::add(Picture which, const std::string& toolTip) {
    icon_->setIcon(picture(which));
    icon_->setToolTip(QString::fromStdString(toolTip));
    icon_->show();
}

void QtTrayIcon::modify(Picture which) {
    icon_->setIcon(picture(which));
}

void QtTrayIcon::remove() {
    menu_->hide();
    icon_->hide();
}

void QtTrayIcon::popup(const std::vector<TrayMenuEntry>& entries) {
    menu_->clear();
    for (const auto& entry : entries) {
        auto* action = menu_->addAction(QString::fromStdString(entry.caption));
        action->setObjectName(QString::fromStdString(entry.name));
        action->setEnabled(entry.enabled);
        if (entry.isDefault) {
            auto font = action->font();
            font.setBold(true);
            action->setFont(font);
            menu_->setDefaultAction(action);
        }
        connect(action, &QAction::triggered, this, [this, name = entry.name] {
            if (choice_) {
                choice_(name);
                emit actionForwarded();
            }
        });
    }
    menu_->popup(QCursor::pos());
}

void QtTrayIcon::setHandlers(MouseHandler mouse, ChoiceHandler choice) {
    mouse_ = std::move(mouse);
    choice_ = std::move(choice);
}

} // namespace orvan
