#pragma once

#include <string>
#include <vector>

namespace orvan {

// Programs forbidden while a session runs without Internet, as the server set them.
struct Prohibitions {
    int closeInternetExplorer = 0; // each counts as on when 1
    int closeMozilla = 0;
    int closeNetscape = 0;
    int closeOutlookExpress = 0;
    std::vector<std::string> furtherNames;
};

// The server names Windows programs; this says which programs of this computer they
// stand for: the Windows name itself, and the browsers and mail programs that do
// the same work here.
class ProhibitedPrograms {
public:
    explicit ProhibitedPrograms(const Prohibitions& prohibitions);

    // Whether a program of this executable name (any case) is forbidden.
    bool forbids(const std::string& executable) const;
    bool any() const { return !names_.empty(); }

private:
    void add(const std::vector<const char*>& names);

    std::vector<std::string> names_; // lower case
};

} // namespace orvan
