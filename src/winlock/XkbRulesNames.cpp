#include "XkbRulesNames.h"

#include <algorithm>
#include <sstream>

namespace orvan::winlock {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

void addNamed(std::vector<std::string>& command, const char* flag, const std::string& value) {
    // An empty value is left out: the server's current (empty) one applies.
    if (!value.empty()) {
        command.insert(command.end(), {flag, value});
    }
}

} // namespace

std::optional<XkbRulesNames> XkbRulesNames::parse(const std::string& property) {
    auto fields = split(property, '\0');
    fields.resize(5);
    if (fields[0].empty()) {
        return std::nullopt;
    }
    return XkbRulesNames{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

bool XkbRulesNames::freesTheKeyboard(const std::string& option) {
    // Another server-keys choice would undo ours; "terminate:" ends the X server and
    // with it the lock; "grab:break_actions" lets a key chord break the grabs.
    return option.rfind("srvrkeys:", 0) == 0 || option.rfind("terminate:", 0) == 0 ||
           option == "grab:break_actions";
}

bool XkbRulesNames::breaksGrabs(const std::string& options) {
    const auto list = split(options, ',');
    return std::find(list.begin(), list.end(), "grab:break_actions") != list.end();
}

std::string XkbRulesNames::withoutServerKeys(const std::string& options) {
    std::string result;
    for (const auto& option : split(options, ',')) {
        if (!option.empty() && !freesTheKeyboard(option)) {
            result += option + ",";
        }
    }
    return result + "srvrkeys:none";
}

std::vector<std::string> XkbRulesNames::setxkbmapCommand(const std::string& newOptions) const {
    std::vector<std::string> command{"setxkbmap"};
    addNamed(command, "-rules", rules);
    addNamed(command, "-model", model);
    addNamed(command, "-layout", layout);
    addNamed(command, "-variant", variant);
    // The empty option first clears the server's list; the new list replaces it.
    command.insert(command.end(), {"-option", ""});
    addNamed(command, "-option", newOptions);
    return command;
}

} // namespace orvan::winlock
