#include "BlockSurroundings.h"

#include "BlockWidgets.h"
#include "QtPictures.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace orvan {
namespace {

using block::kGap;

// Narrower than this, a picture column is left empty rather than showing slivers.
constexpr int kNarrowestColumn = 64;
// Advertising is decoded once at most this large, then shrunk into its cell.
constexpr QSize kLargestAdvert(1920, 1920);

} // namespace

BlockSurroundings::BlockSurroundings(QWidget* window, Client& client)
    : window_(window)
    , client_(client) {}

QLabel* BlockSurroundings::makePicture(const char* name) {
    auto* label = block::makeLabel(window_, name);
    label->setAlignment(Qt::AlignCenter);
    label->hide();
    return label;
}

// State 11: the server's screen over everything.
QLabel* BlockSurroundings::followLabel() {
    if (imgFollowServer_ == nullptr) {
        imgFollowServer_ = makePicture("imgFollowServer");
        imgFollowServer_->installEventFilter(window_);
    }
    return imgFollowServer_;
}

QLabel* BlockSurroundings::slotLabel(int slot) {
    if (img_[slot] == nullptr) {
        img_[slot] = makePicture("img");
        img_[slot]->setObjectName(QStringLiteral("img%1").arg(slot));
    }
    return img_[slot];
}

// The diagnostic lists (the kill list, the windows found, the kill counter): a service
// aid, made when first asked for rather than with the lock screen.
void BlockSurroundings::makeLists() {
    lists_ = new QFrame(window_);
    lists_->setObjectName(QStringLiteral("lists"));
    auto* listColumn = new QVBoxLayout(lists_);
    List1_ = new QListWidget(lists_);
    List1_->setObjectName(QStringLiteral("List1"));
    List2_ = new QListWidget(lists_);
    List2_->setObjectName(QStringLiteral("List2"));
    lbkill_ = block::makeLabel(lists_, "lbkill");
    for (auto* list : {List1_, List2_}) {
        list->setFocusPolicy(Qt::NoFocus);
    }
    listColumn->addWidget(List1_, 1);
    listColumn->addWidget(List2_, 2);
    listColumn->addWidget(lbkill_);
    lists_->hide();
}

bool BlockSurroundings::sync(const BlockForm& model) {
    bool changed = false;
    if (model.fraFollowServerVisible || imgFollowServer_ != nullptr) {
        changed = sync::setVisible(followLabel(), model.fraFollowServerVisible);
    }
    for (int slot = 0; slot < BlockForm::kPictureSlots; ++slot) {
        const auto path = sync::text(model.img[slot]);
        if (path != imgShown_[slot]) {
            imgShown_[slot] = path;
            // Decoded once: the columns are laid out again whenever the box changes.
            advertising_[slot] =
                path.isEmpty() ? nullptr : SharedPictures::get(path, kLargestAdvert);
            changed = true;
        }
    }
    if (!block::samePicture(model.imgFollowServer, followShown_)) {
        followShown_ = model.imgFollowServer;
        changed = true;
    }
    if (model.listsVisible && lists_ == nullptr) {
        makeLists();
    }
    if (lists_ != nullptr) {
        changed |= sync::setVisible(lists_, model.listsVisible);
    }
    if (model.listsVisible) {
        syncLists(model);
    }
    return changed;
}

void BlockSurroundings::syncLists(const BlockForm& model) {
    bool same1 = List1_->count() == static_cast<int>(model.List1.size());
    for (int i = 0; same1 && i < List1_->count(); ++i) {
        same1 = List1_->item(i)->text() == sync::text(model.List1[i]);
    }
    if (!same1) {
        List1_->clear();
        for (const auto& name : model.List1) {
            List1_->addItem(sync::text(name));
        }
    }
    bool same2 = List2_->count() == static_cast<int>(model.List2.size());
    for (int i = 0; same2 && i < List2_->count(); ++i) {
        same2 = List2_->item(i)->text() == sync::text(model.List2[i].title) &&
                List2_->item(i)->data(Qt::UserRole).toULongLong() == model.List2[i].handle;
    }
    if (!same2) {
        List2_->clear();
        for (const auto& window : model.List2) {
            auto* item = new QListWidgetItem(sync::text(window.title), List2_);
            item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(window.handle));
        }
    }
    sync::setText(lbkill_, sync::text(model.lbkill));
}

