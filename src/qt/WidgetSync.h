#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <string>

// Setters that touch a widget only when the model's value differs from what it shows,
// so that re-syncing after every event neither flickers nor disturbs the customer's
// typing. Each returns whether something changed, for deciding on a new layout.
namespace orvan::sync {

inline QString text(const std::string& value) {
    return QString::fromStdString(value);
}

inline bool setText(QLabel* label, const QString& value) {
    if (label->text() == value) {
        return false;
    }
    label->setText(value);
    return true;
}

inline bool setText(QAbstractButton* button, const QString& value) {
    if (button->text() == value) {
        return false;
    }
    button->setText(value);
    return true;
}

// Never resets the text (and with it the caret) when it already equals the model.
inline bool setText(QLineEdit* edit, const QString& value) {
    if (edit->text() == value) {
        return false;
    }
    edit->setText(value);
    return true;
}

inline bool setToolTip(QWidget* widget, const QString& value) {
    if (widget->toolTip() == value) {
        return false;
    }
    widget->setToolTip(value);
    return true;
}

// Visibility relative to the parent: the window itself may still be hidden.
inline bool setVisible(QWidget* widget, bool visible) {
    if (widget->isHidden() != visible) {
        return false;
    }
    widget->setVisible(visible);
    return true;
}

inline bool setEnabled(QWidget* widget, bool enabled) {
    if (widget->isEnabled() == enabled) {
        return false;
    }
    widget->setEnabled(enabled);
    return true;
}

inline bool setChecked(QAbstractButton* button, bool checked) {
    if (button->isChecked() == checked) {
        return false;
    }
    button->setChecked(checked);
    return true;
}

// Hides a window the model has taken away.
inline void hide(QWidget* window) {
    if (window->isVisible()) {
        window->hide();
    }
}

// Shows a window the model wants up, on top and with the keyboard; one already shown
// comes to the top again only when `raiseAgain` (the lock screen was raised over it).
// True when it was newly shown.
inline bool showAndRaise(QWidget* window, bool raiseAgain) {
    const bool shown = !window->isVisible();
    if (shown) {
        window->show();
    }
    if (shown || raiseAgain) {
        window->raise();
        window->activateWindow();
    }
    return shown;
}

// Characters (code points, as the engine counts them) and QString positions differ
// only outside the Basic Multilingual Plane; both directions walk the text.
inline int characterIndex(const QString& text, int utf16Position) {
    int characters = 0;
    for (int i = 0; i < utf16Position && i < text.size(); ++i) {
        if (!text.at(i).isLowSurrogate()) {
            ++characters;
        }
    }
    return characters;
}

inline int utf16Position(const QString& text, int characterIndex) {
    int position = 0;
    for (int seen = 0; seen < characterIndex && position < text.size(); ++seen) {
        position += text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
    }
    return position;
}

} // namespace orvan::sync
