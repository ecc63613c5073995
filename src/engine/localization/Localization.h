#pragma once

#include "localization/clsResources.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvan {

class ErrorReporter;
class FileSystem;
class SystemInfo;

// Every text the workstation shows, looked up by number in the current language's
// pack and else in the built-in table; and the two languages in force: the current
// one (the customer may change it) and the default one the interface returns to.
class Localization {
public:
    // One row of the language table: pack name, own name, translator, character set,
    // name in Latin letters, and "True" when the own name can be displayed.
    using LanguageRow = std::array<std::string, 6>;

    static constexpr const char* kPackExtension = ".lang";

    Localization(FileSystem& files, const SystemInfo& system, ErrorReporter& errors);

    std::string funLoadResString(long id, const std::string& insert1 = {},
                                 const std::string& insert2 = {}, const std::string& insert3 = {},
                                 const std::string& insert4 = {});
    // The same in the default language: for texts sent to the manager.
    std::string funLoadResStringDefault(long id, const std::string& insert1 = {},
                                        const std::string& insert2 = {},
                                        const std::string& insert3 = {},
                                        const std::string& insert4 = {});

    std::vector<LanguageRow> funFindLangPacks();

    // Back to the default language, every loaded window relocalized.
    void subResetGUILanguage();
    // The customer's or the manager's choice; every loaded window is relocalized.
    void changeCurrentLanguage(const std::string& language, long charset);
    // Both languages at once (start-up, the manager's command).
    void setLanguages(const std::string& language, long charset);

    const std::string& currentLanguage() const { return currentLanguage_; }
    const std::string& defaultLanguage() const { return defaultLanguage_; }
    long currentCharset() const { return currentCharset_; }
    long defaultCharset() const { return defaultCharset_; }

    // Each loaded window's subLocalizeInterface; called on every change of language.
    void setLocalizeAll(std::function<void()> localizeAll) {
        localizeAll_ = std::move(localizeAll);
    }
    // Relocalizes every loaded window now (the settings they show have changed).
    void subLocalizeAll() {
        if (localizeAll_) {
            localizeAll_();
        }
    }

    // The built-in language's name.
    std::string builtInLanguage() const;
    // The suffix ("_fr") of the default language for a Windows locale identifier.
    static std::string suffixForLocale(int localeId);
    static long charsetForLocale(int localeId);
    // "fr_" when `language` is the program name + "_fr" (for the known suffixes), else "".
    static std::string messageFilePrefix(const std::string& language,
                                         const std::string& programName);

private:
    std::string lookup(const std::string& language, long id, const std::string* const* inserts,
                       const char* location);
    const clsResources* pack(const std::string& name);
    const clsResources* listedPack(const std::string& name, const std::string& file);

    FileSystem& files_;
    const SystemInfo& system_;
    ErrorReporter& errors_;
    std::string currentLanguage_;
    std::string defaultLanguage_;
    long currentCharset_ = 0;
    long defaultCharset_ = 0;
    std::map<std::string, std::optional<clsResources>> packs_;
    std::string lastPackName_;
    const std::optional<clsResources>* lastPack_ = nullptr;
    std::function<void()> localizeAll_;
};

} // namespace orvan
