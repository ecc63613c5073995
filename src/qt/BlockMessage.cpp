#include "BlockMessage.h"

#include "BlockWidgets.h"
#include "FrontEndMedia.h"
#include "QtPictures.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace orvan {
namespace {

constexpr int kLogoHeight = 96;
// What a rich-text box raises for a file it cannot load.
constexpr long kInvalidFileFormat = 321;
constexpr qint64 kRecheckMillis = 5000;

// The path with the file's size and time: changes when a file is replaced in place.
QString fileStamp(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const QFileInfo info(QString::fromStdString(path));
    return info.filePath() + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|') +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

BlockMessage::BlockMessage(QWidget* box, QVBoxLayout* column, QWidget* window, Client& client)
    : window_(window)
    , client_(client) {
    picLogo_ = block::makeLabel(box, "picLogo");
    picLogo_->setAlignment(Qt::AlignCenter);
    picLogo_->setFixedHeight(kLogoHeight);
    picLogo_->installEventFilter(window);
    rtbMessage_ = new QTextBrowser(box);
    rtbMessage_->setObjectName(QStringLiteral("rtbMessage"));
    rtbMessage_->setFocusPolicy(Qt::NoFocus);
    rtbMessage_->setOpenLinks(false);
    rtbMessage_->setMinimumHeight(60);
    column->addWidget(picLogo_);
    column->addWidget(rtbMessage_, 1);
}

bool BlockMessage::filesDue(const BlockForm& model) {
    if (sinceChecked_.isValid() && !sinceChecked_.hasExpired(kRecheckMillis) &&
        model.documentsRevision == revisionChecked_ &&
        model.rtbMessageFile == messagePathChecked_ && model.picLogo.file == logoPathChecked_) {
        return false;
    }
    sinceChecked_.start();
    revisionChecked_ = model.documentsRevision;
    messagePathChecked_ = model.rtbMessageFile;
    logoPathChecked_ = model.picLogo.file;
    return true;
}

bool BlockMessage::sync(const BlockForm& model) {
    bool changed = false;
    const bool due = filesDue(model);
    // A received file replaces the old one under the same name: its stamp tells.
    const auto messageFile = due ? fileStamp(model.rtbMessageFile) : messageFile_;
    if (messageFile != messageFile_) {
        const auto refused = FrontEndMedia::showMessageFile(*rtbMessage_, model.rtbMessageFile);
        if (!refused.isEmpty()) {
            // Left empty like a missing file, and written down for the manager.
            client_.context().errors.report(
                AppError(kInvalidFileFormat, "Message not shown: " + refused.toStdString()),
                "frmBlock.rtbMessage_LoadFileError", OnError::LogOnly);
        }
        messageFile_ = messageFile;
        changed = true;
    }
    const bool hasMessage = !rtbMessage_->document()->isEmpty();
    changed |= sync::setVisible(rtbMessage_, hasMessage);

    const auto logoFile = due ? fileStamp(model.picLogo.file) : logoFile_;
    if (!logoEverShown_ || !block::samePicture(model.picLogo, logoShown_) ||
        logoFile != logoFile_) {
        logoShown_ = model.picLogo;
        logoFile_ = logoFile;
        logoEverShown_ = true;
        showLogo(model.picLogo);
    }
    sync::setToolTip(picLogo_, sync::text(model.picLogoToolTip));
    return changed;
}

void BlockMessage::showLogo(const PictureBox& logo) {
    // Our own logo stands in while the cafe has none that can be drawn: a grey patch at
    // the top of the box looks broken.
    if (logo.file.empty() || (logo.png && logo.pngError != 0)) {
        picLogo_->setPixmap(FrontEndMedia::ownPicture("logo.png"));
        return;
    }
    // As large as the picture shrunk into the logo's place, so that the background
    // shows only through the picture's own transparency.
    const QSize place(kLogoHeight * 4, kLogoHeight);
    const auto natural = QImageReader(sync::text(logo.file)).size();
    const auto size = !natural.isValid() ? place
                      : natural.boundedTo(place) == natural
                          ? natural
                          : natural.scaled(place, Qt::KeepAspectRatio);
    const auto rendered = QtPictures::render(logo, size.expandedTo({1, 1}), window_->palette());
    if (rendered.unreadable) {
        // The engine drops the file and logs it.
        // A copy: the engine clears the file it is told about.
        const auto file = logo.file;
        client_.lockScreen().images().onUnreadablePicture(file,
                                                          client_.context().forms.frmBlock.picLogo);
        picLogo_->setPixmap(FrontEndMedia::ownPicture("logo.png"));
        return;
    }
    picLogo_->setPixmap(rendered.pixmap);
}

} // namespace orvan
