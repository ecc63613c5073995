#include "localization/Localization.h"

#include "base/ErrorReporter.h"
#include "base/Utf8.h"
#include "localization/StringTable.h"
#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"

#include <algorithm>

namespace orvan {
namespace {

// A locale id's primary language, and that of every English locale.
constexpr int kPrimaryLanguageMask = 0x3ff;
constexpr int kPrimaryEnglish = 0x09;
constexpr std::string_view kBuiltInName = "ไทย";
constexpr std::string_view kBuiltInNameWestern = "Thai (built-in)";

constexpr const char* kTokens[] = {"</resInsert1>", "</resInsert2>", "</resInsert3>",
                                   "</resInsert4>"};

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           Utf8::equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

} // namespace

Localization::Localization(FileSystem& files, const SystemInfo& system, ErrorReporter& errors)
    : files_(files)
    , system_(system)
    , errors_(errors) {
    setLanguages(builtInLanguage(), 0);
}

std::string Localization::builtInLanguage() const {
    return system_.programFileName() + "_en";
}

const clsResources* Localization::pack(const std::string& name) {
    // Nearly every lookup asks for the same language as the one before; map nodes stay
    // put and are never erased, so the last one found may be kept.
    if (lastPack_ != nullptr && name == lastPackName_) {
        return *lastPack_ ? &**lastPack_ : nullptr;
    }
    auto found = packs_.find(name);
    if (found == packs_.end()) {
        std::optional<clsResources> loaded;
        if (name != builtInLanguage()) {
            if (const auto text =
                    files_.read(system_.programFolder() + "/" + name + kPackExtension)) {
                loaded = clsResources::parse(*text);
            }
        }
        found = packs_.emplace(name, std::move(loaded)).first;
    }
    lastPackName_ = name;
    lastPack_ = &found->second;
    return found->second ? &*found->second : nullptr;
}

std::string Localization::lookup(const std::string& language, long id,
                                 const std::string* const* inserts, const char* location) {
    return errors_.trap(location, OnError::LogOnly, [&] {
        std::string text;
        if (const auto* resources = pack(language)) {
            text = resources->GetResStr(id);
        }
        if (text.empty()) {
            const auto builtIn = StringTable::find(static_cast<int>(id));
            if (!builtIn) {
                throw AppError(AppError::kInvalidCall,
                               "Resource with identifier " + std::to_string(id) + " not found");
            }
            text = std::string{*builtIn};
        }
        if (text.find("</") == std::string::npos) {
            return text; // most texts have no token at all
        }
        text = Utf8::replaceAll(text, "</resNewLine>", "\r\n");
        text = Utf8::replaceAll(text, "</resTab>", "\t");
        for (int i = 0; i < 4; ++i) {
            text = Utf8::replaceAll(text, kTokens[i], *inserts[i]);
        }
        return text;
    });
}

std::string Localization::funLoadResString(long id, const std::string& insert1,
                                           const std::string& insert2, const std::string& insert3,
                                           const std::string& insert4) {
    const std::string* const inserts[] = {&insert1, &insert2, &insert3, &insert4};
    return lookup(currentLanguage_, id, inserts, "modFunctions.funLoadResStringError");
}

std::string Localization::funLoadResStringDefault(long id, const std::string& insert1,
                                                  const std::string& insert2,
                                                  const std::string& insert3,
                                                  const std::string& insert4) {
    const std::string* const inserts[] = {&insert1, &insert2, &insert3, &insert4};
    return lookup(defaultLanguage_, id, inserts, "modFunctions.funLoadResStringDefaultError");
}

// A pack is read once: the table is made again at every load of the lock screen.
const clsResources* Localization::listedPack(const std::string& name, const std::string& file) {
    auto& slot = packs_[name];
    if (!slot) {
        // Under the file's own spelling of the extension, which pack() may have missed.
        if (const auto text = files_.read(system_.programFolder() + "/" + file)) {
            slot = clsResources::parse(*text);
        }
    }
    return slot ? &*slot : nullptr;
}

std::vector<Localization::LanguageRow> Localization::funFindLangPacks() {
    return errors_.trap("modGlobalFunctions.funFindLangPacksError", OnError::LogOnly, [&] {
        std::vector<LanguageRow> table;
        // The built-in table is mostly Thai, whatever it calls itself: the chooser must
        // not offer it as English beside the complete English pack.
        table.push_back({builtInLanguage(), std::string{kBuiltInName}, funLoadResString(10045), "0",
                         std::string{kBuiltInNameWestern}, "True"});
        const auto exe = system_.programFileName();
        auto names = files_.listFiles(system_.programFolder());
        std::sort(names.begin(), names.end());
        for (const auto& file : names) {
            const auto lower = Utf8::lowerAscii(file);
            const auto extension = lower.find(kPackExtension, exe.size());
            if (!startsWithIgnoreCase(file, exe) || extension == std::string::npos) {
                continue;
            }
            const auto name = file.substr(0, extension);
            const auto* listed = listedPack(name, file);
            if (listed == nullptr) {
                continue;
            }
            const auto& resources = *listed;
            const auto own = resources.GetLangName();
            if (own.empty()) {
                continue;
            }
            const bool greekLost = Utf8::lowerAscii(name).ends_with("el") && own.front() == '?';
            table.push_back({name, own, resources.GetTradName(),
                             std::to_string(resources.GetCharset().value_or(0)),
                             resources.GetLangNameWestern(), greekLost ? "False" : "True"});
        }
        return table;
    });
}

void Localization::subResetGUILanguage() {
    changeCurrentLanguage(defaultLanguage_, defaultCharset_);
}

void Localization::changeCurrentLanguage(const std::string& language, long charset) {
    currentLanguage_ = language;
    currentCharset_ = charset;
    if (localizeAll_) {
        localizeAll_();
    }
}

void Localization::setLanguages(const std::string& language, long charset) {
    defaultLanguage_ = language;
    defaultCharset_ = charset;
    currentLanguage_ = language;
    currentCharset_ = charset;
}

std::string Localization::suffixForLocale(int localeId) {
    switch (localeId) {
    case 1031:
    case 2055:
    case 3079:
    case 4103:
    case 5127:
        return "_de";
    case 1032:
        return "_el";
    case 1036:
    case 2060:
    case 3084:
    case 4108:
    case 5132:
    case 6156:
        return "_fr";
    case 1038:
        return "_hu";
    case 1040:
        return "_it";
    case 1043:
    case 2067:
        return "_nl";
    case 1046:
        return "_br";
    case 2058:
    case 3082:
    case 4106:
    case 5130:
    case 6154:
    case 7178:
    case 8202:
    case 9226:
    case 10250:
    case 11274:
    case 12298:
    case 13322:
    case 14346:
    case 15370:
    case 16394:
    case 17418:
    case 18442:
    case 19466:
    case 20490:
        return "_es";
    default:
        // English and the C locale get the complete English pack; the rest, Thai among
        // them, the built-in table.
        return (localeId & kPrimaryLanguageMask) == kPrimaryEnglish ? "_gb" : "_en";
    }
}

long Localization::charsetForLocale(int localeId) {
    return localeId == 1032 ? 160 : 0;
}

std::string Localization::messageFilePrefix(const std::string& language,
                                            const std::string& programName) {
    for (const char* code : {"en", "gb", "fr", "de", "es", "el", "it", "br", "hu", "nl"}) {
        if (language == programName + "_" + code) {
            return std::string{code} + "_";
        }
    }
    return {};
}

} // namespace orvan
