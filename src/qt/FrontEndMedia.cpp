#include "FrontEndMedia.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPalette>
#include <QTextBrowser>

namespace orvan {
namespace {

// A system colour index (high bit set) stands for the palette's colour; any other
// value is 0x00BBGGRR.
QColor colourOf(std::uint32_t value) {
    if ((value & 0x80000000u) != 0) {
        return QApplication::palette().color(QPalette::Button);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace

void FrontEndMedia::showMessageFile(QTextBrowser& browser, const std::string& path) {
    browser.clear();
    if (path.empty()) {
        return;
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const auto bytes = file.read(1 << 20);
    // Until rich text can be read, raw control words are worse than nothing.
    if (bytes.startsWith("{\\rtf")) {
        return;
    }
    browser.setPlainText(QString::fromUtf8(bytes));
}

QPixmap FrontEndMedia::drawPicture(const PictureBox& picture, QSize size) {
    if (size.isEmpty()) {
        return {};
    }
    QPixmap canvas(size);
    canvas.fill(colourOf(picture.backColor));
    if (picture.file.empty() || picture.pngError != 0) {
        return canvas;
    }
    const QPixmap source(QString::fromStdString(picture.file));
    if (source.isNull()) {
        return canvas;
    }
    const auto scaled = source.size().boundedTo(size) == source.size()
                            ? source
                            : source.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&canvas);
    painter.drawPixmap((size.width() - scaled.width()) / 2, (size.height() - scaled.height()) / 2,
                       scaled);
    return canvas;
}

QPixmap FrontEndMedia::ownPicture(const char* name) {
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

} // namespace orvan
