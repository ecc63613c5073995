#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvan {

// A language pack: the texts of one language, read from a pack file beside the
// program. The file is UTF-8 text:
//
//   [Language]
//   Name=ไทย
//   NameWestern=Thai
//   Translator=...
//   Charset=222
//   [Strings]
//   10000=...
//
// Lines starting with "#" or ";" are comments. Lines the reader does not understand
// are skipped, so a damaged pack loses only its damaged lines.
class clsResources {
public:
    static clsResources parse(std::string_view fileText);

    // Empty when the pack has no text for the id.
    std::string GetResStr(long id) const;
    std::string GetLangName() const { return name_; }
    std::string GetLangNameWestern() const { return nameWestern_; }
    std::string GetTradName() const { return translator_; }
    // Nothing when the pack does not say.
    std::optional<long> GetCharset() const { return charset_; }

private:
    std::map<long, std::string> texts_;
    std::string name_;
    std::string nameWestern_;
    std::string translator_;
    std::optional<long> charset_;
};

} // namespace orvan
