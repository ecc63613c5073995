#include "MicroStatusWindow.h"

#include "BlockWidgets.h"
#include "SmallStatusWindow.h"
#include "StatusWidgets.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {

MicroStatusWindow::MicroStatusWindow(Client& client)
    : QWidget(nullptr)
    , client_(client) {
    setObjectName(QStringLiteral("frmMicroStatus"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(status::styleSheet());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 6);
    title_ = status::makeTitle(this);
    column->addWidget(title_);
    cmdQuit_ = block::makeButton(this, "cmdQuit");
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(cmdQuit_);
    column->addLayout(row);
    connect(cmdQuit_, &QPushButton::clicked, this, [this] {
        client_.statusWindows().frmMicroStatus_cmdQuit_Click();
        emit actionForwarded();
    });
    status::applyWindowFlags(this, !client_.context().flags.blnTestMode, false);
    setFixedSize(status::pixels(kWidthTwips), status::pixels(kHeightTwips));
}

void MicroStatusWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void MicroStatusWindow::sync() {
    const auto& model = client_.context().forms.frmMicroStatus;
    if (!model.visible) {
        if (isVisible()) {
            hide();
        }
        applied_.forget();
        return;
    }
    if (!applied_.changed(model) && isVisible()) {
        status::placeBottomRight(this, status::pixels(SmallStatusWindow::kMarginTwips));
        return;
    }
    sync::setText(title_, sync::text(model.caption));
    if (windowTitle() != sync::text(model.caption)) {
        setWindowTitle(sync::text(model.caption));
    }
    sync::setText(cmdQuit_, sync::text(model.texts.caption("cmdQuit")));
    sync::setToolTip(cmdQuit_, sync::text(model.texts.toolTip("cmdQuit")));
    sync::setEnabled(cmdQuit_, model.cmdQuitEnabled);
    status::placeBottomRight(this, status::pixels(SmallStatusWindow::kMarginTwips));
    if (!isVisible()) {
        show();
    }
    status::followFocus(this, model);
}

} // namespace orvan
