#pragma once

#include "imaging/PictureBox.h"

#include <QPixmap>
#include <QSize>
#include <string>

class QTextBrowser;

namespace orvan {

// Where the windows get their documents and pictures drawn: one place to swap in
// the rich-text reader and the picture renderer.
class FrontEndMedia {
public:
    // Shows the message file in `browser`; a missing or unreadable file leaves it empty.
    static void showMessageFile(QTextBrowser& browser, const std::string& path);
    // The picture control drawn at `size`: its background, the file over it.
    static QPixmap drawPicture(const PictureBox& picture, QSize size);
    // One of the front end's own pictures (":/pictures/..."), or a null pixmap.
    static QPixmap ownPicture(const char* name);
};

} // namespace orvan
