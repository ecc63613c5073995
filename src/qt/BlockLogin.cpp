#include "BlockLogin.h"

#include "FrontEndMedia.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvan {
namespace {

using Control = BlockForm::Control;

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

} // namespace

BlockLogin::BlockLogin(QWidget* box, QWidget* window, Client& client,
                       const block::Forwarder& forward)
    : client_(client)
    , forward_(forward) {
    using block::makeField;
    using block::makeLabel;
    using block::makeOption;
    panel_ = new QWidget(box);
    panel_->setObjectName(QStringLiteral("fraControlsActive"));
    auto* column = new QVBoxLayout(panel_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    auto* lblKind = makeLabel(panel_, "lbl2", "panelTitle");
    lbl_[2] = lblKind;
    optCard_ = makeOption(panel_, "optCard");
    OptClient_ = makeOption(panel_, "OptClient");
    optSelfService_ = makeOption(panel_, "optSelfService");
    auto* kinds = new QHBoxLayout;
    kinds->setSpacing(14);
    kinds->addWidget(optCard_);
    kinds->addWidget(OptClient_);
    kinds->addWidget(optSelfService_);
    kinds->addStretch(1);
    column->addWidget(lblKind);
    column->addLayout(kinds);

    // The card number.
    fraCardNumber_ = new QWidget(panel_);
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
    fraClient_ = new QWidget(panel_);
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
    lbl_[3] = makeLabel(panel_, "lbl3", "panelTitle");
    optConnected_ = makeOption(panel_, "optConnected");
    optDisconnected_ = makeOption(panel_, "optDisconnected");
    auto* usage = new QHBoxLayout;
    usage->setSpacing(14);
    usage->addWidget(optConnected_);
    usage->addWidget(optDisconnected_);
    usage->addStretch(1);
    column->addSpacing(4);
    column->addWidget(lbl_[3]);
    column->addLayout(usage);
    cmdCxn_ = block::makeButton(panel_, "cmdCxn");
    cmdCxn_->setIconSize(QSize(32, 32));
    column->addSpacing(4);
    column->addWidget(cmdCxn_, 0, Qt::AlignHCenter);

    auto& login = client_.loginPanel();
    QObject::connect(optCard_, &QRadioButton::clicked, window,
                     [this, &login] { forward_([&login] { login.optCard_Click(); }); });
    QObject::connect(OptClient_, &QRadioButton::clicked, window,
                     [this, &login] { forward_([&login] { login.OptClient_Click(); }); });
    QObject::connect(optSelfService_, &QRadioButton::clicked, window,
                     [this, &login] { forward_([&login] { login.optSelfService_Click(); }); });
    QObject::connect(optConnected_, &QRadioButton::clicked, window,
                     [this, &login] { forward_([&login] { login.optConnected_Click(); }); });
    QObject::connect(optDisconnected_, &QRadioButton::clicked, window,
                     [this, &login] { forward_([&login] { login.optDisconnected_Click(); }); });
    QObject::connect(cmdCxn_, &QPushButton::clicked, window,
                     [this, &login] { forward_([&login] { login.cmdCxn_Click(); }); });
    for (auto* edit : {txtCardNum_, txtLogin_, txtPassword_}) {
        QObject::connect(edit, &QLineEdit::textEdited, window,
                         [this, edit](const QString& text) { onTextEdited(edit, text); });
        edit->installEventFilter(window);
    }
}

QWidget* BlockLogin::widgetFor(Control control) const {
    switch (control) {
    case Control::txtCardNum:
        return txtCardNum_;
    case Control::txtLogin:
        return txtLogin_;
    case Control::txtPassword:
        return txtPassword_;
    case Control::optConnected:
        return optConnected_;
    case Control::cmdCxn:
        return cmdCxn_;
    default:
        return nullptr;
    }
}

void BlockLogin::onTextEdited(QLineEdit* edit, const QString& text) {
    auto& login = client_.loginPanel();
    const auto value = text.toStdString();
    if (edit == txtPassword_) {
        forward_([&] { login.txtPassword_Change(value); });
        return;
    }
    const int caret = sync::characterIndex(text, edit->cursorPosition());
    int placed = caret;
    forward_([&] {
        placed = edit == txtCardNum_ ? login.txtCardNum_Change(value, caret)
                                     : login.txtLogin_Change(value, caret);
    });
    // The sync above put the filtered text in; the caret goes where the filter says.
    edit->setCursorPosition(sync::utf16Position(edit->text(), placed));
}

void BlockLogin::focusLeft(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut) {
        return;
    }
    auto& login = client_.loginPanel();
    if (watched == txtCardNum_) {
        forward_([&login] { login.txtCardNum_LostFocus(); });
    } else if (watched == txtLogin_) {
        forward_([&login] { login.txtLogin_LostFocus(); });
    }
}

bool BlockLogin::sync(const BlockForm& model) {
    using sync::text;
    bool changed = sync::setVisible(panel_, model.fraControlsActive);
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
    changed |= block::syncCaptions(lbl_, model);
    return changed;
}

} // namespace orvan
