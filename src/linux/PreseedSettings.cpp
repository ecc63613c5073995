#include "PreseedSettings.h"

#include "IconvAnsiCodec.h"
#include "LinuxSystemInfo.h"
#include "RegistryFileStore.h"
#include "localization/StringTable.h"
#include "wire/Scrambler.h"

namespace orvan {

namespace {

bool writeAll(RegistryFileStore& store, Hive hive,
              std::initializer_list<std::pair<std::string, std::string>> values,
              const std::string& key) {
    for (const auto& [name, value] : values) {
        if (!store.write(hive, key, name, SettingValue{value})) {
            return false;
        }
    }
    return store.flush(hive);
}

} // namespace

bool PreseedSettings::write(const std::string& dataFolder, std::string& error) const {
    // The setup wizard refuses "#" in a workstation name; so do these answers.
    if (workstationName.find('#') != std::string::npos) {
        error = "a workstation name may not contain \"#\"";
        return false;
    }
    const std::string appKey{StringTable::text(10006)};
    const std::string software = "Software\\" + appKey + "\\";
    const std::string userFile =
        kioskAccount.empty() ? std::string{} : dataFolder + "/users/" + kioskAccount + ".reg";
    RegistryFileStore store(dataFolder + "/machine.reg", userFile);
    const IconvAnsiCodec codec(LinuxSystemInfo{}.ansiCodePage());
    const Scrambler scrambler(codec);
    const bool machine =
        writeAll(store, Hive::Machine,
                 {{"Workstation Name", workstationName},
                  {"Password", scrambler.funDoXOR(password, appKey)},
                  {"Config Wizard", "1"}},
                 software + "General") &&
        writeAll(store, Hive::Machine, {{"Name", serverName}}, software + "Server");
    if (!machine) {
        error = "cannot write " + dataFolder + "/machine.reg";
        return false;
    }
    if (!userFile.empty() &&
        !writeAll(store, Hive::User, {{"Config Wizard", "1"}}, software + "General")) {
        error = "cannot write " + userFile;
        return false;
    }
    return true;
}

} // namespace orvan
