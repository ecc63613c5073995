#include "StatusWidgets.h"

#include "WidgetSync.h"
#include "model/Forms.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace orvan::status {
namespace {

constexpr double kTwipsPerInch = 1440.0;

// The lock screen's palette: light boxes with dark text under a dark title strip.
constexpr const char* kStyle = R"(
QWidget#frmStatus, QWidget#frmSmallStatus, QWidget#frmMicroStatus { background: #edf1f5; border: 1px solid #2f7fd0; }
QLabel#title { background: #0e151c; color: #dbe4ec; font-weight: bold; padding: 4px 8px; }
QLabel { color: #1b2733; }
QLabel.heading { font-weight: bold; color: #24476b; }
QLabel.counter { font-weight: bold; color: #0e2a48; }
QLabel.bigCounter { font-size: 14pt; font-weight: bold; color: #0e2a48; }
QLabel.hint { color: #4a5a6b; font-size: 8pt; }
QLabel#lblTimeToNextIncrement { font-family: Arial; }
QFrame.box { background: #ffffff; border: 1px solid #c3ced9; border-radius: 6px; }
QFrame.box QLabel, QFrame.box QRadioButton { background: transparent; }
QPlainTextEdit { background: #ffffff; color: #111; border: 1px solid #8fa3b6; border-radius: 3px; }
QLineEdit { background: #ffffff; color: #111; border: 1px solid #8fa3b6; border-radius: 3px; padding: 3px; }
QLineEdit:focus { border: 2px solid #2f7fd0; }
QPushButton { background: #2f7fd0; color: white; border: none; border-radius: 5px; padding: 5px 10px; font-weight: bold; }
QPushButton:hover { background: #3a8de0; }
QPushButton:disabled { background: #a9b6c3; color: #eef2f5; }
QPushButton#cmdQuit { background: #a12a1a; }
QWidget#frmSmallStatus QPushButton#cmdQuit { background: #ffffff; border: 1px solid #a12a1a; }
QWidget#frmSmallStatus QLabel#title, QWidget#frmMicroStatus QLabel#title { padding: 1px 8px; }
QPushButton#cmdQuit:hover { background: #b83a28; }
QPushButton#cmdQuit:disabled { background: #a9b6c3; }
QPushButton#cmdClose, QPushButton#cmdStatus { background: #5b6b7b; }
QPushButton.flat { background: transparent; color: #24476b; padding: 0 4px; }
QRadioButton { color: #1b2733; }
QRadioButton::indicator { width: 12px; height: 12px; border: 1px solid #5b6b7b; border-radius: 7px; background: #ffffff; }
QRadioButton::indicator:checked { background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5, stop:0 #2f7fd0, stop:0.5 #2f7fd0, stop:0.55 #ffffff, stop:1 #ffffff); }
QRadioButton::indicator:disabled { background: #e0e5ea; border-color: #a9b6c3; }
QRadioButton:disabled { color: #6b7785; }
)";

double dotsPerInch() {
    const auto* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->logicalDotsPerInch() > 0 ? screen->logicalDotsPerInch()
                                                                 : 96.0;
}

} // namespace

QLatin1String styleSheet() {
    return QLatin1String(kStyle);
}

void applyWindowFlags(QWidget* window, bool topMost, bool takesFocus) {
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if (topMost) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    if (!takesFocus) {
        flags |= Qt::WindowDoesNotAcceptFocus;
    }
    window->setWindowFlags(flags);
    // Coming up on a tick or a server's line must not take the keyboard away.
    window->setAttribute(Qt::WA_ShowWithoutActivating);
}

void placeBottomRight(QWidget* window, int margin) {
    const auto* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = window->size();
    const QPoint corner(area.x() + area.width() - margin - size.width(),
                        area.y() + area.height() - margin - size.height());
    if (window->pos() != corner) {
        window->move(corner);
    }
}

QLabel* makeTitle(QWidget* parent) {
    auto* title = new QLabel(parent);
    title->setObjectName(QStringLiteral("title"));
    return title;
}

bool syncCaption(QLabel* label, const std::string& caption, const std::string& toolTip) {
    bool changed = sync::setText(label, sync::text(caption));
    changed |= sync::setToolTip(label, sync::text(toolTip));
    return changed;
}

void followFocus(QWidget* window, const StatusForm& form) {
    // The count already followed is kept on the window itself.
    const char* kSeen = "focusRequestsSeen";
    if (window->property(kSeen).toUInt() == form.focusRequests) {
        return;
    }
    window->setProperty(kSeen, form.focusRequests);
    if (auto* button = window->findChild<QWidget*>(QString::fromStdString(form.focusedButton))) {
        button->setFocus(Qt::OtherFocusReason);
    }
}

int pixels(long twips) {
    return static_cast<int>(static_cast<double>(twips) * dotsPerInch() / kTwipsPerInch + 0.5);
}

long twips(int pixels) {
    return static_cast<long>(static_cast<double>(pixels) * kTwipsPerInch / dotsPerInch() + 0.5);
}

} // namespace orvan::status
