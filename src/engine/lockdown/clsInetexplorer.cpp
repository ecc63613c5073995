#include "lockdown/clsInetexplorer.h"

namespace orvan {

const BrowserWindow* clsInetexplorer::at(int index) const {
    if (index < 1 || index > Count()) {
        return nullptr;
    }
    return &entries_[static_cast<std::size_t>(index - 1)];
}

std::uint64_t clsInetexplorer::ItemhWnd(int index) const {
    const auto* entry = at(index);
    return entry != nullptr ? entry->window : 0;
}

std::string clsInetexplorer::ItemCaption(int index) const {
    const auto* entry = at(index);
    return entry != nullptr ? entry->caption : std::string{};
}

std::string clsInetexplorer::ItemURL(int index) const {
    const auto* entry = at(index);
    return entry != nullptr ? entry->address : std::string{};
}

} // namespace orvan
