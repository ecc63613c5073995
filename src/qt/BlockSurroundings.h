#pragma once

#include "SharedPictures.h"
#include "model/BlockForm.h"

#include <QString>
#include <array>

class QFrame;
class QLabel;
class QListWidget;
class QRect;
class QWidget;

namespace orvan {

class Client;

// What lies around the box on the window: the advertising columns left and right of
// it, the diagnostic lists, and the server's screen that covers everything (state 11).
// Each picture is made when first drawn: most slots and the server's screen never are.
class BlockSurroundings {
public:
    // `window` parents the widgets, watches the follow picture for the hidden Ctrl+Alt
    // click, and lends its size and palette.
    BlockSurroundings(QWidget* window, Client& client);

    // Null until the server's screen is first shown.
    QLabel* followPicture() const { return imgFollowServer_; }

    // True when something changed that needs a new layout.
    bool sync(const BlockForm& model);
    // The server's screen over the whole window, when the model shows it.
    void placeFollowPicture(const BlockForm& model);
    // The lists and the pictures beside `box` (null when hidden), within `band`.
    void place(const QRect& band, const QRect& box, const BlockForm& model);
    // Lets go of every picture while the window is hidden: the next sync finds them
    // all changed and draws them again.
    void release();

private:
    QLabel* makePicture(const char* name);
    QLabel* followLabel();
    QLabel* slotLabel(int slot);
    void makeLists();
    void syncLists(const BlockForm& model);
    void placePictures(const QRect& left, const QRect& right);

    QWidget* window_;
    Client& client_;
    std::array<QLabel*, BlockForm::kPictureSlots> img_{};
    QLabel* imgFollowServer_ = nullptr;
    QFrame* lists_ = nullptr;
    QListWidget* List1_ = nullptr;
    QListWidget* List2_ = nullptr;
    QLabel* lbkill_ = nullptr;

    // What was last drawn, so that unchanged pictures are not decoded again.
    PictureBox followShown_;
    std::array<QString, BlockForm::kPictureSlots> imgShown_;
    std::array<SharedPictures::Held, BlockForm::kPictureSlots> advertising_;
};

} // namespace orvan
