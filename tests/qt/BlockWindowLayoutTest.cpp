#include "FrontEndFixture.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <sstream>
#include <string>
#include <vector>

namespace orvan::test {
namespace {

// What a customer would call broken: text cut short, controls over one another,
// the box under a band or under the advertising.
class BlockWindowLayoutTest : public FrontEndFixture {
protected:
    void layOut(QSize size) {
        window().setGeometry(QRect(QPoint(0, 0), size));
        QApplication::processEvents();
        window().relayout();
    }

    std::vector<QWidget*> visibleControls() {
        std::vector<QWidget*> controls;
        for (auto* widget : find("fraForm")->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QLabel*>(widget) != nullptr ||
                                 qobject_cast<QAbstractButton*>(widget) != nullptr ||
                                 qobject_cast<QLineEdit*>(widget) != nullptr ||
                                 qobject_cast<QTextBrowser*>(widget) != nullptr;
            if (control && widget->isVisibleTo(&window())) {
                controls.push_back(widget);
            }
        }
        return controls;
    }

    QRect onWindow(QWidget* widget) {
        return QRect(widget->mapTo(&window(), QPoint(0, 0)), widget->size());
    }

    // Every fault found, one per line; empty when the screen is sound.
    std::string faults() {
        std::ostringstream out;
        const auto box = onWindow(find("fraForm"));
        const auto header = onWindow(find("fraHeader"));
        const auto footer = onWindow(find("fraFooter"));
        const auto indicator = onWindow(find("fraNoServCnx"));
        if (box.intersects(header) || box.intersects(footer) || box.intersects(indicator) ||
            !window().rect().contains(box)) {
            out << "box out of its band\n";
        }
        const auto controls = visibleControls();
        for (auto* control : controls) {
            const auto place = onWindow(control);
            const auto name = control->objectName().toStdString();
            if (!box.contains(place)) {
                out << name << " outside the box\n";
            }
            auto* label = qobject_cast<QLabel*>(control);
            if (label != nullptr && label->wordWrap() && !label->text().isEmpty() &&
                label->height() < label->heightForWidth(label->width())) {
                out << name << " cut at the bottom\n";
            } else if (qobject_cast<QTextBrowser*>(control) == nullptr &&
                       qobject_cast<QLineEdit*>(control) == nullptr &&
                       (label == nullptr || !label->wordWrap()) &&
                       control->width() < control->sizeHint().width()) {
                out << name << " cut at the side\n";
            }
            for (auto* other : controls) {
                if (other != control && !control->isAncestorOf(other) &&
                    !other->isAncestorOf(control) && other < control &&
                    place.intersects(onWindow(other))) {
                    out << name << " over " << other->objectName().toStdString() << "\n";
                }
            }
        }
        for (int slot = 0; slot < BlockForm::kPictureSlots; ++slot) {
            auto* picture = find(QStringLiteral("img%1").arg(slot).toLatin1().constData());
            if (picture != nullptr && picture->isVisibleTo(&window())) {
                const auto place = onWindow(picture);
                if (place.intersects(box) || place.intersects(header) || place.intersects(footer)) {
                    out << "img" << slot << " over the box or a band\n";
                }
            }
        }
        return out.str();
    }
};

TEST_F(BlockWindowLayoutTest, nothingIsCutOrOverlapsOnSmallAndLargeScreensInBothLanguages) {
    QTemporaryDir folder;
    std::vector<std::string> adverts;
    for (int i = 0; i < 6; ++i) {
        const auto path = folder.filePath(QStringLiteral("%1.jpg").arg(i + 1));
        QImage(400, 300, QImage::Format_RGB32).save(path);
        adverts.push_back(path.toStdString());
    }
    auto& localization = context().localization;
    for (const auto& language :
         {localization.builtInLanguage(), std::string{kEnglish}, std::string{kThai}}) {
        localization.setLanguages(language, 0);
        for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
            for (const int state : {2, 3, 4, 8, 9, 10}) {
                showState(state);
                for (std::size_t i = 0; i < adverts.size(); ++i) {
                    model().img[i] = adverts[i];
                }
                // Both hints up: the tallest the login panel gets.
                model().txtCardNumToolTipVisible = true;
                model().txtLoginToolTipVisible = true;
                frontEnd_->sync();
                layOut(size);
                EXPECT_EQ(faults(), "") << language << " " << size.width() << "x" << size.height()
                                        << " state " << state;
                if (state == Workstation::kWaiting) {
                    find<QRadioButton>("OptClient")->click();
                    layOut(size);
                    EXPECT_EQ(faults(), "") << language << " member login";
                }
            }
        }
    }
}

} // namespace
} // namespace orvan::test
