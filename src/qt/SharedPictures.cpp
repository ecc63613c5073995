#include "SharedPictures.h"

#include "QtPictures.h"

#include <QHash>

namespace orvan {
namespace {

// Only the GUI thread decodes and shows pictures.
QHash<QString, std::weak_ptr<const QPixmap>>& decoded() {
    static QHash<QString, std::weak_ptr<const QPixmap>> pictures;
    return pictures;
}

void forgetReleased() {
    auto& pictures = decoded();
    for (auto it = pictures.begin(); it != pictures.end();) {
        it = it->expired() ? pictures.erase(it) : std::next(it);
    }
}

} // namespace

SharedPictures::Held SharedPictures::get(const QString& path, QSize largest) {
    forgetReleased();
    auto& slot = decoded()[path];
    if (auto held = slot.lock()) {
        return held;
    }
    auto held = std::make_shared<const QPixmap>(QtPictures::load(path, largest));
    slot = held;
    return held;
}

std::size_t SharedPictures::alive() {
    forgetReleased();
    return static_cast<std::size_t>(decoded().size());
}

} // namespace orvan
