#include "QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

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
    QMessageBox box(iconOf(style), QString::fromStdString(title), QString::fromStdString(text));
    const bool yesNo = (style & kButtonsMask) == kYesNo;
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton((style & kSecondDefault) != 0 ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if ((style & (kSystemModal | kForeground)) != 0) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
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