void BlockSurroundings::placeFollowPicture(const BlockForm& model) {
    if (!model.fraFollowServerVisible) {
        return;
    }
    auto* label = followLabel();
    label->setGeometry(window_->rect());
    const auto rendered = QtPictures::render(model.imgFollowServer, window_->size(),
                                             window_->palette(), QtPictures::Scaling::Fit);
    if (rendered.unreadable) {
        auto& follow = client_.context().forms.frmBlock.imgFollowServer;
        const auto file = follow.file;
        client_.lockScreen().images().onUnreadablePicture(file, follow);
    }
    label->setPixmap(rendered.pixmap);
    label->raise();
}

void BlockSurroundings::place(const QRect& band, const QRect& box, const BlockForm& model) {
    // The picture columns left and right of the box.
    const int width = window_->width();
    const int boxLeft = box.isNull() ? width / 2 : box.left();
    const int boxRight = box.isNull() ? width / 2 : box.right();
    QRect left(band.left(), band.top(), boxLeft - kGap - band.left(), band.height());
    QRect right(boxRight + 1 + kGap, band.top(), band.right() - boxRight - kGap, band.height());
    if (lists_ != nullptr && !lists_->isHidden()) {
        // A service aid: it takes the left column, or lies over the left edge when
        // the column is too narrow to read a list in.
        constexpr int kNarrowestList = 160;
        lists_->setGeometry(left.width() >= kNarrowestList
                                ? left
                                : QRect(band.left(), band.top(),
                                        std::min(2 * kNarrowestList, band.width()), band.height()));
        left = QRect{};
    }
    placePictures(model.fraFollowServerVisible ? QRect{} : left,
                  model.fraFollowServerVisible ? QRect{} : right);
    // Over the pictures, which may have been made just now.
    if (lists_ != nullptr && !lists_->isHidden()) {
        lists_->raise();
    }
}

void BlockSurroundings::release() {
    for (int slot = 0; slot < BlockForm::kPictureSlots; ++slot) {
        if (img_[slot] != nullptr) {
            img_[slot]->clear();
        }
        imgShown_[slot].clear();
        advertising_[slot] = nullptr;
    }
    // A picture the size of the screen.
    if (imgFollowServer_ != nullptr) {
        imgFollowServer_->clear();
    }
    followShown_ = PictureBox{};
}

void BlockSurroundings::placePictures(const QRect& left, const QRect& right) {
    std::vector<int> filled;
    for (int slot = 0; slot < BlockForm::kPictureSlots; ++slot) {
        if (img_[slot] != nullptr) {
            img_[slot]->hide();
            img_[slot]->clear();
        }
        if (advertising_[slot] != nullptr && !advertising_[slot]->isNull()) {
            filled.push_back(slot);
        }
    }
    // Alternate sides so that a few pictures stay balanced; each column split evenly.
    std::array<std::vector<int>, 2> columns;
    for (std::size_t i = 0; i < filled.size(); ++i) {
        columns[i % 2].push_back(filled[i]);
    }
    const std::array<QRect, 2> areas{left, right};
    for (std::size_t side = 0; side < 2; ++side) {
        const auto& area = areas[side];
        const auto& chosen = columns[side];
        if (chosen.empty() || area.width() < kNarrowestColumn || area.height() < kNarrowestColumn) {
            continue;
        }
        const int cell = area.height() / static_cast<int>(chosen.size());
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            auto* label = slotLabel(chosen[i]);
            const QRect place(area.left(), area.top() + static_cast<int>(i) * cell, area.width(),
                              cell - (i + 1 < chosen.size() ? kGap / 2 : 0));
            label->setGeometry(place);
            label->setPixmap(advertising_[chosen[i]]->scaled(place.size(), Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation));
            label->show();
        }
    }
}

} // namespace orvan
