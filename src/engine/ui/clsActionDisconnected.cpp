#include "ui/clsActionDisconnected.h"

#include "core/EngineContext.h"
#include "core/ErrorReporter.h"
#include "lockdown/AppControl.h"

namespace orvan {
namespace {

// The status window that asked, when the box's owner is one.
StatusForm* statusOwner(EngineContext& context) {
    auto& forms = context.forms;
    const FormModel* owner = forms.frmMsgBox.mfrmParent;
    for (auto* status : {&forms.frmStatus, &forms.frmSmallStatus, &forms.frmMicroStatus}) {
        if (owner == status) {
            return status;
        }
    }
    return nullptr;
}

} // namespace

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
    context_.errors.trap("clsActionDisconnected.subExecuteCommandButton2Error",
                         OnError::ShowUnlessLocked, [&] {
                             if (auto* status = statusOwner(context_)) {
                                 status->optDisconnected = false;
                                 status->optConnected = true;
                             }
                         });
}

} // namespace orvan
