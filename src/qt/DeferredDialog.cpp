#include "DeferredDialog.h"

#include "model/FormModel.h"

#include <utility>

namespace orvan {

DeferredDialog::DeferredDialog(const FormModel& form, Make make, Made made)
    : form_(&form)
    , make_(std::move(make))
    , made_(std::move(made)) {}

DialogWindow& DeferredDialog::window() {
    if (window_ == nullptr) {
        window_ = make_();
        made_(*window_);
    }
    return *window_;
}

void DeferredDialog::sync(bool raiseAgain) {
    if (window_ == nullptr && !form_->loaded) {
        return;
    }
    window().sync(raiseAgain);
}

} // namespace orvan
