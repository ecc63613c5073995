#include "tray/AboutBox.h"

#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "platform/Screen.h"

namespace orvan {
namespace {

constexpr long kWidthTwips = 6000;
constexpr long kHeightTwips = 3600;

} // namespace

AboutBox::AboutBox(EngineContext& context, AppVersion version)
    : context_(context)
    , version_(version)
    , credits_("Workstation client of the cafe.\r\n"
               "Built in C++ with Qt; Thai text in the TLWG fonts.\r\n"
               "Written by the OrvanClient developers.") {
    auto& about = context_.forms.frmAbout;
    about.width = kWidthTwips;
    about.height = kHeightTwips;
}

void AboutBox::subLocalizeInterface() {
    context_.forms.frmAbout.caption =
        context_.localization.funLoadResString(10000) + " - " + version_.text();
}

void AboutBox::showModal() {
    showCentred();
    auto& about = context_.forms.frmAbout;
    about.topMost = true;
    about.modal = true;
}

void AboutBox::showCentred() {
    subLocalizeInterface();
    auto& about = context_.forms.frmAbout;
    const auto& screen = context_.platform.screen;
    about.left = (screen.widthTwips() - about.width) / 2;
    about.top = (screen.heightTwips() - about.height) / 2;
    about.show();
    about.modal = false;
}

void AboutBox::cmdOK_Click() {
    context_.forms.frmAbout.unload();
}

} // namespace orvan
