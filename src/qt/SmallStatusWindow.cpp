#include "SmallStatusWindow.h"

#include "BlockWidgets.h"
#include "StatusWidgets.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orvan {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const char* styleClass) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setProperty("class", QLatin1String(styleClass));
    return label;
}

// An icon button: the caption goes into the tool tip's company, the icon says it.
QPushButton* makeIconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* button = block::makeButton(parent, name);
    button->setIcon(parent->style()->standardIcon(icon));
    return button;
}

} // namespace

SmallStatusWindow::SmallStatusWindow(Client& client)
    : QWidget(nullptr)
    , client_(client) {
    setObjectName(QStringLiteral("frmSmallStatus"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(status::styleSheet());
    build();
    topMost_ = !client_.context().flags.blnTestMode;
    status::applyWindowFlags(this, topMost_, false);
    setFixedSize(status::pixels(kWidthTwips), status::pixels(kHeightTwips));
}

template <typename Action>
void SmallStatusWindow::forward(Action&& action) {
    action();
    emit actionForwarded();
}

void SmallStatusWindow::build() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(2);
    title_ = status::makeTitle(this);
    column->addWidget(title_);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 0, 6, 0);
    column->addLayout(row, 1);

    fraCard_ = new QFrame(this);
    fraCard_->setObjectName(QStringLiteral("fraCard"));
    auto* card = new QVBoxLayout(fraCard_);
    card->setContentsMargins(0, 0, 0, 0);
    card->setSpacing(0);
    lbl3_ = makeLabel(fraCard_, "lbl3", "hint");
    lblRemainTime_ = makeLabel(fraCard_, "lblRemainTime", "bigCounter");
    card->addWidget(lbl3_);
    card->addWidget(lblRemainTime_);
    row->addWidget(fraCard_, 1);

    fraSelfService_ = new QFrame(this);
    fraSelfService_->setObjectName(QStringLiteral("fraSelfService"));
    auto* selfService = new QGridLayout(fraSelfService_);
    selfService->setContentsMargins(0, 0, 0, 0);
    selfService->setSpacing(0);
    lblAmountDueLabel_ = makeLabel(fraSelfService_, "lblAmountDueLabel", "hint");
    lblAmountDue_ = makeLabel(fraSelfService_, "lblAmountDue", "bigCounter");
    lblTimeToNextIncrement_ = makeLabel(fraSelfService_, "lblTimeToNextIncrement", "hint");
    selfService->addWidget(lblAmountDueLabel_, 0, 0);
    selfService->addWidget(lblAmountDue_, 1, 0);
    selfService->addWidget(lblTimeToNextIncrement_, 1, 1, Qt::AlignBottom);
    row->addWidget(fraSelfService_, 1);

    cmdStatus_ = makeIconButton(this, "cmdStatus", QStyle::SP_TitleBarMaxButton);
    cmdPause_ = makeIconButton(this, "cmdPause", QStyle::SP_MediaPause);
    cmdQuit_ = makeIconButton(this, "cmdQuit", QStyle::SP_DialogCancelButton);
    for (auto* button : {cmdStatus_, cmdPause_, cmdQuit_}) {
        row->addWidget(button);
    }
    auto& windows = client_.statusWindows();
    connect(cmdStatus_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.frmSmallStatus_ShowFull(); }); });
    connect(cmdPause_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.frmSmallStatus_cmdPause_Click(); }); });
    connect(cmdQuit_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.frmSmallStatus_cmdQuit_Click(); }); });
    // A single click on the time to the next increment brings the full window back too.
    lblTimeToNextIncrement_->installEventFilter(this);
}

void SmallStatusWindow::closeEvent(QCloseEvent* event) {
    // Refused: the customer would lose the time and the way to end the session.
    event->ignore();
}

void SmallStatusWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Reaches here from the window, its frames and its labels alike.
    event->accept();
    forward([this] { client_.statusWindows().frmSmallStatus_ShowFull(); });
}

bool SmallStatusWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblTimeToNextIncrement_ && event->type() == QEvent::MouseButtonRelease) {
        forward([this] { client_.statusWindows().frmSmallStatus_ShowFull(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SmallStatusWindow::sync() {
    const auto& model = client_.context().forms.frmSmallStatus;
    if (!model.visible) {
        if (isVisible()) {
            hide();
        }
        applied_.forget();
        return;
    }
    // Which frame shows follows the full window's model, not this one.
    const bool selfService = client_.context().forms.frmStatus.fraSelfService;
    sync::setVisible(fraCard_, !selfService);
    sync::setVisible(fraSelfService_, selfService);
    if (!applied_.changed(model) && isVisible()) {
        status::placeBottomRight(this, status::pixels(kMarginTwips));
        return;
    }
    const auto& t = model.texts;
    sync::setText(title_, sync::text(model.caption));
    if (windowTitle() != sync::text(model.caption)) {
        setWindowTitle(sync::text(model.caption));
    }
    status::syncCaption(lbl3_, t.caption("lbl3"), t.toolTip("lbl3"));
    status::syncCaption(lblAmountDueLabel_, t.caption("lblAmountDueLabel"),
                        t.toolTip("lblAmountDueLabel"));
    for (auto* widget : std::initializer_list<QWidget*>{fraCard_, fraSelfService_, lblRemainTime_,
                                                        lblAmountDue_, lblTimeToNextIncrement_}) {
        sync::setToolTip(widget, sync::text(t.toolTip(widget->objectName().toStdString())));
    }
    for (auto* button : {cmdStatus_, cmdPause_, cmdQuit_}) {
        const auto name = button->objectName().toStdString();
        // The caption leads the tool tip: the buttons show icons only.
        sync::setToolTip(button, sync::text(t.caption(name) + " - " + t.toolTip(name)));
    }
    sync::setText(lblRemainTime_, sync::text(model.lblRemainTime));
    sync::setText(lblAmountDue_, sync::text(model.lblAmountDue));
    sync::setText(lblTimeToNextIncrement_, sync::text(model.lblTimeToNextIncrement));
    sync::setEnabled(cmdQuit_, model.cmdQuitEnabled);
    status::placeBottomRight(this, status::pixels(kMarginTwips));
    if (!isVisible()) {
        show();
    }
    status::followFocus(this, model);
}

} // namespace orvan
