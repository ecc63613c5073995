#pragma once

#include "model/BlockForm.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <string>

class QLabel;
class QTextBrowser;
class QVBoxLayout;
class QWidget;

namespace orvan {

class Client;

// The top of the box: the cafe's logo and the rich-text message under it. Remembers
// what it last drew, so that unchanged files are not loaded and decoded again.
class BlockMessage {
public:
    // `window` watches the logo for the hidden Ctrl+Alt click and lends its palette.
    BlockMessage(QWidget* box, QVBoxLayout* column, QWidget* window, Client& client);

    QLabel* logo() const { return picLogo_; }

    // True when something changed that needs a new layout.
    bool sync(const BlockForm& model);

private:
    // Whether to look at the files' stamps again: when the paths or the engine's
    // revision changed, and every few seconds for files changed by hand. Looking on
    // every turn of the event loop cost two stats per turn while locked.
    bool filesDue(const BlockForm& model);
    void showLogo(const PictureBox& logo);

    QWidget* window_;
    Client& client_;
    QLabel* picLogo_ = nullptr;
    QTextBrowser* rtbMessage_ = nullptr;

    QString messageFile_;
    PictureBox logoShown_;
    QString logoFile_;
    bool logoEverShown_ = false;
    std::string messagePathChecked_;
    std::string logoPathChecked_;
    std::uint32_t revisionChecked_ = 0;
    QElapsedTimer sinceChecked_;
};

} // namespace orvan
