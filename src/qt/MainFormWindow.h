#pragma once

#include <QWidget>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace orvan {

class Client;

// The main window `frmMain`, shown while the workstation is deactivated: its menus, the
// server and connection labels and the buttons to activate, log off and quit.
class MainFormWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainFormWindow(Client& client);

    void sync();

signals:
    void actionForwarded();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Where the staff put the window is kept for the next start.
    void moveEvent(QMoveEvent* event) override;

private:
    void build();
    QAction* addEntry(QMenu* menu, const char* name, void (*handler)(Client&));
    template <typename Action>
    void forward(Action&& action);

    Client& client_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* mnuFile_ = nullptr;
    QMenu* mnuTools_ = nullptr;
    QMenu* mnuHelp_ = nullptr;
    std::vector<QAction*> entries_;
    QLabel* lbl0_ = nullptr;
    QLabel* lbl1_ = nullptr;
    QLabel* lblServerName_ = nullptr;
    QLabel* lblConnexionStatus_ = nullptr;
    QPushButton* cmdActiver_ = nullptr;
    QPushButton* cmdShutdown_ = nullptr;
    QPushButton* cmdQuit_ = nullptr;
    bool placed_ = false;
};

} // namespace orvan
