#include "StatusWindow.h"

#include "BlockWidgets.h"
#include "StatusWidgets.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace orvan {
namespace {

// Wide enough for the Thai captions beside a counter of hours, minutes and seconds.
constexpr int kWidth = 330;
constexpr int kChatLines = 6;

QLabel* makeLabel(QWidget* parent, const QString& name, const char* styleClass = nullptr) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    if (styleClass != nullptr) {
        label->setProperty("class", QLatin1String(styleClass));
    }
    return label;
}

QFrame* makeBox(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setProperty("class", QLatin1String("box"));
    return frame;
}

QFrame* makeFrame(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

// A caption and its value on one row of `grid`.
void addRow(QGridLayout* grid, QLabel* caption, QWidget* value) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
}

QString historyText(const std::string& history) {
    return sync::text(history).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

StatusWindow::StatusWindow(Client& client)
    : QWidget(nullptr)
    , client_(client) {
    setObjectName(QStringLiteral("frmStatus"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(status::styleSheet());
    build();
    topMost_ = client_.context().forms.frmStatus.topMost;
    status::applyWindowFlags(this, topMost_, true);
}

template <typename Action>
void StatusWindow::forward(Action&& action) {
    action();
    emit actionForwarded();
}

void StatusWindow::build() {
    for (std::size_t i = 0; i < lbl_.size(); ++i) {
        lbl_[i] = makeLabel(this, QStringLiteral("lbl%1").arg(i));
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(6);
    // The window is always as tall as what it shows: frames and the chat pane come and go.
    column->setSizeConstraint(QLayout::SetFixedSize);
    title_ = status::makeTitle(this);
    title_->setFixedWidth(kWidth);
    column->addWidget(title_);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->setSpacing(6);
    body->addWidget(buildSession());
    body->addWidget(buildMode());
    body->addWidget(buildChat());
    body->addWidget(buildButtons());
    column->addLayout(body);
}

QFrame* StatusWindow::buildSession() {
    auto* fra = makeBox(this, "fra");
    auto* column = new QVBoxLayout(fra);
    column->setContentsMargins(8, 6, 8, 6);
    lbl_[4]->setProperty("class", QLatin1String("heading"));
    column->addWidget(lbl_[4]);
    const auto counter = [](QWidget* parent, const char* name, const char* kind = "counter") {
        auto* label = makeLabel(parent, QLatin1String(name), kind);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    };

    fraCard_ = makeFrame(fra, "fraCard");
    auto* card = new QGridLayout(fraCard_);
    card->setContentsMargins(0, 0, 0, 0);
    fraCardNum_ = makeFrame(fraCard_, "fraCardNum");
    auto* number = new QHBoxLayout(fraCardNum_);
    number->setContentsMargins(0, 0, 0, 0);
    lblNumCard_ = counter(fraCardNum_, "lblNumCard");
    number->addWidget(lbl_[0]);
    number->addWidget(lblNumCard_, 1);
    card->addWidget(fraCardNum_, 0, 0, 1, 2);
    lblRemainTime_ = counter(fraCard_, "lblRemainTime", "bigCounter");
    addRow(card, lbl_[3], lblRemainTime_);
    lblValidDate_ = counter(fraCard_, "lblValidDate");
    addRow(card, lbl_[2], lblValidDate_);
    lblValidTime_ = counter(fraCard_, "lblValidTime");
    card->addWidget(lblValidTime_, card->rowCount(), 1);
    column->addWidget(fraCard_);

    fraClient_ = makeFrame(fra, "fraClient");
    auto* member = new QGridLayout(fraClient_);
    member->setContentsMargins(0, 0, 0, 0);
    lblCliLogin_ = counter(fraClient_, "lblCliLogin");
    addRow(member, lbl_[1], lblCliLogin_);
    lblCliRemainTime_ = counter(fraClient_, "lblCliRemainTime", "bigCounter");
    addRow(member, lbl_[8], lblCliRemainTime_);
    lblCliValidDate_ = counter(fraClient_, "lblCliValidDate");
    addRow(member, lbl_[9], lblCliValidDate_);
    lblCliValidTime_ = counter(fraClient_, "lblCliValidTime");
    member->addWidget(lblCliValidTime_, member->rowCount(), 1);
    cmdCliPassword_ = block::makeButton(fraClient_, "cmdCliPassword");
    member->addWidget(cmdCliPassword_, member->rowCount(), 0, 1, 2, Qt::AlignRight);
    connect(cmdCliPassword_, &QPushButton::clicked, this,
            [this] { forward([this] { client_.statusWindows().cmdCliPassword_Click(); }); });
    column->addWidget(fraClient_);

    fraSelfService_ = makeFrame(fra, "fraSelfService");
    auto* selfService = new QGridLayout(fraSelfService_);
    selfService->setContentsMargins(0, 0, 0, 0);
    lblElapsedTimeSelfService_ = counter(fraSelfService_, "lblElapsedTimeSelfService");
    addRow(selfService, lbl_[5], lblElapsedTimeSelfService_);
    lblAmountDueLabel_ = makeLabel(fraSelfService_, QStringLiteral("lblAmountDueLabel"));
    lblAmountDue_ = counter(fraSelfService_, "lblAmountDue", "bigCounter");
    addRow(selfService, lblAmountDueLabel_, lblAmountDue_);
    lblTimeToNextIncrement_ = counter(fraSelfService_, "lblTimeToNextIncrement", "hint");
    selfService->addWidget(lblTimeToNextIncrement_, selfService->rowCount(), 1);
    column->addWidget(fraSelfService_);

    fraSelfServicePrePaid_ = makeFrame(fra, "fraSelfServicePrePaid");
    auto* prepaid = new QGridLayout(fraSelfServicePrePaid_);
    prepaid->setContentsMargins(0, 0, 0, 0);
    lblSelfServRemainTime_ = counter(fraSelfServicePrePaid_, "lblSelfServRemainTime", "bigCounter");
    addRow(prepaid, lbl_[11], lblSelfServRemainTime_);
    column->addWidget(fraSelfServicePrePaid_);
    return fra;
}

QFrame* StatusWindow::buildMode() {
    auto* frame = makeBox(this, "fraModeCnx");
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(8, 6, 8, 6);
    lbl_[6]->setProperty("class", QLatin1String("heading"));
    column->addWidget(lbl_[6]);
    optConnected_ = block::makeOption(frame, "optConnected");
    optDisconnected_ = block::makeOption(frame, "optDisconnected");
    column->addWidget(optConnected_);
    column->addWidget(optDisconnected_);
    // The engine asks first and decides which option holds.
    connect(optConnected_, &QRadioButton::pressed, this,
            [this] { forward([this] { client_.statusWindows().optConnected_MouseDown(); }); });
    connect(optDisconnected_, &QRadioButton::pressed, this,
            [this] { forward([this] { client_.statusWindows().optDisconnected_MouseDown(); }); });
    for (auto* option : {optConnected_, optDisconnected_}) {
        connect(option, &QRadioButton::clicked, this, [this] { sync(); });
    }
    return frame;
}

QFrame* StatusWindow::buildChat() {
    auto* holder = makeFrame(this, "fraChatHolder");
    auto* stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);

    fraChatClosed_ = makeBox(holder, "fraChatClosed");
    auto* strip = new QHBoxLayout(fraChatClosed_);
    strip->setContentsMargins(8, 2, 4, 2);
    lbl_[10]->setProperty("class", QLatin1String("heading"));
    strip->addWidget(lbl_[10], 1);
    cmdChatOpen_ = block::makeButton(fraChatClosed_, "cmdChatOpen");
    cmdChatOpen_->setProperty("class", QLatin1String("flat"));
    cmdChatOpen_->setText(QStringLiteral("\u25B2"));
    strip->addWidget(cmdChatOpen_);
    stack->addWidget(fraChatClosed_);

    fraChat_ = makeBox(holder, "fraChat");
    auto* pane = new QVBoxLayout(fraChat_);
    pane->setContentsMargins(8, 2, 4, 6);
    auto* heading = new QHBoxLayout;
    lbl_[7]->setProperty("class", QLatin1String("heading"));
    heading->addWidget(lbl_[7], 1);
    cmdChatClose_ = block::makeButton(fraChat_, "cmdChatClose");
    cmdChatClose_->setProperty("class", QLatin1String("flat"));
    cmdChatClose_->setText(QStringLiteral("\u25BC"));
    heading->addWidget(cmdChatClose_);
    pane->addLayout(heading);
    txtWksnChatHist_ = new QPlainTextEdit(fraChat_);
    txtWksnChatHist_->setObjectName(QStringLiteral("txtWksnChatHist"));
    txtWksnChatHist_->setReadOnly(true);
    txtWksnChatHist_->setFixedHeight(txtWksnChatHist_->fontMetrics().lineSpacing() * kChatLines +
                                     10);
    txtWksnChatHist_->viewport()->installEventFilter(this);
    pane->addWidget(txtWksnChatHist_);
    auto* input = new QHBoxLayout;
    txtWksnChat_ = new QLineEdit(fraChat_);
    txtWksnChat_->setObjectName(QStringLiteral("txtWksnChat"));
    cmdChat_ = block::makeButton(fraChat_, "cmdChat");
    // Only the size the button draws: the style's icon keeps a 128-pixel picture too.
    const int iconSize = style()->pixelMetric(QStyle::PM_ButtonIconSize, nullptr, cmdChat_);
    cmdChat_->setIcon(QIcon(style()
                                ->standardIcon(QStyle::SP_ArrowRight)
                                .pixmap(QSize(iconSize, iconSize), devicePixelRatio())));
    input->addWidget(txtWksnChat_, 1);
    input->addWidget(cmdChat_);
    pane->addLayout(input);
    stack->addWidget(fraChat_);

    lbl_[7]->installEventFilter(this);
    lbl_[10]->installEventFilter(this);
    auto& windows = client_.statusWindows();
    connect(cmdChatOpen_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.cmdChatOpen_Click(); }); });
    connect(cmdChatClose_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.cmdChatClose_Click(); }); });
    connect(txtWksnChat_, &QLineEdit::textEdited, this, [this, &windows](const QString& text) {
        forward([&windows, &text] { windows.txtWksnChat_Change(text.toStdString()); });
    });
    // Enter in the input presses cmdChat, the default button while the input has focus.
    connect(txtWksnChat_, &QLineEdit::returnPressed, cmdChat_, &QPushButton::click);
    connect(cmdChat_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.cmdChat_Click(); }); });
    return holder;
}

