#include "QtDialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <iostream>

namespace orvan {
namespace {

constexpr int kButtonsMask = 0xF;
constexpr int kYesNo = 4;
constexpr int kIconMask = 0xF0;
constexpr int kSecondDefault = 0x100;
constexpr int kSystemModal = 0x1000;
constexpr int kForeground = 0x10000;

QMessageBox::Icon iconOf(int style) {
    switch (style & kIconMask) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtDialogs::messageBox(const std::string& text, const std::string& title, int style) {
    const bool yesNo = (style & kButtonsMask) == kYesNo;
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // Nobody can press a button on a screen that does not exist: say what the box
        // said and answer with its default.
        std::cerr << "[message box] " << title << ": " << text << "\n";
        return !yesNo ? kOk : ((style & kSecondDefault) != 0 ? kNo : kYes);
    }
    QMessageBox box(iconOf(style), QString::fromStdString(title), QString::fromStdString(text));
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton((style & kSecondDefault) != 0 ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if ((style & kSystemModal) != 0) {
        // Nothing else of the program may be answered first, and the box must stay
        // over the lock screen.
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    if ((style & kForeground) != 0) {
        // Raised once it is shown: the customer is busy in another program.
        QTimer::singleShot(0, &box, [&box] {
            box.raise();
            box.activateWindow();
        });
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return kOk;
    case QMessageBox::Yes:
        return kYes;
    case QMessageBox::No:
        return kNo;
    default:
        return yesNo ? kNo : kOk;
    }
}

void QtDialogs::beep() {
    QApplication::beep();
}

} // namespace orvan
