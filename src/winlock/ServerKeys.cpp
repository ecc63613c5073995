#include "ServerKeys.h"

#include "ChildProcess.h"
#include "LogSink.h"
#include "WindowProperty.h"

namespace orvan::winlock {

namespace {
constexpr std::chrono::seconds kSetxkbmapBound{5};
// Where the distribution installs it; never looked up on the caller's PATH.
const std::vector<std::string> kSetxkbmapPaths{"/usr/bin/setxkbmap", "/bin/setxkbmap"};

void reportMissing() {
    LogSink::report("setxkbmap is missing (package x11-xkb-utils): the server's own key "
                    "chords stay as they are");
}

// False, with a report, for anything but success.
bool judge(ChildProcess::Outcome outcome, const std::string& options) {
    switch (outcome) {
    case ChildProcess::Outcome::Succeeded:
        return true;
    case ChildProcess::Outcome::NotFound:
        reportMissing();
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

} // namespace

ServerKeys::~ServerKeys() {
    const std::lock_guard guard(mutex_);
    finishRestore();
}

bool ServerKeys::disable(XConnection& x) {
    const std::lock_guard guard(mutex_);
    requested_ = false;
    return disableLocked(x);
}

bool ServerKeys::request(XConnection& x) {
    const std::lock_guard guard(mutex_);
    const auto names = current(x);
    if (!names) {
        return false;
    }
    if (setxkbmap().empty()) {
        reportMissing();
        return false;
    }
    // The grabs keep every chord but these from the customer until the change is made.
    if (XkbRulesNames::breaksGrabs(names->options)) {
        requested_ = false;
        return disableLocked(x);
    }
    requested_ = true;
    return true;
}

bool ServerKeys::applyRequested(XConnection& x) {
    const std::lock_guard guard(mutex_);
    if (!requested_) {
        return true;
    }
    requested_ = !disableLocked(x);
    return !requested_;
}

bool ServerKeys::requested() {
    const std::lock_guard guard(mutex_);
    return requested_;
}

void ServerKeys::cancel() {
    const std::lock_guard guard(mutex_);
    requested_ = false;
}

bool ServerKeys::enable(XConnection& x) {
    const std::lock_guard guard(mutex_);
    requested_ = false;
    finishRestore();
    if (!savedOptions_) {
        return true;
    }
    const auto names = current(x);
    if (!names) {
        return false;
    }
    auto command = names->setxkbmapCommand(*savedOptions_);
    command.front() = setxkbmap();
    const auto started = ChildProcess::start(command);
    if (!started.running()) {
        return judge(started.outcome, *savedOptions_);
    }
    restoring_ = started.pid;
    return true;
}

bool ServerKeys::disableLocked(XConnection& x) {
    finishRestore();
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

// The user's options count as back only once setxkbmap said so; if it failed, the
// next enable tries again.
void ServerKeys::finishRestore() {
    if (restoring_ <= 0) {
        return;
    }
    const auto outcome = ChildProcess::finish(restoring_, kSetxkbmapBound);
    restoring_ = -1;
    if (judge(outcome, savedOptions_.value_or(""))) {
        savedOptions_.reset();
    }
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
    command.front() = setxkbmap();
    return judge(ChildProcess::run(command, kSetxkbmapBound), options);
}

std::string ServerKeys::setxkbmap() {
    return ChildProcess::find(kSetxkbmapPaths);
}

} // namespace orvan::winlock
