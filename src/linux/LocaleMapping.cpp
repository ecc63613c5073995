#include "LocaleMapping.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orvan {
namespace {

constexpr int kUsEnglish = 1033;
constexpr int kWestern = 1252;

struct PosixLocale {
    std::string language;  // lower case
    std::string territory; // upper case
    std::string modifier;  // the script: "latin" in "sr_RS@latin"
};

// "ll_TT.codeset@modifier"; each part but the language may be missing.
PosixLocale parse(std::string_view name) {
    PosixLocale locale;
    if (const auto at = name.find('@'); at != std::string_view::npos) {
        // Only a script changes the identifier; "@euro" and the like do not.
        if (const auto modifier = name.substr(at + 1);
            modifier == "latin" || modifier == "cyrillic") {
            locale.modifier = modifier;
        }
        name = name.substr(0, at);
    }
    name = name.substr(0, name.find('.'));
    const auto separator = name.find_first_of("_-");
    for (const char c : name.substr(0, separator)) {
        locale.language += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (separator != std::string_view::npos) {
        for (const char c : name.substr(separator + 1)) {
            locale.territory += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return locale;
}

struct Language {
    std::string_view code;
    int mainId; // the identifier of the language where it is chiefly spoken
    int codePage;
};

// Languages Windows has no ANSI code page for (Armenian, Georgian, Hindi, Khmer, Lao)
// are listed with 1252 so that their identifier is still right.
constexpr std::array kLanguages{
    Language{"af", 1078, 1252},  Language{"ar", 1025, 1256}, Language{"az", 1068, 1254},
    Language{"be", 1059, 1251},  Language{"bg", 1026, 1251}, Language{"bs", 5146, 1250},
    Language{"ca", 1027, 1252},  Language{"cs", 1029, 1250}, Language{"cy", 1106, 1252},
    Language{"da", 1030, 1252},  Language{"de", 1031, 1252}, Language{"el", 1032, 1253},
    Language{"en", 1033, 1252},  Language{"es", 3082, 1252}, Language{"et", 1061, 1257},
    Language{"eu", 1069, 1252},  Language{"fa", 1065, 1256}, Language{"fi", 1035, 1252},
    Language{"fil", 1124, 1252}, Language{"fr", 1036, 1252}, Language{"ga", 2108, 1252},
    Language{"gl", 1110, 1252},  Language{"he", 1037, 1255}, Language{"hi", 1081, 1252},
    Language{"hr", 1050, 1250},  Language{"hu", 1038, 1250}, Language{"hy", 1067, 1252},
    Language{"id", 1057, 1252},  Language{"is", 1039, 1252}, Language{"it", 1040, 1252},
    Language{"ja", 1041, 932},   Language{"ka", 1079, 1252}, Language{"kk", 1087, 1251},
    Language{"km", 1107, 1252},  Language{"ko", 1042, 949},  Language{"ky", 1088, 1251},
    Language{"lo", 1108, 1252},  Language{"lt", 1063, 1257}, Language{"lv", 1062, 1257},
    Language{"mk", 1071, 1251},  Language{"mn", 1104, 1251}, Language{"ms", 1086, 1252},
    Language{"nb", 1044, 1252},  Language{"nl", 1043, 1252}, Language{"nn", 2068, 1252},
    Language{"no", 1044, 1252},  Language{"pl", 1045, 1250}, Language{"pt", 1046, 1252},
    Language{"ro", 1048, 1250},  Language{"ru", 1049, 1251}, Language{"sk", 1051, 1250},
    Language{"sl", 1060, 1250},  Language{"sq", 1052, 1250}, Language{"sr", 10266, 1251},
    Language{"sv", 1053, 1252},  Language{"sw", 1089, 1252}, Language{"th", 1054, 874},
    Language{"tr", 1055, 1254},  Language{"uk", 1058, 1251}, Language{"ur", 1056, 1256},
    Language{"uz", 1091, 1254},  Language{"vi", 1066, 1258}, Language{"zh", 2052, 936},
};

struct Variant {
    std::string_view language;
    std::string_view territory; // empty: any
    std::string_view modifier;  // empty: none
    int id;
};

// Territories (and scripts) whose identifier differs from the language's main one.
constexpr std::array kVariants{
    Variant{"ar", "IQ", "", 2049},       Variant{"ar", "EG", "", 3073},
    Variant{"ar", "LY", "", 4097},       Variant{"ar", "DZ", "", 5121},
    Variant{"ar", "MA", "", 6145},       Variant{"ar", "TN", "", 7169},
    Variant{"ar", "OM", "", 8193},       Variant{"ar", "YE", "", 9217},
    Variant{"ar", "SY", "", 10241},      Variant{"ar", "JO", "", 11265},
    Variant{"ar", "LB", "", 12289},      Variant{"ar", "KW", "", 13313},
    Variant{"ar", "AE", "", 14337},      Variant{"ar", "BH", "", 15361},
    Variant{"ar", "QA", "", 16385},      Variant{"de", "CH", "", 2055},
    Variant{"de", "AT", "", 3079},       Variant{"de", "LU", "", 4103},
    Variant{"de", "LI", "", 5127},       Variant{"en", "GB", "", 2057},
    Variant{"en", "AU", "", 3081},       Variant{"en", "CA", "", 4105},
    Variant{"en", "NZ", "", 5129},       Variant{"en", "IE", "", 6153},
    Variant{"en", "ZA", "", 7177},       Variant{"en", "JM", "", 8201},
    Variant{"en", "BZ", "", 10249},      Variant{"en", "TT", "", 11273},
    Variant{"en", "ZW", "", 12297},      Variant{"en", "PH", "", 13321},
    Variant{"en", "IN", "", 16393},      Variant{"en", "MY", "", 17417},
    Variant{"en", "SG", "", 18441},      Variant{"es", "MX", "", 2058},
    Variant{"es", "GT", "", 4106},       Variant{"es", "CR", "", 5130},
    Variant{"es", "PA", "", 6154},       Variant{"es", "DO", "", 7178},
    Variant{"es", "VE", "", 8202},       Variant{"es", "CO", "", 9226},
    Variant{"es", "PE", "", 10250},      Variant{"es", "AR", "", 11274},
    Variant{"es", "EC", "", 12298},      Variant{"es", "CL", "", 13322},
    Variant{"es", "UY", "", 14346},      Variant{"es", "PY", "", 15370},
    Variant{"es", "BO", "", 16394},      Variant{"es", "SV", "", 17418},
    Variant{"es", "HN", "", 18442},      Variant{"es", "NI", "", 19466},
    Variant{"es", "PR", "", 20490},      Variant{"es", "US", "", 21514},
    Variant{"fr", "BE", "", 2060},       Variant{"fr", "CA", "", 3084},
    Variant{"fr", "CH", "", 4108},       Variant{"fr", "LU", "", 5132},
    Variant{"fr", "MC", "", 6156},       Variant{"it", "CH", "", 2064},
    Variant{"nl", "BE", "", 2067},       Variant{"pt", "PT", "", 2070},
    Variant{"sr", "ME", "", 12314},      Variant{"sr", "ME", "latin", 11290},
    Variant{"sr", "", "latin", 9242},    Variant{"sv", "FI", "", 2077},
    Variant{"uz", "", "cyrillic", 2115}, Variant{"zh", "TW", "", 1028},
    Variant{"zh", "HK", "", 3076},       Variant{"zh", "SG", "", 4100},
    Variant{"zh", "MO", "", 5124},
};

const Language* findLanguage(const std::string& code) {
    const auto it = std::find_if(kLanguages.begin(), kLanguages.end(),
                                 [&](const Language& l) { return l.code == code; });
    return it == kLanguages.end() ? nullptr : &*it;
}

} // namespace

int LocaleMapping::localeId(std::string_view posixLocale) {
    const PosixLocale locale = parse(posixLocale);
    const Language* language = findLanguage(locale.language);
    if (language == nullptr) {
        return kUsEnglish;
    }
    for (const Variant& v : kVariants) {
        if (v.language == locale.language && v.modifier == locale.modifier &&
            (v.territory.empty() || v.territory == locale.territory)) {
            return v.id;
        }
    }
    return language->mainId;
}

int LocaleMapping::ansiCodePage(std::string_view posixLocale) {
    const PosixLocale locale = parse(posixLocale);
    const Language* language = findLanguage(locale.language);
    if (language == nullptr) {
        return kWestern;
    }
    // The few languages written in two scripts, or two Chinese character sets.
    if (locale.language == "zh" &&
        (locale.territory == "TW" || locale.territory == "HK" || locale.territory == "MO")) {
        return 950;
    }
    if (locale.language == "sr" && locale.modifier == "latin") {
        return 1250;
    }
    if (locale.language == "uz" && locale.modifier == "cyrillic") {
        return 1251;
    }
    return language->codePage;
}

std::string LocaleMapping::pictureFromStrftime(std::string_view format) {
    std::string picture;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            picture += format[i];
            continue;
        }
        // GNU flags: "-" and "_" drop the leading zero, which a picture says with a
        // single letter; widths and the other flags have no picture equivalent.
        bool unpadded = false;
        std::size_t j = i + 1;
        while (j < format.size() &&
               (std::string_view("_-0^#").find(format[j]) != std::string_view::npos ||
                std::isdigit(static_cast<unsigned char>(format[j])))) {
            unpadded = unpadded || format[j] == '-' || format[j] == '_';
            ++j;
        }
        // %E: the era's own year count, written in full (the Thai year 2567).
        // %O: alternative digits, same field.
        bool era = false;
        if (j < format.size() && (format[j] == 'E' || format[j] == 'O')) {
            era = format[j] == 'E';
            ++j;
        }
        if (j >= format.size()) {
            break;
        }
        i = j;
        const auto field = [&](const char* padded, const char* plain) {
            picture += unpadded ? plain : padded;
        };
        switch (format[j]) {
        case 'd':
            field("dd", "d");
            break;
        case 'e':
            picture += "d";
            break;
        case 'm':
            field("MM", "M");
            break;
        case 'y':
            picture += era ? "yyyy" : "yy";
            break;
        case 'Y':
            picture += "yyyy";
            break;
        case 'H':
            field("HH", "H");
            break;
        case 'k':
            picture += "H";
            break;
        case 'I':
            field("hh", "h");
            break;
        case 'l':
            picture += "h";
            break;
        case 'M':
            field("mm", "m");
            break;
        case 'S':
            field("ss", "s");
            break;
        case 'p':
        case 'P':
            picture += "tt";
            break;
        case 'D':
            picture += "MM/dd/yy";
            break;
        case 'F':
            picture += "yyyy-MM-dd";
            break;
        case 'T':
            picture += "HH:mm:ss";
            break;
        case 'r':
            picture += "hh:mm:ss tt";
            break;
        case 'R':
            picture += "HH:mm";
            break;
        case '%':
            picture += '%';
            break;
        default:
            break;
        }
    }
    return picture;
}

} // namespace orvan
