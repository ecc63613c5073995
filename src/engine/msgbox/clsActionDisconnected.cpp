#include "msgbox/clsActionDisconnected.h"

#include "base/ErrorReporter.h"
#include "lockdown/AppControl.h"
#include "model/EngineContext.h"

namespace orvan {
void clsActionDisconnected::subExecuteCommandButton1() {
    context_.errors.trap("clsActionDisconnected.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             context_.workstation.setState(Workstation::kDisconnected);
                             // Forbidden programs close now and are kept closed from here on.
                             appControl_.subKillApps();
                             context_.timers.tmrAppKiller->setEnabled(true);
                         });
}

void clsActionDisconnected::subExecuteCommandButton2() {
    context_.errors.trap(
        "clsActionDisconnected.subExecuteCommandButton2Error", OnError::ShowUnlessLocked, [&] {
            if (auto* status = context_.forms.statusFormOf(context_.forms.frmMsgBox.mfrmParent)) {
                status->optDisconnected = false;
                status->optConnected = true;
            }
        });
}

} // namespace orvan
