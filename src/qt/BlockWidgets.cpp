#include "BlockWidgets.h"

#include "WidgetSync.h"
#include "model/BlockForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace orvan::block {
namespace {

// Calm dark surroundings, a light box with dark text inside: readable in a dim room.
// Labels in the box that have colours of their own name the box too: the box's label
// rule, with its id, would otherwise outrank them.
constexpr const char* kStyle = R"(
orvan--BlockWindow { background: #17212b; }
QFrame#fraHeader, QFrame#fraFooter { background: #0e151c; }
QFrame#fraHeader QLabel, QFrame#fraFooter QLabel, QFrame#fraNoServCnx QLabel { color: #dbe4ec; }
QLabel#lblWksnName { font-size: 15pt; font-weight: bold; }
QFrame#fraForm { background: #edf1f5; border: 1px solid #8fa3b6; border-radius: 10px; }
QFrame#fraForm QLabel, QFrame#fraForm QRadioButton { color: #1b2733; }
QFrame#fraForm QLabel.panelTitle { font-weight: bold; color: #24476b; }
QLabel.notice { font-size: 12pt; font-weight: bold; color: #1b2733; }
QFrame#fraForm QLabel.hint { background: #fff6d8; border: 1px solid #d8b860; border-radius: 3px; padding: 2px 6px; color: #4a3a00; }
QFrame#fraForm QLabel#lblCloseSessionWarning { color: #a12a1a; font-weight: bold; }
QTextBrowser#rtbMessage { background: #ffffff; border: 1px solid #c3ced9; border-radius: 4px; }
QLineEdit { background: #ffffff; color: #111; border: 1px solid #8fa3b6; border-radius: 3px; padding: 3px; }
QLineEdit:focus { border: 2px solid #2f7fd0; }
QLineEdit:disabled { background: #e0e5ea; color: #6b7785; }
QPushButton { background: #2f7fd0; color: white; border: none; border-radius: 5px; padding: 7px 18px; font-weight: bold; }
QPushButton:hover { background: #3a8de0; }
QPushButton:focus { border: 2px solid #0e2a48; }
QPushButton:default:enabled { border: 2px solid #f5c542; }
QPushButton:disabled { background: #a9b6c3; color: #eef2f5; }
QPushButton#cmdQuit0, QPushButton#cmdQuit1 { background: #5b6b7b; }
QComboBox { background: #243240; color: #dbe4ec; border: 1px solid #3c4e60; border-radius: 3px; padding: 2px 8px; min-width: 110px; }
QComboBox QAbstractItemView { background: #243240; color: #dbe4ec; selection-background-color: #2f7fd0; }
QFrame#lists { background: #0e151c; border: 1px solid #3c4e60; }
QFrame#lists QLabel { color: #dbe4ec; }
QListWidget { background: #1e2a36; color: #dbe4ec; border: none; }
QLabel#imgFollowServer { background: #000000; }
)";

} // namespace

QLatin1String styleSheet() {
    return QLatin1String(kStyle);
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* styleClass) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    if (styleClass != nullptr) {
        label->setProperty("class", QLatin1String(styleClass));
    }
    return label;
}

QRadioButton* makeOption(QWidget* parent, const char* name) {
    auto* option = new QRadioButton(parent);
    option->setObjectName(QLatin1String(name));
    // The engine decides which option holds; Qt must not switch the others itself.
    option->setAutoExclusive(false);
    return option;
}

QPushButton* makeButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLineEdit* makeField(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(200);
    return edit;
}

bool syncCaptions(const Captions& labels, const BlockForm& model) {
    bool changed = false;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i] != nullptr) {
            changed |= sync::setText(labels[i], sync::text(model.lbl[i].caption));
            changed |= sync::setVisible(labels[i], !model.lbl[i].caption.empty());
        }
    }
    return changed;
}

bool samePicture(const PictureBox& a, const PictureBox& b) {
    return a.file == b.file && a.backColor == b.backColor && a.png == b.png &&
           a.pngError == b.pngError;
}

} // namespace orvan::block
