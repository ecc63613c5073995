#include "lockscreen/LockScreenLayout.h"

#include "base/AppError.h"
#include "base/ErrorReporter.h"
#include "model/EngineContext.h"
#include "platform/FileSystem.h"
#include "platform/Screen.h"
#include "platform/SystemInfo.h"

#include <algorithm>

namespace orvan {

LockScreenLayout::LockScreenLayout(EngineContext& context)
    : context_(context) {}

void LockScreenLayout::arrange() {
    auto& block = context_.forms.frmBlock;
    const auto& screen = context_.platform.screen;
    const long width = screen.widthTwips();
    const long height = screen.heightTwips();
    block.left = 0;
    block.top = 0;
    block.width = width;
    block.height = height;
    block.fraHeader = {0, 0, width, kHeaderHeight};
    block.fraFooter = {0, height - kFooterHeight, width, kFooterHeight};
    block.fraFollowServer = {0, 0, width, height};
    block.fraNoServCnx = {kMargin, kHeaderHeight + kMargin, kIndicatorWidth, kIndicatorHeight};
    // Centred between the top and the bottom of the screen; a screen smaller than the
    // box puts it at the top left rather than off the screen.
    block.fraForm = {std::max(0L, (width - kFormWidth) / 2),
                     std::max(0L, (height - kFormHeight) / 2), kFormWidth, kFormHeight};
}

void LockScreenLayout::loadKillList() {
    context_.errors.trap("frmBlock.subLoadKillListError", OnError::LogOnly, [&] {
        auto& list = context_.forms.frmBlock.List1;
        list.clear();
        const auto path = context_.platform.system.programFolder() + "/kill.txt";
        const auto text = context_.platform.files.read(path);
        if (!text) {
            throw AppError(53, "File not found: " + path);
        }
        std::size_t start = 0;
        while (start < text->size()) {
            auto end = text->find('\n', start);
            if (end == std::string::npos) {
                end = text->size();
            }
            auto line = text->substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty()) {
                list.push_back(line);
            }
            start = end + 1;
        }
    });
}

void LockScreenLayout::loadPictures() {
    auto& block = context_.forms.frmBlock;
    const auto folder = context_.platform.system.programFolder();
    for (int n = 1; n <= BlockForm::kPictureSlots; ++n) {
        const auto path = folder + "/" + std::to_string(n) + ".jpg";
        auto& slot = block.img[static_cast<std::size_t>(n - 1)];
        slot = context_.platform.files.exists(path) ? path : std::string{};
    }
}

} // namespace orvan
