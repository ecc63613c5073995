#include "ServerKeys.h"

#include "ChildProcess.h"
#include "LogSink.h"
#include "WindowProperty.h"

namespace orvan::winlock {

namespace {
constexpr std::chrono::seconds kSetxkbmapBound{5};
// Where the distribution installs it; never looked up on the caller's PATH.
const std::vector<std::string> kSetxkbmapPaths{"/usr/bin/setxkbmap", "/bin/setxkbmap"};
} // namespace

bool ServerKeys::disable(XConnection& x) {
    const auto names = current(x);
    if (!names) {
        return false;
    }
    // Checked again on every call: a keyboard daemon may have put the user's
    // layout back meanwhile.
    const auto locked = XkbRulesNames::withoutServerKeys(names->options);
    if (locked == names->options) {
        return true;
    }
    if (!apply(*names, locked)) {
        return false;
    }
    if (!savedOptions_) {
        savedOptions_ = names->options;
    }
    return true;
}

bool ServerKeys::enable(XConnection& x) {
    if (!savedOptions_) {
        return true;
    }
    const auto names = current(x);
    if (!names || !apply(*names, *savedOptions_)) {
        return false;
    }
    savedOptions_.reset();
    return true;
}

std::optional<XkbRulesNames> ServerKeys::current(XConnection& x) {
    const auto names = XkbRulesNames::parse(WindowProperty::bytes(
        x.get(),
        WindowProperty::request(x.get(), x.root(), x.atom("_XKB_RULES_NAMES"), XCB_ATOM_STRING)));
    if (!names) {
        LogSink::report("the X server names no keymap rules (_XKB_RULES_NAMES): the server's "
                        "own key chords stay active");
    }
    return names;
}

bool ServerKeys::apply(const XkbRulesNames& names, const std::string& options) {
    auto command = names.setxkbmapCommand(options);
    command.front() = ChildProcess::find(kSetxkbmapPaths);
    switch (ChildProcess::run(command, kSetxkbmapBound)) {
    case ChildProcess::Outcome::Succeeded:
        return true;
    case ChildProcess::Outcome::NotFound:
        LogSink::report("setxkbmap is missing (package x11-xkb-utils): the server's own key "
                        "chords stay as they are");
        return false;
    case ChildProcess::Outcome::TimedOut:
        LogSink::report("setxkbmap did not finish in time and was stopped");
        return false;
    case ChildProcess::Outcome::Failed:
        break;
    }
    LogSink::report("setxkbmap failed to set the keymap options \"" + options + "\"");
    return false;
}

} // namespace orvan::winlock
