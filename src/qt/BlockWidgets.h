#pragma once

#include <QLatin1String>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace orvan {
struct PictureBox;
} // namespace orvan

// What the parts of the lock screen share: its look and the way its widgets are made.
namespace orvan::block {

// Room kept between the box, the bands and the picture columns.
inline constexpr int kGap = 16;

// The lock screen's style sheet, set once on the window for all its parts.
QLatin1String styleSheet();

QLabel* makeLabel(QWidget* parent, const char* name, const char* styleClass = nullptr);
QRadioButton* makeOption(QWidget* parent, const char* name);
QPushButton* makeButton(QWidget* parent, const char* name);
QLineEdit* makeField(QWidget* parent, const char* name);

// Whether the model would draw the two boxes alike, for not decoding a picture again.
bool samePicture(const PictureBox& a, const PictureBox& b);

} // namespace orvan::block
