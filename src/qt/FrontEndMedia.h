#pragma once

#include <QPixmap>
#include <string>

class QTextBrowser;

namespace orvan {

// The message document and the front end's own pictures: one place to swap in the
// rich-text reader.
class FrontEndMedia {
public:
    // Shows the message file in `browser`; a missing or unreadable file leaves it empty.
    static void showMessageFile(QTextBrowser& browser, const std::string& path);
    // One of the front end's own pictures (":/pictures/..."), or a null pixmap.
    static QPixmap ownPicture(const char* name);
};

} // namespace orvan
