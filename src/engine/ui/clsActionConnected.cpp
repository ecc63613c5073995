#include "ui/clsActionConnected.h"

#include "core/EngineContext.h"
#include "core/ErrorReporter.h"

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

void clsActionConnected::subExecuteCommandButton1() {
    context_.errors.trap("clsActionConnected.subExecuteCommandButton1Error",
                         OnError::ShowUnlessLocked, [&] {
                             context_.workstation.setState(Workstation::kConnected);
                             // Forbidden applications are a rule of disconnected usage only.
                             context_.timers.tmrAppKiller->setEnabled(false);
                         });
}

void clsActionConnected::subExecuteCommandButton2() {
    context_.errors.trap("clsActionConnected.subExecuteCommandButton2Error",
                         OnError::ShowUnlessLocked, [&] {
                             // The customer clicked the other option to ask; put the choice back.
                             if (auto* status = statusOwner(context_)) {
                                 status->optConnected = false;
                                 status->optDisconnected = true;
                             }
                         });
}

} // namespace orvan