QWidget* StatusWindow::buildButtons() {
    auto* row = makeFrame(this, "fraButtons");
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    cmdClose_ = block::makeButton(row, "cmdClose");
    cmdPause_ = block::makeButton(row, "cmdPause");
    cmdQuit_ = block::makeButton(row, "cmdQuit");
    for (auto* button : {cmdClose_, cmdPause_, cmdQuit_}) {
        buttons->addWidget(button, 1);
    }
    auto& windows = client_.statusWindows();
    connect(cmdClose_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.cmdClose_Click(); }); });
    connect(cmdPause_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.cmdPause_Click(); }); });
    connect(cmdQuit_, &QPushButton::clicked, this,
            [this, &windows] { forward([&windows] { windows.cmdQuit_Click(); }); });
    return row;
}

void StatusWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    forward([this] { client_.statusWindows().Form_Close(); });
}

void StatusWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    status::placeBottomRight(this, 0);
}

bool StatusWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == lbl_[7] || watched == lbl_[10])) {
        forward([this] { client_.statusWindows().lblChat_DblClick(); });
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress && watched == txtWksnChatHist_->viewport()) {
        forward([this] { client_.statusWindows().txtWksnChatHist_Click(); });
    }
    return QWidget::eventFilter(watched, event);
}

bool StatusWindow::syncTexts(const StatusForm& model) {
    if (textsShown_ && textsShown_->controls == model.texts.controls &&
        captionShown_ == model.caption) {
        return false;
    }
    textsShown_ = model.texts;
    captionShown_ = model.caption;
    const auto& t = model.texts;
    bool changed = sync::setText(title_, sync::text(model.caption));
    if (windowTitle() != sync::text(model.caption)) {
        setWindowTitle(sync::text(model.caption));
    }
    for (std::size_t i = 0; i < lbl_.size(); ++i) {
        const auto name = "lbl" + std::to_string(i);
        changed |= status::syncCaption(lbl_[i], t.caption(name), t.toolTip(name));
    }
    changed |= status::syncCaption(lblAmountDueLabel_, t.caption("lblAmountDueLabel"),
                                   t.toolTip("lblAmountDueLabel"));
    changed |=
        sync::setToolTip(lblTimeToNextIncrement_, sync::text(t.toolTip("lblTimeToNextIncrement")));
    for (auto* button : {cmdCliPassword_, cmdClose_, cmdPause_, cmdQuit_}) {
        const auto name = button->objectName().toStdString();
        changed |= sync::setText(button, sync::text(t.caption(name)));
        changed |= sync::setToolTip(button, sync::text(t.toolTip(name)));
    }
    for (auto* button : {cmdChatOpen_, cmdChatClose_, cmdChat_}) {
        sync::setToolTip(button, sync::text(t.toolTip(button->objectName().toStdString())));
    }
    for (auto* option : {optConnected_, optDisconnected_}) {
        const auto name = option->objectName().toStdString();
        changed |= sync::setText(option, sync::text(t.caption(name)));
        changed |= sync::setToolTip(option, sync::text(t.toolTip(name)));
    }
    sync::setToolTip(txtWksnChatHist_, sync::text(t.toolTip("txtWksnChatHist")));
    sync::setToolTip(txtWksnChat_, sync::text(t.toolTip("txtWksnChat")));
    return changed;
}

