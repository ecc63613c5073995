#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace orvan {

class Client;

// The About box `frmAbout`: the program's name, version and credits with an OK button;
// at start-up the same window is the splash, which its own timer closes.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(Client& client);

    void sync();

signals:
    void actionForwarded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyWindowFlags(bool modal);

    Client& client_;
    bool modal_ = false;
    QLabel* title_ = nullptr;
    QLabel* lblCredits_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

} // namespace orvan
