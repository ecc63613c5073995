#pragma once

#include <QLatin1String>
#include <array>
#include <functional>
#include <utility>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace orvan {
struct BlockForm;
struct PictureBox;
} // namespace orvan

// What the parts of the lock screen share: its look, the way its widgets are made, and
// the way a customer's action reaches the engine.
namespace orvan::block {

// Room kept between the box, the bands and the picture columns.
inline constexpr int kGap = 16;

// The lock screen's style sheet, set once on the window for all its parts.
QLatin1String styleSheet();

QLabel* makeLabel(QWidget* parent, const char* name, const char* styleClass = nullptr);
QRadioButton* makeOption(QWidget* parent, const char* name);
QPushButton* makeButton(QWidget* parent, const char* name);
QLineEdit* makeField(QWidget* parent, const char* name);

// The model's numbered captions (lbl0 to lbl15) that one part shows, at their index.
using Captions = std::array<QLabel*, 16>;
// Each caption's text, and hidden while empty. True when something changed.
bool syncCaptions(const Captions& labels, const BlockForm& model);

// Whether the model would draw the two boxes alike, for not decoding a picture again.
bool samePicture(const PictureBox& a, const PictureBox& b);

// Runs an engine action, then tells the window so that every window follows the model.
class Forwarder {
public:
    explicit Forwarder(std::function<void()> forwarded)
        : forwarded_(std::move(forwarded)) {}

    template <typename Action>
    void operator()(Action&& action) const {
        action();
        forwarded_();
    }

private:
    std::function<void()> forwarded_;
};

} // namespace orvan::block
