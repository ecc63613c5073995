#pragma once

#include "model/FormModel.h"

#include <QWidget>
#include <functional>
#include <string>

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
    DialogWindow(Client& client, const char* name);

    // Brings the window up to date; `raiseAgain` puts it back on top after the lock
    // screen was raised over it.
    void sync(bool raiseAgain = false);

signals:
    void actionForwarded();

protected:
    virtual const FormModel& model() const = 0;
    // The controls follow the model; true when the window needs a new size.
    virtual bool syncContents() = 0;
    virtual void syncFocus() = 0;
    virtual void pressDefault() = 0;
    virtual void pressCancel() = 0;

    // Runs an engine action, then lets every window follow the model.
    void forward(const std::function<void()>& action);
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
    // pressCancel() and the other pressDefault().
    void addButtonRow(QPushButton*& primary, const char* primaryName, QPushButton*& cancel);
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
    QLabel* title_ = nullptr;
    QVBoxLayout* content_ = nullptr;
    bool overLock_ = false;
    bool flagsApplied_ = false;
    int lastFocus_ = -1;
};

} // namespace orvan
