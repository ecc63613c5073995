#pragma once

#include "BlockWidgets.h"
#include "model/BlockForm.h"

class QComboBox;
class QFrame;
class QLabel;
class QWidget;

namespace orvan {

class Client;

// The header (the workstation's name, the language chooser), the footer and the
// connection indicator under the header, on the lock screen's window.
class BlockBands {
public:
    // Where the bands leave room for the rest, from the top of the window.
    struct Room {
        int top;
        int bottom;
    };

    // `window` parents the widgets and watches the service spot for its double click.
    BlockBands(QWidget* window, Client& client, const block::Forwarder& forward);

    // True when something changed that needs a new layout.
    bool sync(const BlockForm& model);
    // Lays the bands out across the window, each as high as the model asks (in pixels) or
    // as its content needs, whichever is more.
    Room place(int width, int height, int headerHeight, int footerHeight);

    QLabel* serviceSpot() const { return picservice_; }

private:
    QFrame* header_ = nullptr;
    QLabel* lblWksnName_ = nullptr;
    QComboBox* cmbLanguage_ = nullptr;
    QFrame* footer_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* lblGNU_ = nullptr;
    QLabel* picservice_ = nullptr;
    QFrame* indicator_ = nullptr;
    QLabel* imgNoServCnx_ = nullptr;
    QLabel* lblstatus_ = nullptr;
};

} // namespace orvan
