#include "BlockWindow.h"

#include "BlockMessage.h"
#include "BlockSurroundings.h"
#include "BlockWidgets.h"
#include "FrontEndMedia.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace orvan {
namespace {

using Control = BlockForm::Control;
using block::kGap;
using block::makeButton;
using block::makeField;
using block::makeLabel;
using block::makeOption;

constexpr double kTwipsPerInch = 1440.0;
// Used until the engine gives the box a size.
constexpr long kDefaultBoxWidthTwips = 7800;
constexpr long kDefaultBoxHeightTwips = 6600;

const char* connectPicture(int index) {
    switch (index) {
    case 2:
        return "cxn_member.png";
    case 3:
        return "cxn_selfservice.png";
    default:
        return "cxn_card.png";
    }
}

const char* indicatorPicture(int index) {
    switch (index) {
    case 2:
        return "indicator_searching_b.png";
    case 3:
        return "indicator_connected.png";
    default:
        return "indicator_searching_a.png";
    }
}

bool ctrlAltLeftClick(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto held = mouse->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    return mouse->button() == Qt::LeftButton && held == (Qt::ControlModifier | Qt::AltModifier);
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

BlockWindow::BlockWindow(Client& client, QScreen* screen)
    : QWidget(nullptr)
    , client_(client)
    , screen_(screen) {
    setObjectName(QStringLiteral("frmBlock"));
    setAttribute(Qt::WA_StyledBackground);
    // The window closer spares windows whose titles contain the program's name.
    setWindowTitle(QStringLiteral("Orvan"));
    setStyleSheet(block::styleSheet());
    build();
    applyWindowFlags(client_.context().forms.frmBlock.topMost);
    if (screen_ != nullptr) {
        setScreen(screen_);
        setGeometry(screen_->geometry());
    }
}

// The parts are complete only here.
BlockWindow::~BlockWindow() = default;

template <typename Action>
void BlockWindow::forward(Action&& action) {
    action();
    emit actionForwarded();
}

int BlockWindow::pixels(long twips) const {
    const double dpi = screen_ != nullptr && screen_->logicalDotsPerInch() > 0
                           ? screen_->logicalDotsPerInch()
                           : 96.0;
    return static_cast<int>(static_cast<double>(twips) * dpi / kTwipsPerInch + 0.5);
}

void BlockWindow::build() {
    // The header: the workstation's name centred, the language chooser at the right.
    header_ = new QFrame(this);
    header_->setObjectName(QStringLiteral("fraHeader"));
    auto* headerGrid = new QGridLayout(header_);
    headerGrid->setContentsMargins(kGap, 6, kGap, 6);
    lblWksnName_ = makeLabel(header_, "lblWksnName");
    lblWksnName_->setWordWrap(false);
    lblWksnName_->setAlignment(Qt::AlignCenter);
    cmbLanguage_ = new QComboBox(header_);
    cmbLanguage_->setObjectName(QStringLiteral("cmbLanguage"));
    cmbLanguage_->setFocusPolicy(Qt::ClickFocus);
    headerGrid->addWidget(lblWksnName_, 0, 1);
    headerGrid->addWidget(cmbLanguage_, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    headerGrid->setColumnStretch(0, 1);
    headerGrid->setColumnStretch(2, 1);
    connect(cmbLanguage_, &QComboBox::activated, this, [this](int index) {
        forward([this, index] { client_.lockScreenActions().cmbLanguage_Click(index); });
    });

    // The footer: the service spot, the contact line, the shop's own line.
    footer_ = new QFrame(this);
    footer_->setObjectName(QStringLiteral("fraFooter"));
    auto* footerRow = new QHBoxLayout(footer_);
    footerRow->setContentsMargins(8, 4, kGap, 4);
    picservice_ = makeLabel(footer_, "picservice");
    picservice_->setPixmap(FrontEndMedia::ownPicture("service.png"));
    picservice_->installEventFilter(this);
    label1_ = makeLabel(footer_, "Label1");
    label1_->setAlignment(Qt::AlignCenter);
    lblGNU_ = makeLabel(footer_, "lblGNU");
    lblGNU_->setWordWrap(false);
    footerRow->addWidget(picservice_);
    footerRow->addWidget(label1_, 1);
    footerRow->addWidget(lblGNU_);

    // The connection indicator, right under the header.
    indicator_ = new QFrame(this);
    indicator_->setObjectName(QStringLiteral("fraNoServCnx"));
    auto* indicatorRow = new QHBoxLayout(indicator_);
    indicatorRow->setContentsMargins(6, 2, 6, 2);
    imgNoServCnx_ = makeLabel(indicator_, "imgNoServCnx");
    lblstatus_ = makeLabel(indicator_, "lblstatus");
    lblstatus_->setWordWrap(false);
    indicatorRow->addWidget(imgNoServCnx_);
    indicatorRow->addWidget(lblstatus_);

    // The central box: logo, message, and the panel of the state.
    box_ = new QFrame(this);
    box_->setObjectName(QStringLiteral("fraForm"));
    auto* boxColumn = new QVBoxLayout(box_);
    boxColumn->setContentsMargins(22, 16, 22, 18);
    boxColumn->setSpacing(10);
    message_ = std::make_unique<BlockMessage>(box_, boxColumn, this, client_);

    fraControlsActive_ = buildLoginPanel();
    fraControlsBlocked_ = buildMessagePanel("fraControlsBlocked", {7, 6});
    fraControlsSessionEnd_ = buildMessagePanel("fraControlsSessionEnd", {8, 9});
    fraControlsNoMoreCredit_ = buildNoCreditPanel();
    fraControlsPaused_ = buildPausedPanel();
    fraControlsLocked_ = buildMessagePanel("fraControlsLocked", {0, 12});
    for (auto* panel : {fraControlsActive_, fraControlsBlocked_, fraControlsSessionEnd_,
                        fraControlsNoMoreCredit_, fraControlsPaused_, fraControlsLocked_}) {
        boxColumn->addWidget(panel);
        panel->hide();
    }

    surroundings_ = std::make_unique<BlockSurroundings>(this, client_);
}

QWidget* BlockWindow::buildLoginPanel() {
    auto* panel = new QWidget(box_);
    panel->setObjectName(QStringLiteral("fraControlsActive"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    lblKind_ = makeLabel(panel, "lbl2", "panelTitle");
    lbl_[2] = lblKind_;
    optCard_ = makeOption(panel, "optCard");
    OptClient_ = makeOption(panel, "OptClient");
    optSelfService_ = makeOption(panel, "optSelfService");
    auto* kinds = new QHBoxLayout;
    kinds->setSpacing(14);
    kinds->addWidget(optCard_);
    kinds->addWidget(OptClient_);
    kinds->addWidget(optSelfService_);
    kinds->addStretch(1);
    column->addWidget(lblKind_);
    column->addLayout(kinds);

    // The card number.
    fraCardNumber_ = new QWidget(panel);
    fraCardNumber_->setObjectName(QStringLiteral("fraCardNumber"));
    auto* cardGrid = new QGridLayout(fraCardNumber_);
    cardGrid->setContentsMargins(0, 4, 0, 0);
    fraCardNumberCaption_ = makeLabel(fraCardNumber_, "fraCardNumberCaption");
    fraCardNumberCaption_->setWordWrap(false);
    txtCardNum_ = makeField(fraCardNumber_, "txtCardNum");
    txtCardNumToolTip_ = makeLabel(fraCardNumber_, "txtCardNumToolTip", "hint");
    txtCardNumToolTip_->hide();
    cardGrid->addWidget(fraCardNumberCaption_, 0, 0);
    cardGrid->addWidget(txtCardNum_, 0, 1);
    cardGrid->addWidget(txtCardNumToolTip_, 1, 1);
    cardGrid->setColumnStretch(1, 1);
    column->addWidget(fraCardNumber_);

    // The member's login and password.
    fraClient_ = new QWidget(panel);
    fraClient_->setObjectName(QStringLiteral("fraClient"));
    auto* clientGrid = new QGridLayout(fraClient_);
    clientGrid->setContentsMargins(0, 4, 0, 0);
    lbl_[13] = makeLabel(fraClient_, "lbl13", "panelTitle");
    lbl_[14] = makeLabel(fraClient_, "lbl14");
    lbl_[15] = makeLabel(fraClient_, "lbl15");
    lbl_[14]->setWordWrap(false);
    lbl_[15]->setWordWrap(false);
    txtLogin_ = makeField(fraClient_, "txtLogin");
    txtPassword_ = makeField(fraClient_, "txtPassword");
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtLoginToolTip_ = makeLabel(fraClient_, "txtLoginToolTip", "hint");
    txtLoginToolTip_->hide();
    clientGrid->addWidget(lbl_[13], 0, 0, 1, 2);
    clientGrid->addWidget(lbl_[14], 1, 0);
    clientGrid->addWidget(txtLogin_, 1, 1);
    clientGrid->addWidget(txtLoginToolTip_, 2, 1);
    clientGrid->addWidget(lbl_[15], 3, 0);
    clientGrid->addWidget(txtPassword_, 3, 1);
    clientGrid->setColumnStretch(1, 1);
    column->addWidget(fraClient_);

    // Internet or not, and the connect button.
    lbl_[3] = makeLabel(panel, "lbl3", "panelTitle");
    optConnected_ = makeOption(panel, "optConnected");
    optDisconnected_ = makeOption(panel, "optDisconnected");
    auto* usage = new QHBoxLayout;
    usage->setSpacing(14);
    usage->addWidget(optConnected_);
    usage->addWidget(optDisconnected_);
    usage->addStretch(1);
    column->addSpacing(4);
    column->addWidget(lbl_[3]);
    column->addLayout(usage);
    cmdCxn_ = makeButton(panel, "cmdCxn");
    cmdCxn_->setIconSize(QSize(32, 32));
    column->addSpacing(4);
    column->addWidget(cmdCxn_, 0, Qt::AlignHCenter);

    auto& login = client_.loginPanel();
    connect(optCard_, &QRadioButton::clicked, this,
            [this, &login] { forward([&login] { login.optCard_Click(); }); });
    connect(OptClient_, &QRadioButton::clicked, this,
            [this, &login] { forward([&login] { login.OptClient_Click(); }); });
    connect(optSelfService_, &QRadioButton::clicked, this,
            [this, &login] { forward([&login] { login.optSelfService_Click(); }); });
    connect(optConnected_, &QRadioButton::clicked, this,
            [this, &login] { forward([&login] { login.optConnected_Click(); }); });
    connect(optDisconnected_, &QRadioButton::clicked, this,
            [this, &login] { forward([&login] { login.optDisconnected_Click(); }); });
    connect(cmdCxn_, &QPushButton::clicked, this,
            [this, &login] { forward([&login] { login.cmdCxn_Click(); }); });
    for (auto* edit : {txtCardNum_, txtLogin_, txtPassword_}) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, edit](const QString& text) { onTextEdited(edit, text); });
        edit->installEventFilter(this);
    }
    return panel;
}

QWidget* BlockWindow::buildMessagePanel(const char* name, std::initializer_list<int> labels) {
    auto* panel = new QWidget(box_);
    panel->setObjectName(QLatin1String(name));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    bool first = true;
    for (const int index : labels) {
        lbl_[index] = makeLabel(panel, "lbl", first ? "notice" : nullptr);
        lbl_[index]->setObjectName(QStringLiteral("lbl%1").arg(index));
        lbl_[index]->setAlignment(Qt::AlignCenter);
        column->addWidget(lbl_[index]);
        first = false;
    }
    return panel;
}

QWidget* BlockWindow::buildNoCreditPanel() {
    auto* panel = buildMessagePanel("fraControlsNoMoreCredit", {4, 5});
    auto* column = static_cast<QVBoxLayout*>(panel->layout());
    lblCloseSessionWarning_ = makeLabel(panel, "lblCloseSessionWarning");
    lblCloseSessionWarning_->setAlignment(Qt::AlignCenter);
    cmdReCnx_ = makeButton(panel, "cmdReCnx");
    cmdQuit_[0] = makeButton(panel, "cmdQuit0");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdReCnx_);
    buttons->addSpacing(kGap);
    buttons->addWidget(cmdQuit_[0]);
    buttons->addStretch(1);
    column->addWidget(lblCloseSessionWarning_);
    column->addSpacing(6);
    column->addLayout(buttons);
    auto& actions = client_.lockScreenActions();
    connect(cmdReCnx_, &QPushButton::clicked, this,
            [this, &actions] { forward([&actions] { actions.cmdReCnx_Click(); }); });
    connect(cmdQuit_[0], &QPushButton::clicked, this,
            [this, &actions] { forward([&actions] { actions.cmdQuit_Click(0); }); });
    return panel;
}

QWidget* BlockWindow::buildPausedPanel() {
    auto* panel = buildMessagePanel("fraControlsPaused", {11, 10});
    auto* column = static_cast<QVBoxLayout*>(panel->layout());
    cmdUnPause_ = makeButton(panel, "cmdUnPause");
    cmdQuit_[1] = makeButton(panel, "cmdQuit1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUnPause_);
    buttons->addSpacing(kGap);
    buttons->addWidget(cmdQuit_[1]);
    buttons->addStretch(1);
    column->addSpacing(6);
    column->addLayout(buttons);
    auto& actions = client_.lockScreenActions();
    connect(cmdUnPause_, &QPushButton::clicked, this,
            [this, &actions] { forward([&actions] { actions.cmdUnPause_Click(); }); });
    connect(cmdQuit_[1], &QPushButton::clicked, this,
            [this, &actions] { forward([&actions] { actions.cmdQuit_Click(1); }); });
    return panel;
}

void BlockWindow::onTextEdited(QLineEdit* edit, const QString& text) {
    auto& login = client_.loginPanel();
    const auto value = text.toStdString();
    if (edit == txtPassword_) {
        forward([&] { login.txtPassword_Change(value); });
        return;
    }
    const int caret = sync::characterIndex(text, edit->cursorPosition());
    int placed = caret;
    forward([&] {
        placed = edit == txtCardNum_ ? login.txtCardNum_Change(value, caret)
                                     : login.txtLogin_Change(value, caret);
    });
    // The sync above put the filtered text in; the caret goes where the filter says.
    edit->setCursorPosition(sync::utf16Position(edit->text(), placed));
}

bool BlockWindow::eventFilter(QObject* watched, QEvent* event) {
    // The parts' widgets already send events while the last part is being made.
    if (surroundings_ == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    auto& actions = client_.lockScreenActions();
    if (watched == message_->logo() && ctrlAltLeftClick(event)) {
        forward([&actions] { actions.picLogo_CtrlAltClick(); });
        return true;
    }
    if (watched == surroundings_->followPicture() && ctrlAltLeftClick(event)) {
        forward([&actions] { actions.imgFollowServer_CtrlAltClick(); });
        return true;
    }
    if (watched == picservice_ && event->type() == QEvent::MouseButtonDblClick) {
        forward([&actions] { actions.picservice_DblClick(); });
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        auto& login = client_.loginPanel();
        if (watched == txtCardNum_) {
            forward([&login] { login.txtCardNum_LostFocus(); });
        } else if (watched == txtLogin_) {
            forward([&login] { login.txtLogin_LostFocus(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BlockWindow::keyPressEvent(QKeyEvent* event) {
    if (!isEnter(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto held = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (held == (Qt::ControlModifier | Qt::AltModifier)) {
        forward([this] { client_.lockScreenActions().Form_CtrlAltEnter(); });
        return;
    }
    // Enter presses the button that has the focus, else the default button.
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button == nullptr) {
        button = buttonFor(client_.context().forms.frmBlock.defaultButton);
    }
    if (button != nullptr && button->isVisibleTo(this) && button->isEnabled()) {
        button->click();
    }
}

void BlockWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

QWidget* BlockWindow::widgetFor(Control control) const {
    switch (control) {
    case Control::txtCardNum:
        return txtCardNum_;
    case Control::txtLogin:
        return txtLogin_;
    case Control::txtPassword:
        return txtPassword_;
    case Control::optConnected:
        return optConnected_;
    default:
        return buttonFor(control);
    }
}

QPushButton* BlockWindow::buttonFor(Control control) const {
    switch (control) {
    case Control::cmdCxn:
        return cmdCxn_;
    case Control::cmdReCnx:
        return cmdReCnx_;
    case Control::cmdUnPause:
        return cmdUnPause_;
    case Control::cmdQuit0:
        return cmdQuit_[0];
    case Control::cmdQuit1:
        return cmdQuit_[1];
    default:
        return nullptr;
    }
}

bool BlockWindow::sync() {
    const auto& model = client_.context().forms.frmBlock;
    syncBands(model);
    syncLogin(model);
    syncPanels(model);
    dirty_ |= message_->sync(model);
    dirty_ |= surroundings_->sync(model);
    if (dirty_) {
        relayout();
    }
    const bool raised = syncWindowState(model);
    syncFocus(model);
    return raised;
}

WId BlockWindow::nativeWindowId() const {
    const QWindow* window = windowHandle();
    return window != nullptr && window->handle() != nullptr ? window->winId() : winId();
}

bool BlockWindow::syncWindowState(const BlockForm& model) {
    if (!(model.loaded && model.visible)) {
        if (isVisible()) {
            hide();
        }
        return false;
    }
    const bool flagsChanged = shownTopMost_ != model.topMost;
    if (flagsChanged) {
        applyWindowFlags(model.topMost);
    }
    if (!flagsChanged && isVisible()) {
        return false;
    }
    if (screen_ != nullptr) {
        setGeometry(model.topMost ? screen_->geometry() : screen_->availableGeometry());
    }
    show();
    raise();
    if (primary_) {
        activateWindow();
    }
    // Whatever had the focus before the window went away, give the model's back.
    lastFocus_ = Control::None;
    // Only now: the X window is made anew while it is shown, not when the flags change.
    if (const WId id = nativeWindowId(); id != nativeId_) {
        nativeId_ = id;
        emit nativeWindowChanged();
    }
    return true;
}

void BlockWindow::applyWindowFlags(bool topMost) {
    // Test mode ("-t") keeps the developer's windows reachable: an ordinary window.
    Qt::WindowFlags flags = Qt::Window;
    if (topMost) {
        flags |=
            Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    }
    setWindowFlags(flags);
    shownTopMost_ = topMost;
}

void BlockWindow::syncBands(const BlockForm& model) {
    using sync::text;
    bool changed = false;
    changed |= sync::setVisible(header_, model.fraHeaderVisible);
    changed |= sync::setVisible(footer_, model.fraFooterVisible);
    changed |= sync::setVisible(indicator_, model.fraHeaderVisible);
    changed |= sync::setText(lblWksnName_, text(model.lblWksnName));
    sync::setToolTip(lblWksnName_, text(model.lblWksnNameToolTip));
    changed |= sync::setText(label1_, text(model.Label1));
    changed |= sync::setText(lblGNU_, text(model.lblGNU));

    // The language chooser: rebuilt only when its entries change.
    bool sameEntries = cmbLanguage_->count() == static_cast<int>(model.cmbLanguage.size());
    for (int i = 0; sameEntries && i < cmbLanguage_->count(); ++i) {
        sameEntries = cmbLanguage_->itemText(i) == text(model.cmbLanguage[i].name);
    }
    if (!sameEntries) {
        const QSignalBlocker blocker(cmbLanguage_);
        cmbLanguage_->clear();
        for (const auto& entry : model.cmbLanguage) {
            cmbLanguage_->addItem(text(entry.name), entry.row);
        }
        changed = true;
    }
    if (cmbLanguage_->currentIndex() != model.cmbLanguageIndex) {
        const QSignalBlocker blocker(cmbLanguage_);
        cmbLanguage_->setCurrentIndex(model.cmbLanguageIndex);
    }
    sync::setVisible(cmbLanguage_, !model.cmbLanguage.empty());

    // The indicator's picture and text.
    const auto picture = QString::fromLatin1(indicatorPicture(model.imgCnxIndicator));
    if (imgNoServCnx_->property("picture").toString() != picture) {
        imgNoServCnx_->setPixmap(
            FrontEndMedia::ownPicture(indicatorPicture(model.imgCnxIndicator)));
        imgNoServCnx_->setProperty("picture", picture);
    }
    changed |= sync::setText(lblstatus_, text(model.lblCnxIndicator));
    sync::setToolTip(imgNoServCnx_, text(model.imgNoServCnxToolTip));
    sync::setToolTip(lblstatus_, text(model.imgNoServCnxToolTip));
    dirty_ |= changed;
}

void BlockWindow::syncLogin(const BlockForm& model) {
    using sync::text;
    bool changed = false;
    const auto option = [&changed](QRadioButton* button, const BlockForm::Option& value,
                                   const BlockForm::Caption& caption) {
        sync::setChecked(button, value.value);
        sync::setEnabled(button, value.enabled);
        changed |= sync::setText(button, text(caption.caption));
        sync::setToolTip(button, text(caption.toolTip));
    };
    option(optCard_, model.optCard, model.optCardText);
    option(OptClient_, model.OptClient, model.OptClientText);
    option(optSelfService_, model.optSelfService, model.optSelfServiceText);
    option(optConnected_, model.optConnected, model.optConnectedText);
    option(optDisconnected_, model.optDisconnected, model.optDisconnectedText);

    changed |= sync::setVisible(fraCardNumber_, model.fraCardNumberVisible);
    changed |= sync::setVisible(fraClient_, model.fraClientVisible);
    changed |= sync::setText(fraCardNumberCaption_, text(model.fraCardNumber.caption));

    // The card number hides behind the model's password character, when there is one.
    const auto mask = text(model.txtCardNumPasswordChar);
    const auto echo = mask.isEmpty() ? QLineEdit::Normal : QLineEdit::Password;
    if (txtCardNum_->echoMode() != echo) {
        txtCardNum_->setEchoMode(echo);
    }
    const auto maskStyle =
        mask.isEmpty()
            ? QString{}
            : QStringLiteral("lineedit-password-character: %1;").arg(mask.at(0).unicode());
    if (txtCardNum_->styleSheet() != maskStyle) {
        txtCardNum_->setStyleSheet(maskStyle);
    }

    const auto field = [](QLineEdit* edit, const std::string& value, bool enabled,
                          const BlockForm::Caption& caption) {
        sync::setText(edit, text(value));
        sync::setEnabled(edit, enabled);
        sync::setToolTip(edit, text(caption.toolTip));
    };
    field(txtCardNum_, model.txtCardNum, model.txtCardNumEnabled, model.txtCardNumText);
    field(txtLogin_, model.txtLogin, model.txtLoginEnabled, model.txtLoginText);
    field(txtPassword_, model.txtPassword, model.txtPasswordEnabled, model.txtPasswordText);

    changed |= sync::setText(txtCardNumToolTip_, text(model.txtCardNumToolTip));
    changed |= sync::setVisible(txtCardNumToolTip_, model.txtCardNumToolTipVisible);
    changed |= sync::setText(txtLoginToolTip_, text(model.txtLoginToolTip));
    changed |= sync::setVisible(txtLoginToolTip_, model.txtLoginToolTipVisible);

    changed |= sync::setText(cmdCxn_, text(model.cmdCxn.caption));
    sync::setToolTip(cmdCxn_, text(model.cmdCxn.toolTip));
    sync::setEnabled(cmdCxn_, model.cmdCxnEnabled);
    const auto picture = QString::fromLatin1(connectPicture(model.cmdCxnPicture));
    if (cmdCxn_->property("picture").toString() != picture) {
        cmdCxn_->setIcon(QIcon(FrontEndMedia::ownPicture(connectPicture(model.cmdCxnPicture))));
        cmdCxn_->setProperty("picture", picture);
    }
    dirty_ |= changed;
}

void BlockWindow::syncPanels(const BlockForm& model) {
    using sync::text;
    bool changed = false;
    changed |= sync::setVisible(box_, model.fraFormVisible);
    changed |= sync::setVisible(fraControlsActive_, model.fraControlsActive);
    changed |= sync::setVisible(fraControlsBlocked_, model.fraControlsBlocked);
    changed |= sync::setVisible(fraControlsSessionEnd_, model.fraControlsSessionEnd);
    changed |= sync::setVisible(fraControlsNoMoreCredit_, model.fraControlsNoMoreCredit);
    changed |= sync::setVisible(fraControlsPaused_, model.fraControlsPaused);
    changed |= sync::setVisible(fraControlsLocked_, model.fraControlsLocked);
    for (std::size_t i = 0; i < lbl_.size(); ++i) {
        if (lbl_[i] != nullptr) {
            changed |= sync::setText(lbl_[i], text(model.lbl[i].caption));
            changed |= sync::setVisible(lbl_[i], !model.lbl[i].caption.empty());
        }
    }
    changed |= sync::setText(lblCloseSessionWarning_, text(model.lblCloseSessionWarningText));
    changed |= sync::setVisible(lblCloseSessionWarning_, !model.lblCloseSessionWarningText.empty());
    changed |= sync::setText(cmdReCnx_, text(model.cmdReCnx.caption));
    sync::setToolTip(cmdReCnx_, text(model.cmdReCnx.toolTip));
    sync::setEnabled(cmdReCnx_, model.cmdReCnxEnabled);
    changed |= sync::setText(cmdUnPause_, text(model.cmdUnPause.caption));
    sync::setToolTip(cmdUnPause_, text(model.cmdUnPause.toolTip));
    for (auto* quit : cmdQuit_) {
        changed |= sync::setText(quit, text(model.cmdQuit.caption));
        sync::setToolTip(quit, text(model.cmdQuit.toolTip));
    }
    // Marked so the customer knows what Enter does; Enter itself is handled here.
    auto* defaultButton = buttonFor(model.defaultButton);
    for (auto* button : {cmdCxn_, cmdReCnx_, cmdUnPause_, cmdQuit_[0], cmdQuit_[1]}) {
        if (button->isDefault() != (button == defaultButton)) {
            button->setDefault(button == defaultButton);
        }
    }
    dirty_ |= changed;
}

void BlockWindow::syncFocus(const BlockForm& model) {
    // Only a change of the model's focus moves it: the customer may have clicked
    // elsewhere since, and typing must not jump.
    if (!primary_ || !isVisible() || model.focus == lastFocus_) {
        return;
    }
    auto* target = widgetFor(model.focus);
    if (target == nullptr || !target->isVisibleTo(this) || !target->isEnabled()) {
        // Not focusable yet (the field is still disabled): try again on the next sync.
        return;
    }
    lastFocus_ = model.focus;
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->selectAll();
    }
}

void BlockWindow::relayout() {
    dirty_ = false;
    const auto& model = client_.context().forms.frmBlock;
    const int width = this->width();
    const int height = this->height();

    surroundings_->placeFollowPicture(model);
    const int headerHeight = header_->isHidden() ? 0
                                                 : std::max(pixels(model.fraHeader.height),
                                                            header_->sizeHint().height());
    const int footerHeight = footer_->isHidden() ? 0
                                                 : std::max(pixels(model.fraFooter.height),
                                                            footer_->sizeHint().height());
    header_->setGeometry(0, 0, width, headerHeight);
    footer_->setGeometry(0, height - footerHeight, width, footerHeight);

    int top = headerHeight;
    if (!indicator_->isHidden()) {
        const auto hint = indicator_->sizeHint();
        indicator_->setGeometry((width - hint.width()) / 2, headerHeight + 4, hint.width(),
                                hint.height());
        top = indicator_->geometry().bottom() + 1;
    }
    const int bottom = height - footerHeight;
    const QRect band(kGap, top + kGap / 2, width - 2 * kGap, bottom - top - kGap);

    // The box: the engine's size, grown to what its content needs, within the band;
    // centred across, and vertically on the screen as far as the band allows.
    QRect boxRect;
    if (!box_->isHidden()) {
        const long wantedWidth =
            model.fraForm.width > 0 ? model.fraForm.width : kDefaultBoxWidthTwips;
        const long wantedHeight =
            model.fraForm.height > 0 ? model.fraForm.height : kDefaultBoxHeightTwips;
        const int boxWidth =
            std::min(std::max(pixels(wantedWidth), box_->minimumSizeHint().width()), band.width());
        const int needed = box_->hasHeightForWidth() ? box_->heightForWidth(boxWidth)
                                                     : box_->minimumSizeHint().height();
        const int boxHeight = std::min(std::max(pixels(wantedHeight), needed), band.height());
        const int boxTop = std::clamp((height - boxHeight) / 2, band.top(),
                                      std::max(band.top(), band.bottom() + 1 - boxHeight));
        boxRect = QRect((width - boxWidth) / 2, boxTop, boxWidth, boxHeight);
        box_->setGeometry(boxRect);
    }

    surroundings_->place(band, boxRect, model);
}

} // namespace orvan
