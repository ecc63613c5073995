#pragma once

#include "AppliedModel.h"
#include "model/Forms.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace orvan {

class Client;

// The micro status window `frmMicroStatus` of a free session: its title and the quit
// button, in the bottom-right corner. It refuses to be closed.
class MicroStatusWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr long kWidthTwips = 2400;
    static constexpr long kHeightTwips = 900;

    explicit MicroStatusWindow(Client& client);

    void sync();

signals:
    void actionForwarded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Client& client_;
    AppliedModel<StatusForm> applied_;
    QLabel* title_ = nullptr;
    QPushButton* cmdQuit_ = nullptr;
};

} // namespace orvan
