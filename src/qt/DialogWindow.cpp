#include "DialogWindow.h"

#include "WidgetSync.h"
#include "client/Client.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace orvan {
namespace {

constexpr const char* kStyle = R"(
orvan--DialogWindow, QWidget#dialogPage { background: #edf1f5; }
QLabel { color: #1b2733; }
QLabel#title { background: #0e151c; color: #dbe4ec; font-weight: bold; padding: 6px 10px; }
QLabel[role="heading"] { font-size: 12pt; font-weight: bold; color: #0e2a48; }
QLabel[role="hint"] { color: #5b6b7b; }
QLabel[role="error"] { color: #b3261e; font-weight: bold; }
QLineEdit { background: #ffffff; color: #111; border: 1px solid #8fa3b6; border-radius: 3px; padding: 3px; }
QLineEdit:focus { border: 2px solid #2f7fd0; }
QLineEdit:disabled { background: #e0e5ea; color: #6b7785; }
QPushButton { background: #2f7fd0; color: white; border: none; border-radius: 5px; padding: 7px 22px; font-weight: bold; min-width: 90px; }
QPushButton:hover { background: #3a8de0; }
QPushButton:disabled { background: #a9b7c4; }
QPushButton:focus { border: 2px solid #0e2a48; }
QPushButton:default:enabled { border: 2px solid #f5c542; }
QPushButton[role="secondary"] { background: #5b6b7b; }
)";

} // namespace

DialogWindow::DialogWindow(Client& client, const char* name, const FormModel& form, Keys keys)
    : QWidget(nullptr)
    , client_(client)
    , form_(form)
    , keys_(std::move(keys)) {
    setObjectName(QLatin1String(name));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QLatin1String(kStyle));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // A title of our own: over the lock screen the window manager draws none.
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("title"));
    column->addWidget(title_);
    content_ = new QVBoxLayout;
    content_->setContentsMargins(16, 12, 16, 14);
    content_->setSpacing(8);
    column->addLayout(content_, 1);
}

void DialogWindow::bindText(QLabel* label, const std::string& text) {
    bindings_.emplace_back([label, &text] { return sync::setText(label, sync::text(text)); });
}

void DialogWindow::bindText(QAbstractButton* button, const std::string& text) {
    bindings_.emplace_back([button, &text] { return sync::setText(button, sync::text(text)); });
}

void DialogWindow::bindField(QLineEdit* field, const std::string& text,
                             std::function<void(const std::string&)> edited) {
    bindings_.emplace_back([field, &text] {
        sync::setText(field, sync::text(text));
        return false;
    });
    connect(field, &QLineEdit::textEdited, this,
            [this, edited = std::move(edited)](const QString& typed) {
                forward([&] { edited(typed.toStdString()); });
            });
}

void DialogWindow::bindEnabled(QWidget* widget, const bool& enabled) {
    bindings_.emplace_back([widget, &enabled] {
        sync::setEnabled(widget, enabled);
        return false;
    });
}

void DialogWindow::bindVisible(QWidget* widget, std::function<bool()> visible) {
    bindings_.emplace_back(
        [widget, visible = std::move(visible)] { return sync::setVisible(widget, visible()); });
}

void DialogWindow::bindChecked(QAbstractButton* button, std::function<bool()> checked) {
    bindings_.emplace_back([button, checked = std::move(checked)] {
        sync::setChecked(button, checked());
        return false;
    });
}

void DialogWindow::bindFocus(const int& requests, std::function<QWidget*()> target) {
    followFocus_ = [this, &requests, target = std::move(target)] { moveFocus(requests, target()); };
}

QLabel* DialogWindow::makeLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent != nullptr ? parent : this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QLineEdit* DialogWindow::makeField(const char* name, bool password, QWidget* parent) {
    auto* edit = new QLineEdit(parent != nullptr ? parent : this);
    edit->setObjectName(QLatin1String(name));
    if (password) {
        edit->setEchoMode(QLineEdit::Password);
    }
    return edit;
}

QPushButton* DialogWindow::makeButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent != nullptr ? parent : this);
    button->setObjectName(QLatin1String(name));
    // Enter is handled by the window, as the model says.
    button->setAutoDefault(false);
    return button;
}

QCheckBox* DialogWindow::makeCheck(const char* name, QWidget* parent) {
    auto* check = new QCheckBox(parent != nullptr ? parent : this);
    check->setObjectName(QLatin1String(name));
    return check;
}

QRadioButton* DialogWindow::makeOption(const char* name, QWidget* parent) {
    auto* option = new QRadioButton(parent != nullptr ? parent : this);
    option->setObjectName(QLatin1String(name));
    return option;
}

QLineEdit* DialogWindow::addFieldRow(const char* labelName, QLabel*& label, const char* fieldName,
                                     bool password) {
    auto* row = new QHBoxLayout;
    label = makeLabel(labelName);
    label->setWordWrap(false);
    auto* field = makeField(fieldName, password);
    row->addWidget(label);
    row->addWidget(field, 1);
    content_->addLayout(row);
    return field;
}

void DialogWindow::addButtonRow(QPushButton*& primary, const char* primaryName,
                                QPushButton*& cancel) {
    auto* row = new QHBoxLayout;
    primary = makeButton(primaryName);
    primary->setDefault(true);
    cancel = makeButton("cmdCancel");
    cancel->setProperty("role", QStringLiteral("secondary"));
    row->addStretch(1);
    row->addWidget(primary);
    row->addWidget(cancel);
    content_->addLayout(row);
    connect(primary, &QPushButton::clicked, this, [this] { pressEnter(); });
    connect(cancel, &QPushButton::clicked, this, [this] { pressEscape(); });
}

void DialogWindow::markServerHint(QLabel* hint, const std::string& text) const {
    const bool refused = text == client_.context().localization.funLoadResString(10366);
    const auto role = QLatin1String(refused ? "error" : "hint");
    if (hint->property("role").toString() != role) {
        hint->setProperty("role", role);
        // A dynamic property takes effect in the style sheet only when polished again.
        hint->style()->unpolish(hint);
        hint->style()->polish(hint);
    }
}

void DialogWindow::markDefault(std::initializer_list<QPushButton*> buttons, QPushButton* chosen) {
    for (auto* button : buttons) {
        if (button->isDefault() != (button == chosen)) {
            button->setDefault(button == chosen);
        }
    }
}

void DialogWindow::forward(const std::function<void()>& action) {
    action();
    emit actionForwarded();
}

void DialogWindow::moveFocus(int key, QWidget* target) {
    if (key == lastFocus_ || target == nullptr || !target->isVisibleTo(this) ||
        !target->isEnabled()) {
        return;
    }
    lastFocus_ = key;
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->selectAll();
    }
}

bool DialogWindow::overLockScreen() const {
    const auto& block = client_.context().forms.frmBlock;
    return form_.topMost || (block.loaded && block.visible && block.topMost);
}

void DialogWindow::applyWindowFlags(bool overLock) {
    Qt::WindowFlags flags = Qt::Dialog;
    if (overLock) {
        flags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                Qt::X11BypassWindowManagerHint;
    }
    setWindowFlags(flags);
    setWindowModality(Qt::ApplicationModal);
    title_->setVisible(overLock);
    overLock_ = overLock;
    flagsApplied_ = true;
}

void DialogWindow::place() {
    layout()->activate();
    resize(std::max(sizeHint().width(), minimumSizeHint().width()),
           std::max(sizeHint().height(), minimumSizeHint().height()));
    const auto* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void DialogWindow::sync(bool raiseAgain) {
    if (!(form_.loaded && form_.visible)) {
        sync::hide(this);
        lastFocus_ = -1;
        return;
    }
    const auto caption = sync::text(form_.caption);
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
    bool changed = sync::setText(title_, caption);
    for (const auto& binding : bindings_) {
        changed |= binding();
    }
    changed |= syncContents();
    const bool overLock = overLockScreen();
    const bool reshow = !flagsApplied_ || overLock != overLock_;
    if (reshow) {
        // New flags take effect only on a hidden window.
        hide();
        applyWindowFlags(overLock);
    }
    if (changed || reshow || !isVisible()) {
        place();
    }
    if (sync::showAndRaise(this, raiseAgain)) {
        lastFocus_ = -1;
    }
    if (followFocus_) {
        followFocus_();
    }
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        pressEnter();
    } else if (event->key() == Qt::Key_Escape) {
        pressEscape();
    } else {
        QWidget::keyPressEvent(event);
    }
}

bool DialogWindow::event(QEvent* event) {
    if (event->type() == QEvent::Close && form_.visible) {
        // The close box answers like Cancel; the model decides whether it closes.
        event->ignore();
        pressEscape();
        return true;
    }
    return QWidget::event(event);
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (overLock_) {
        // Without the window manager's frame the light window needs an edge of its own.
        QPainter painter(this);
        painter.setPen(QPen(QColor(0x2f, 0x7f, 0xd0), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

} // namespace orvan
