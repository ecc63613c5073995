#include "QtPictures.h"

#include "imaging/PngCheck.h"
#include "model/PictureBox.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <array>
#include <utility>

namespace orvan {
namespace {

constexpr std::uint32_t kSystemColor = 0x80000000;

// The system colour indexes a form may use, as the nearest palette roles.
constexpr std::array<std::pair<std::uint32_t, QPalette::ColorRole>, 14> kSystemColors{{
    {4, QPalette::Window},           // menu
    {5, QPalette::Base},             // window background
    {7, QPalette::WindowText},       // menu text
    {8, QPalette::Text},             // window text
    {13, QPalette::Highlight},       // selection
    {14, QPalette::HighlightedText}, // selected text
    {15, QPalette::Button},          // button face
    {16, QPalette::Mid},             // button shadow
    {18, QPalette::ButtonText},      // button text
    {20, QPalette::Light},           // button highlight
    {21, QPalette::Shadow},          // dark shadow
    {22, QPalette::Midlight},        // light edge
    {23, QPalette::ToolTipText},     // tool tip text
    {24, QPalette::ToolTipBase},     // tool tip background
}};

QSize fitted(QSize picture, QSize box, QtPictures::Scaling scaling) {
    const bool fits = picture.width() <= box.width() && picture.height() <= box.height();
    if (fits && scaling == QtPictures::Scaling::ShrinkToFit) {
        return picture;
    }
    // A thin strip must not vanish to zero height.
    return picture.scaled(box, Qt::KeepAspectRatio).expandedTo({1, 1});
}

QImage scaledInto(const QImage& image, QSize box, QtPictures::Scaling scaling) {
    const auto size = fitted(image.size(), box, scaling);
    if (size == image.size()) {
        return image;
    }
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The format is named for PNG, so that only Qt's PNG reader takes what the engine
// checked as PNG; other files go to whichever reader claims them.
QImage read(const PictureBox& box) {
    QImageReader reader(QString::fromStdString(box.file), box.png ? "png" : QByteArray{});
    return reader.read();
}

bool nothingToDraw(const PictureBox& box) {
    return box.file.empty() || (box.png && box.pngError != PngCheck::kReadable);
}

} // namespace

QColor QtPictures::color(std::uint32_t value, const QPalette& palette) {
    if ((value & kSystemColor) == 0) {
        return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                      static_cast<int>((value >> 16) & 0xFF));
    }
    const auto index = value & ~kSystemColor;
    for (const auto& [systemIndex, role] : kSystemColors) {
        if (systemIndex == index) {
            return palette.color(role);
        }
    }
    return palette.color(QPalette::Button);
}

QtPictures::Rendered QtPictures::render(const PictureBox& box, QSize size, const QPalette& palette,
                                        Scaling scaling) {
    Rendered result{QPixmap(size), false};
    if (!result.pixmap.isNull()) {
        result.pixmap.fill(color(box.backColor, palette));
    }
    if (nothingToDraw(box)) {
        return result;
    }
    const auto image = read(box);
    if (image.isNull()) {
        result.unreadable = true;
        return result;
    }
    if (!result.pixmap.isNull()) {
        // Source-over: transparent and partly transparent pixels let the background through.
        QPainter painter(&result.pixmap);
        painter.drawImage(0, 0, scaledInto(image, size, scaling));
    }
    return result;
}

QPixmap QtPictures::load(const QString& path, QSize size, Scaling scaling) {
    QImageReader reader(path);
    const auto image = reader.read();
    if (image.isNull()) {
        return {};
    }
    return QPixmap::fromImage(scaledInto(image, size, scaling));
}

} // namespace orvan
