#include "msgbox/clsActionConnected.h"

#include "base/ErrorReporter.h"
#include "model/EngineContext.h"

namespace orvan {
void clsActionConnected::subExecuteCommandButton1() {
    context_.errors.trap("clsActionConnected.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             context_.workstation.setState(Workstation::kConnected);
                             // Forbidden applications are a rule of disconnected usage only.
                             context_.timers.tmrAppKiller->setEnabled(false);
                         });
}

void clsActionConnected::subExecuteCommandButton2() {
    context_.errors.trap(
        "clsActionConnected.subExecuteCommandButton2Error", OnError::ShowUnlessLocked, [&] {
            // The customer clicked the other option to ask; put the choice back.
            if (auto* status = context_.forms.statusFormOf(context_.forms.frmMsgBox.mfrmParent)) {
                status->optConnected = false;
                status->optDisconnected = true;
            }
        });
}

} // namespace orvan
