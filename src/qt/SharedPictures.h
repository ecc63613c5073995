#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <cstddef>
#include <memory>

namespace orvan {

// Pictures decoded once for every window that shows them: a lock window per screen
// shares one decoded copy of each advertising file. A picture lives as long as some
// window holds it, so hidden windows that let go of theirs free it, and a file replaced
// meanwhile is read anew the next time it is asked for.
class SharedPictures {
public:
    using Held = std::shared_ptr<const QPixmap>;

    // The picture in `path`, shrunk to fit `largest` (as the first window to ask gave
    // it); a null pixmap when unreadable.
    static Held get(const QString& path, QSize largest);
    // Decoded pictures some window still holds.
    static std::size_t alive();
};

} // namespace orvan
