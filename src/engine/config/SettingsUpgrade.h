#pragma once

#include <string>

namespace orvan {

class ErrorReporter;
class RegistrySettings;
class Scrambler;

// Brings stored settings of older versions up to the current layout, once, at start-up.
class SettingsUpgrade {
public:
    static constexpr int kCurrentVersion = 4;

    SettingsUpgrade(RegistrySettings& registry, ErrorReporter& errors, const Scrambler& scrambler,
                    std::string appKey, const std::string& dataPath);

    // Returns the version reached. A step that fails is logged and skipped, so that
    // it is not tried again at every start.
    int funInitSettings(int target = kCurrentVersion);
    // Performs the step from `version` and returns version + 1.
    int funSettingsUpgradeSteps(int version);

private:
    void rescramblePassword();
    void raiseHeartBeatCheck();
    void renameLogo();

    RegistrySettings& registry_;
    ErrorReporter& errors_;
    const Scrambler& scrambler_;
    std::string appKey_;
    const std::string& dataPath_; // known only once start-up has computed it
};

} // namespace orvan
