#include "FrontEndMedia.h"

#include "RtfTextDocument.h"

#include <QTextBrowser>

namespace orvan {

QString FrontEndMedia::showMessageFile(QTextBrowser& browser, const std::string& path) {
    if (path.empty()) {
        browser.clear();
        return {};
    }
    auto loaded = RtfTextDocument::fromFile(QString::fromStdString(path));
    if (!loaded.ok()) {
        browser.clear();
        return loaded.error;
    }
    // Owned by the browser, which deletes the previous message when given the next.
    auto* document = loaded.document.release();
    document->setParent(&browser);
    // A headline must not touch the frame.
    document->setDocumentMargin(10);
    browser.setDocument(document);
    return {};
}

QPixmap FrontEndMedia::ownPicture(const char* name) {
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

} // namespace orvan
