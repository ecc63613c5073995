#pragma once

#include "platform/TrayIcon.h"

#include <QObject>
#include <memory>

class QIcon;
class QMenu;
class QPixmap;
class QSystemTrayIcon;

namespace orvan {

// The notification-area icon through QSystemTrayIcon. Qt's activation reasons stand for
// the mouse messages of the notify-icon callback: DoubleClick is the left double-click
// (515), Context the right button going down (516); the shift state is read from the
// keyboard at that moment. The popup menu is ours, so that its entries follow the
// engine's choice at each click.
class QtTrayIcon : public QObject, public TrayIcon {
    Q_OBJECT
public:
    QtTrayIcon();
    ~QtTrayIcon() override;

    bool available() const override;
    void add(Picture picture, const std::string& toolTip) override;
    void modify(Picture picture) override;
    void remove() override;
    void popup(const std::vector<TrayMenuEntry>& entries) override;
    void setHandlers(MouseHandler mouse, ChoiceHandler choice) override;

    // The two pictures, drawn here at 16 x 16 and larger for windows that show them.
    static QIcon picture(Picture which);
    static QPixmap drawn(Picture which, int size);
    QMenu* menu() const { return menu_.get(); }
    QSystemTrayIcon* icon() const { return icon_.get(); }

signals:
    // The engine has handled a click or a choice; the windows follow their models.
    void actionForwarded();

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::unique_ptr<QMenu> menu_;
    MouseHandler mouse_;
    ChoiceHandler choice_;
};

} // namespace orvan
