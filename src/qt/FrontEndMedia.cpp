#include "FrontEndMedia.h"

#include <QFile>
#include <QTextBrowser>

namespace orvan {
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

QPixmap FrontEndMedia::ownPicture(const char* name) {
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

} // namespace orvan
