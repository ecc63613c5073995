#include "InputActivity.h"

#include "EngineActivity.h"

#include <QEvent>

namespace orvan {

bool InputActivity::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Close:
        EngineActivity::note();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvan
