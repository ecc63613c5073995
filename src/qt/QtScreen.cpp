#include "QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvan {
namespace {

constexpr double kTwipsPerInch = 1440.0;

long twips(int pixels) {
    const auto* screen = QGuiApplication::primaryScreen();
    const double dpi =
        screen != nullptr && screen->logicalDotsPerInch() > 0 ? screen->logicalDotsPerInch() : 96.0;
    return static_cast<long>(pixels * kTwipsPerInch / dpi);
}

QRect geometry(bool workArea) {
    const auto* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {0, 0, 1024, 768};
    }
    return workArea ? screen->availableGeometry() : screen->geometry();
}

} // namespace

long QtScreen::widthTwips() const {
    return twips(geometry(false).width());
}
long QtScreen::heightTwips() const {
    return twips(geometry(false).height());
}
long QtScreen::workAreaWidthTwips() const {
    return twips(geometry(true).width());
}
long QtScreen::workAreaHeightTwips() const {
    return twips(geometry(true).height());
}

} // namespace orvan
