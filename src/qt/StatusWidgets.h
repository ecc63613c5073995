#pragma once

#include <QLatin1String>
#include <string>

class QLabel;
class QWidget;

// What the three status windows share: the lock screen's look in a small frame of their
// own, and their place in the bottom-right corner of the work area.
namespace orvan {
struct StatusForm;
}

namespace orvan::status {

QLatin1String styleSheet();

// A frameless tool window (not listed in the task bar) on top of the customer's
// programs unless `topMost` is off (test mode); one that never `takesFocus` is clicked
// without taking the keyboard from the customer's program.
void applyWindowFlags(QWidget* window, bool topMost, bool takesFocus);

// The window's right and bottom edges `margin` pixels inside the work area of the
// primary screen (the screen without panels and docks).
void placeBottomRight(QWidget* window, int margin);

// The dark strip with the window's title, as the message box draws over the lock screen.
QLabel* makeTitle(QWidget* parent);

// A label with `text` of the window's model, its tool tip, hidden while both are empty.
bool syncCaption(QLabel* label, const std::string& caption, const std::string& toolTip);

// Gives the focus to the model's button each time it asks again.
void followFocus(QWidget* window, const StatusForm& form);

// Pixels for twips on the primary screen, and back.
int pixels(long twips);
long twips(int pixels);

} // namespace orvan::status
