#pragma once

#include "model/FormModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace orvan {

class Client;

// What the program's dialogs share: they follow their model's loaded and visible
// flags, are modal, and stay above the lock screen while it is up, bypassing the
// window manager like the lock window so that they take the keyboard the lock library
// holds for the program. Enter and Escape are the model's to decide.
class DialogWindow : public QWidget {
    Q_OBJECT
public:
    // What Enter and Escape (and the close box) press; each runs through forward().
    struct Keys {
        std::function<void()> enter;
        std::function<void()> escape;
    };

    DialogWindow(Client& client, const char* name, const FormModel& form, Keys keys);

    // Brings the window up to date; `raiseAgain` puts it back on top after the lock
    // screen was raised over it.
    void sync(bool raiseAgain = false);

signals:
    void actionForwarded();

protected:
    // What the bindings below do not cover; true when the window needs a new size.
    virtual bool syncContents() { return false; }

    // The controls follow the model at every sync. A caption's new text may need a new
    // size; a field never does, and what is typed into it goes to `edited`.
    void bindText(QLabel* label, const std::string& text);
    void bindText(QAbstractButton* button, const std::string& text);
    void bindField(QLineEdit* field, const std::string& text,
                   std::function<void(const std::string&)> edited);
    void bindEnabled(QWidget* widget, const bool& enabled);
    void bindVisible(QWidget* widget, std::function<bool()> visible);
    void bindChecked(QAbstractButton* button, std::function<bool()> checked);
    // Anything else the window follows; `follow` says whether it needs a new size.
    void bind(std::function<bool()> follow) { bindings_.push_back(std::move(follow)); }
    // The focus goes to `target()` each time `requests` grows.
    void bindFocus(const int& requests, std::function<QWidget*()> target);

    // Runs an engine action, then lets every window follow the model.
    void forward(const std::function<void()>& action);
    void pressEnter() { forward(keys_.enter); }
    void pressEscape() { forward(keys_.escape); }
    // Moves the focus to `target` when the model's focus `key` changed since the last
    // move (typing must not jump back); a field's text is selected.
    void moveFocus(int key, QWidget* target);
    QVBoxLayout* content() const { return content_; }
    Client& client() const { return client_; }

    QLabel* makeLabel(const char* name, QWidget* parent = nullptr);
    QLineEdit* makeField(const char* name, bool password = false, QWidget* parent = nullptr);
    QPushButton* makeButton(const char* name, QWidget* parent = nullptr);
    QCheckBox* makeCheck(const char* name, QWidget* parent = nullptr);
    QRadioButton* makeOption(const char* name, QWidget* parent = nullptr);
    // A caption and a field beside it, added to the content.
    QLineEdit* addFieldRow(const char* labelName, QLabel*& label, const char* fieldName,
                           bool password);
    // The default button and Cancel, to the right of the content; Cancel presses
    // Escape's action and the other Enter's.
    void addButtonRow(QPushButton*& primary, const char* primaryName, QPushButton*& cancel);
    // The help line, the masked password and the two buttons of the quit and log-off
    // dialogs, bound to their forms' fields of the same names.
    template <typename Form, typename Dialog>
    void addExitPassword(const Form& form, Dialog& dialog) {
        auto* lblHelp = makeLabel("lblHelp");
        content()->addWidget(lblHelp);
        QLabel* lblPassword = nullptr;
        auto* txtPassword = addFieldRow("lblPassword", lblPassword, "txtPassword", true);
        QPushButton* cmdQuit = nullptr;
        QPushButton* cmdCancel = nullptr;
        addButtonRow(cmdQuit, "cmdQuit", cmdCancel);
        bindText(lblHelp, form.lblHelp);
        bindText(lblPassword, form.lblPassword);
        bindText(cmdQuit, form.cmdQuitCaption);
        bindText(cmdCancel, form.cmdCancelCaption);
        bindField(txtPassword, form.txtPassword,
                  [&dialog](const std::string& text) { dialog.txtPassword_Change(text); });
        bindFocus(form.focusRequests, [txtPassword]() -> QWidget* { return txtPassword; });
    }
    // Shows the server field's hint as the refusal while the model's text is the one
    // that refuses the address.
    void markServerHint(QLabel* hint, const std::string& text) const;
    // Marks the one button Enter presses.
    static void markDefault(std::initializer_list<QPushButton*> buttons, QPushButton* chosen);

    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool overLockScreen() const;
    void applyWindowFlags(bool overLock);
    void place();

    Client& client_;
    const FormModel& form_;
    Keys keys_;
    std::vector<std::function<bool()>> bindings_;
    std::function<void()> followFocus_;
    QLabel* title_ = nullptr;
    QVBoxLayout* content_ = nullptr;
    bool overLock_ = false;
    bool flagsApplied_ = false;
    int lastFocus_ = -1;
};

} // namespace orvan
