#include "config/SettingsUpgrade.h"

#include "base/ErrorReporter.h"
#include "config/RegistrySettings.h"
#include "platform/SettingsStore.h"
#include "wire/Scrambler.h"
#include "wire/WireNumbers.h"

namespace orvan {
namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kVersionName = "Current Settings Version";
constexpr int kHeartBeatFloor = 30;

} // namespace

SettingsUpgrade::SettingsUpgrade(RegistrySettings& registry, ErrorReporter& errors,
                                 const Scrambler& scrambler, std::string appKey,
                                 const std::string& dataPath)
    : registry_(registry)
    , errors_(errors)
    , scrambler_(scrambler)
    , appKey_(std::move(appKey))
    , dataPath_(dataPath) {}

int SettingsUpgrade::funInitSettings(int target) {
    return errors_.trap("modFunctions.funInitSettingsError", OnError::PassOn, [&] {
        int version = target;
        if (registry_.keyExists(Hive::Machine, appKey_, kGeneral)) {
            const auto stored = registry_.GetRegSettings(appKey_, kGeneral, kVersionName, "0",
                                                         RegistrySettings::REG_SZ);
            try {
                version = static_cast<int>(WireNumbers{}.toInteger(stored, 16));
            } catch (const AppError& error) {
                // Re-running every step on an unknown version could scramble the
                // password twice; treat the settings as current instead.
                errors_.report(error, "modFunctions.funInitSettingsError", OnError::LogOnly);
                version = target;
            }
            while (version < target) {
                version = funSettingsUpgradeSteps(version);
            }
        }
        registry_.SetRegSettings(appKey_, kGeneral, kVersionName, std::to_string(version),
                                 RegistrySettings::REG_SZ);
        return version;
    });
}

int SettingsUpgrade::funSettingsUpgradeSteps(int version) {
    errors_.trap("modFunctions.funSettingsUpgradeStepsError(" + std::to_string(version) + ")",
                 OnError::LogOnly, [&] {
                     switch (version) {
                     case 0:
                         rescramblePassword();
                         break;
                     case 1:
                     case 2:
                         raiseHeartBeatCheck();
                         break;
                     case 3:
                         renameLogo();
                         break;
                     default:
                         break;
                     }
                 });
    return version + 1;
}

void SettingsUpgrade::rescramblePassword() {
    const auto stored =
        registry_.GetRegSettings(appKey_, kGeneral, "Password", "", RegistrySettings::REG_SZ);
    const auto plain = scrambler_.funDoOldXOR(stored, appKey_);
    registry_.SetRegSettings(appKey_, kGeneral, "Password", scrambler_.funDoXOR(plain, appKey_),
                             RegistrySettings::REG_SZ);
}

void SettingsUpgrade::raiseHeartBeatCheck() {
    const auto stored = registry_.GetRegSettings(appKey_, "Constants", "wksnHeartBeatCheck", "",
                                                 RegistrySettings::REG_SZ);
    const auto seconds = WireNumbers{}.parse(stored);
    if (!seconds || *seconds < kHeartBeatFloor) {
        registry_.SetRegSettings(appKey_, "Constants", "wksnHeartBeatCheck",
                                 std::to_string(kHeartBeatFloor), RegistrySettings::REG_SZ);
    }
}

void SettingsUpgrade::renameLogo() {
    const auto logo =
        registry_.GetRegSettings(appKey_, kGeneral, "Logo path", "", RegistrySettings::REG_SZ);
    if (logo == dataPath_ + "/logo.gif") {
        registry_.SetRegSettings(appKey_, kGeneral, "Logo path", dataPath_ + "/logo.png",
                                 RegistrySettings::REG_SZ);
    }
}

} // namespace orvan
