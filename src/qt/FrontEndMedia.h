#pragma once

#include <QPixmap>
#include <QString>
#include <string>

class QTextBrowser;

namespace orvan {

// The message document and the front end's own pictures.
class FrontEndMedia {
public:
    // Shows the rich-text message file in `browser`. A file that cannot be read or is
    // refused leaves it empty; the reason is returned for the log (empty when shown or
    // when there is no file).
    static QString showMessageFile(QTextBrowser& browser, const std::string& path);
    // One of the front end's own pictures (":/pictures/..."), or a null pixmap.
    static QPixmap ownPicture(const char* name);
};

} // namespace orvan
