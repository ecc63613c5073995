#pragma once

#include <QColor>
#include <QPalette>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <cstdint>

namespace orvan {

struct PictureBox;

// Draws the engine's picture boxes: the background colour, and over it the picture
// the engine chose, shrunk to fit and kept in proportion, at the box's top left as the
// program draws it.
class QtPictures {
public:
    enum class Scaling {
        ShrinkToFit, // a small picture keeps its own size
        Fit,         // a small picture is enlarged to fill the box
    };

    struct Rendered {
        QPixmap pixmap;
        // The file could not be decoded: the caller hands this to the engine's
        // onUnreadablePicture, which drops the file and logs the failure.
        bool unreadable = false;
    };

    // A system colour (0x80000000 + index) from `palette`, or 0x00BBGGRR.
    static QColor color(std::uint32_t value, const QPalette& palette);
    static Rendered render(const PictureBox& box, QSize size, const QPalette& palette,
                           Scaling scaling = Scaling::ShrinkToFit);
    // One picture for an advertising slot, shrunk to fit; null when unreadable.
    static QPixmap load(const QString& path, QSize size, Scaling scaling = Scaling::ShrinkToFit);
};

} // namespace orvan
