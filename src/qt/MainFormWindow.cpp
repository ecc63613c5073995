#include "MainFormWindow.h"

#include "BlockWidgets.h"
#include "StatusWidgets.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {
namespace {

constexpr const char* kStyle = R"(
orvan--MainFormWindow { background: #edf1f5; }
QLabel { color: #1b2733; }
QLabel#lblServerName, QLabel#lblConnexionStatus { font-weight: bold; color: #0e2a48; }
QPushButton { background: #2f7fd0; color: white; border: none; border-radius: 5px; padding: 7px 14px; font-weight: bold; }
QPushButton:hover { background: #3a8de0; }
QPushButton:disabled { background: #a9b6c3; color: #eef2f5; }
QPushButton#cmdQuit, QPushButton#cmdShutdown { background: #5b6b7b; }
QMenuBar { background: #0e151c; color: #dbe4ec; }
QMenuBar::item:selected { background: #2f7fd0; }
)";

constexpr int kLogoHeight = 48;

} // namespace

MainFormWindow::MainFormWindow(Client& client)
    : QWidget(nullptr)
    , client_(client) {
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QLatin1String(kStyle));
    build();
}

template <typename Action>
void MainFormWindow::forward(Action&& action) {
    action();
    emit actionForwarded();
}

QAction* MainFormWindow::addEntry(QMenu* menu, const char* name, void (*handler)(Client&)) {
    auto* action = menu->addAction(QString{});
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this,
            [this, handler] { forward([this, handler] { handler(client_); }); });
    entries_.push_back(action);
    return action;
}

void MainFormWindow::build() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 10);
    menuBar_ = new QMenuBar(this);
    mnuFile_ = menuBar_->addMenu(QString{});
    mnuFile_->setObjectName(QStringLiteral("mnuFile"));
    addEntry(mnuFile_, "mnuLogOff", [](Client& c) { c.mainWindow().cmdShutdown_Click(); });
    addEntry(mnuFile_, "mnuActivate", [](Client& c) { c.mainWindow().cmdActiver_Click(); });
    addEntry(mnuFile_, "mnuQuit", [](Client& c) { c.mainWindow().cmdQuit_Click(); });
    mnuTools_ = menuBar_->addMenu(QString{});
    mnuTools_->setObjectName(QStringLiteral("mnuTools"));
    addEntry(mnuTools_, "mnuOptions", [](Client& c) { c.mainWindow().mnuOptions_Click(); });
    mnuHelp_ = menuBar_->addMenu(QString{});
    mnuHelp_->setObjectName(QStringLiteral("mnuHelp"));
    addEntry(mnuHelp_, "mnuAbout", [](Client& c) { c.mainWindow().mnuAbout_Click(); });
    column->setMenuBar(menuBar_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 10, 12, 0);
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.png"))
                        .scaledToHeight(kLogoHeight, Qt::SmoothTransformation));
    body->addWidget(logo, 0, Qt::AlignTop);
    auto* grid = new QGridLayout;
    lbl0_ = new QLabel(this);
    lbl1_ = new QLabel(this);
    lblServerName_ = new QLabel(this);
    lblServerName_->setObjectName(QStringLiteral("lblServerName"));
    lblConnexionStatus_ = new QLabel(this);
    lblConnexionStatus_->setObjectName(QStringLiteral("lblConnexionStatus"));
    lblConnexionStatus_->setWordWrap(true);
    grid->addWidget(lbl0_, 0, 0);
    grid->addWidget(lblServerName_, 0, 1);
    grid->addWidget(lbl1_, 1, 0);
    grid->addWidget(lblConnexionStatus_, 1, 1);
    grid->setColumnStretch(1, 1);
    body->addLayout(grid, 1);
    column->addLayout(body);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 6, 12, 0);
    cmdActiver_ = block::makeButton(this, "cmdActiver");
    cmdShutdown_ = block::makeButton(this, "cmdShutdown");
    cmdQuit_ = block::makeButton(this, "cmdQuit");
    for (auto* button : {cmdActiver_, cmdShutdown_, cmdQuit_}) {
        buttons->addWidget(button, 1);
    }
    column->addLayout(buttons);
    auto& main = client_.mainWindow();
    connect(cmdActiver_, &QPushButton::clicked, this,
            [this, &main] { forward([&main] { main.cmdActiver_Click(); }); });
    connect(cmdShutdown_, &QPushButton::clicked, this,
            [this, &main] { forward([&main] { main.cmdShutdown_Click(); }); });
    connect(cmdQuit_, &QPushButton::clicked, this,
            [this, &main] { forward([&main] { main.cmdQuit_Click(); }); });
}

void MainFormWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program; the engine decides and saves its place.
    event->ignore();
    forward([this] { client_.mainWindow().Form_Unload(); });
}

void MainFormWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (placed_ && isVisible()) {
        client_.mainWindow().Form_Moved(status::twips(x()), status::twips(y()));
    }
}

void MainFormWindow::sync() {
    const auto& model = client_.context().forms.frmMain;
    if (!model.visible) {
        if (isVisible()) {
            hide();
        }
        placed_ = false;
        return;
    }
    const auto& t = model.texts;
    if (windowTitle() != sync::text(model.caption)) {
        setWindowTitle(sync::text(model.caption));
    }
    for (auto* menu : {mnuFile_, mnuTools_, mnuHelp_}) {
        const auto caption = sync::text(t.caption(menu->objectName().toStdString()));
        if (menu->title() != caption) {
            menu->setTitle(caption);
        }
    }
    for (auto* entry : entries_) {
        const auto caption = sync::text(t.caption(entry->objectName().toStdString()));
        if (entry->text() != caption) {
            entry->setText(caption);
        }
    }
    sync::setText(lbl0_, sync::text(t.caption("lbl0")));
    sync::setText(lbl1_, sync::text(t.caption("lbl1")));
    sync::setText(lblServerName_, sync::text(model.lblServerName));
    sync::setText(lblConnexionStatus_, sync::text(model.lblConnexionStatus));
    for (auto* button : {cmdActiver_, cmdShutdown_, cmdQuit_}) {
        const auto name = button->objectName().toStdString();
        sync::setText(button, sync::text(t.caption(name)));
        sync::setToolTip(button, sync::text(t.toolTip(name)));
    }
    sync::setEnabled(cmdActiver_, model.cmdActiverEnabled);
    if (!placed_) {
        resize(std::max(sizeHint().width(), status::pixels(model.width)), sizeHint().height());
        move(status::pixels(model.left), status::pixels(model.top));
        placed_ = true;
    }
    if (!isVisible()) {
        show();
        raise();
        activateWindow();
    }
}

} // namespace orvan
