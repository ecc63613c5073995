#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QWidget;

namespace orvan {

class Client;
class FrontEnd;

// Pictures of what a session shows: the three status windows for every session type,
// the chat pane closed and open, and the main window and the About box. Each status
// window is also drawn where it stands on desktops of 1024x768 and 1920x1080.
class SessionShots {
public:
    using Save = std::function<void(QWidget&, const QString&)>;

    SessionShots(Client& client, FrontEnd& frontEnd, QString output, Save save);

    // `language` names the files; the language itself is already in force.
    void run(const QString& language);

private:
    void openSession(int type, int state);
    void endSession();
    void settle();
    // The window at its place in the bottom-right corner of a desktop of `size`.
    void saveOnDesktop(QWidget& window, QSize size, const QString& name);

    Client& client_;
    FrontEnd& frontEnd_;
    QString output_;
    Save save_;
};

} // namespace orvan