bool StatusWindow::syncFrames(const StatusForm& model) {
    bool changed = sync::setVisible(fraCard_, model.fraCardNum);
    // The shorter card frame is the one without the card number.
    changed |= sync::setVisible(fraCardNum_, model.fraCardNumHeight > 795);
    changed |= sync::setVisible(fraClient_, model.fraClient);
    changed |= sync::setVisible(fraSelfService_, model.fraSelfService);
    changed |= sync::setVisible(fraSelfServicePrePaid_, model.fraPrepaidSelfService);
    changed |= sync::setVisible(fraChat_, model.fraChatVisible);
    changed |= sync::setVisible(fraChatClosed_, !model.fraChatVisible);
    changed |= sync::setVisible(lblTimeToNextIncrement_, !model.lblTimeToNextIncrement.empty());
    sync::setChecked(optConnected_, model.optConnected);
    sync::setChecked(optDisconnected_, model.optDisconnected);
    sync::setEnabled(optDisconnected_, model.optDisconnectedEnabled);
    sync::setEnabled(cmdQuit_, model.cmdQuitEnabled);
    sync::setEnabled(cmdChat_, model.cmdChatEnabled);
    sync::setEnabled(cmdCliPassword_, model.cmdCliPasswordEnabled);
    return changed;
}

