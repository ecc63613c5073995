#pragma once

#include <QObject>

namespace orvan {

// Notes engine activity for every input event the application receives: whatever a
// widget hands the engine as the customer types or clicks is shown at the next wait,
// even from a widget that syncs nothing itself.
class InputActivity : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace orvan
