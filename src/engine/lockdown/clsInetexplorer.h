#pragma once

#include "platform/Browsers.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvan {

// The open browser and folder windows, numbered from 1, as found by the last refresh.
class clsInetexplorer {
public:
    // The maker's own links page: shown by the cafe, never reported, never forbidden.
    static constexpr std::string_view kLinksPage = "http://www.orvanetix.com/links/";

    explicit clsInetexplorer(Browsers& browsers)
        : browsers_(browsers) {}

    void Refresh() { entries_ = browsers_.browserWindows(); }
    int Count() const { return static_cast<int>(entries_.size()); }
    // Outside 1 to Count: 0 or empty text.
    std::uint64_t ItemhWnd(int index) const;
    std::string ItemCaption(int index) const;
    std::string ItemURL(int index) const;

private:
    const BrowserWindow* at(int index) const;

    Browsers& browsers_;
    std::vector<BrowserWindow> entries_;
};

} // namespace orvan