void StatusWindow::syncCounters(const StatusForm& model) {
    const std::pair<QLabel*, const std::string*> counters[] = {
        {lblNumCard_, &model.lblNumCard},
        {lblRemainTime_, &model.lblRemainTime},
        {lblValidDate_, &model.lblValidDate},
        {lblValidTime_, &model.lblValidTime},
        {lblCliLogin_, &model.lblCliLogin},
        {lblCliRemainTime_, &model.lblCliRemainTime},
        {lblCliValidDate_, &model.lblCliValidDate},
        {lblCliValidTime_, &model.lblCliValidTime},
        {lblElapsedTimeSelfService_, &model.lblElapsedTimeSelfService},
        {lblAmountDue_, &model.lblAmountDue},
        {lblTimeToNextIncrement_, &model.lblTimeToNextIncrement},
        {lblSelfServRemainTime_, &model.lblSelfServRemainTime},
    };
    for (const auto& [label, value] : counters) {
        sync::setText(label, sync::text(*value));
    }
    sync::setToolTip(lblElapsedTimeSelfService_,
                     sync::text(model.lblElapsedTimeSelfServiceToolTip));
}

void StatusWindow::syncChat(const StatusForm& model) {
    if (chatShown_ != model.txtWksnChatHist) {
        chatShown_ = model.txtWksnChatHist;
        txtWksnChatHist_->setPlainText(historyText(model.txtWksnChatHist));
        // The newest line in sight.
        auto* bar = txtWksnChatHist_->verticalScrollBar();
        bar->setValue(bar->maximum());
    }
    sync::setText(txtWksnChat_, sync::text(model.txtWksnChat));
}

void StatusWindow::syncWindow(const StatusForm& model, bool resized) {
    if (topMost_ != model.topMost) {
        topMost_ = model.topMost;
        const bool wasVisible = isVisible();
        status::applyWindowFlags(this, topMost_, true);
        resized = true;
        if (!wasVisible) {
            hide();
        }
    }
    if (resized || !isVisible()) {
        layout()->activate();
        adjustSize();
    }
    status::placeBottomRight(this, 0);
    if (!isVisible()) {
        show();
    }
    if (model.txtWksnChatFocusRequests != focusRequestsSeen_) {
        focusRequestsSeen_ = model.txtWksnChatFocusRequests;
        if (model.fraChatVisible) {
            activateWindow();
            txtWksnChat_->setFocus(Qt::OtherFocusReason);
        }
    }
}

void StatusWindow::sync() {
    const auto& model = client_.context().forms.frmStatus;
    if (!model.loaded || !model.visible) {
        if (isVisible()) {
            hide();
        }
        focusRequestsSeen_ = model.txtWksnChatFocusRequests;
        applied_.forget();
        return;
    }
    if (!applied_.changed(model) && isVisible()) {
        // The work area may have changed under the window.
        status::placeBottomRight(this, 0);
        return;
    }
    bool resized = syncTexts(model);
    resized |= syncFrames(model);
    syncCounters(model);
    syncChat(model);
    syncWindow(model, resized);
    status::followFocus(this, model);
}

} // namespace orvan
