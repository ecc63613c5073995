#include "DesktopBackground.h"

#include "SharedLibrary.h"

#include <gio/gio.h>
#include <memory>

namespace orvan {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";

// The desktop's settings library, loaded the first time the background is touched (at a
// session's end), not with the program: it brings half a dozen libraries of its own.
// It stays loaded: a type system, once registered, cannot be unloaded.
struct Gio {
    SharedLibrary library{"libgio-2.0.so.0"};
    decltype(&g_settings_schema_source_get_default) sourceGetDefault = nullptr;
    decltype(&g_settings_schema_source_lookup) sourceLookup = nullptr;
    decltype(&g_settings_schema_unref) schemaUnref = nullptr;
    decltype(&g_settings_schema_has_key) schemaHasKey = nullptr;
    decltype(&g_settings_new_full) settingsNew = nullptr;
    decltype(&g_settings_get_string) getString = nullptr;
    decltype(&g_settings_set_string) setString = nullptr;
    decltype(&g_settings_sync) sync = nullptr;
    decltype(&g_object_get) objectGet = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
    decltype(&g_filename_to_uri) filenameToUri = nullptr;
    decltype(&g_free) free = nullptr;

    // Null when the library or one of its functions is missing.
    static const Gio* get() {
        static const auto* const gio = load().release();
        return gio;
    }

private:
    static std::unique_ptr<Gio> load() {
        auto gio = std::make_unique<Gio>();
        const auto& l = gio->library;
        // clang-format off
        const bool bound = l.loaded() &&
            l.bind(gio->sourceGetDefault, "g_settings_schema_source_get_default") &&
            l.bind(gio->sourceLookup, "g_settings_schema_source_lookup") &&
            l.bind(gio->schemaUnref, "g_settings_schema_unref") &&
            l.bind(gio->schemaHasKey, "g_settings_schema_has_key") &&
            l.bind(gio->settingsNew, "g_settings_new_full") &&
            l.bind(gio->getString, "g_settings_get_string") &&
            l.bind(gio->setString, "g_settings_set_string") &&
            l.bind(gio->sync, "g_settings_sync") &&
            l.bind(gio->objectGet, "g_object_get") &&
            l.bind(gio->objectUnref, "g_object_unref") &&
            l.bind(gio->filenameToUri, "g_filename_to_uri") &&
            l.bind(gio->free, "g_free");
        // clang-format on
        return bound ? std::move(gio) : nullptr;
    }
};

struct Unref {
    void operator()(GSettings* settings) const { Gio::get()->objectUnref(settings); }
};
using Settings = std::unique_ptr<GSettings, Unref>;

// Looked up first: creating settings of a schema that is not installed aborts.
Settings open(const Gio& gio) {
    GSettingsSchemaSource* source = gio.sourceGetDefault();
    GSettingsSchema* schema = source != nullptr ? gio.sourceLookup(source, kSchema, TRUE) : nullptr;
    if (schema == nullptr) {
        return nullptr;
    }
    Settings settings(gio.settingsNew(schema, nullptr, nullptr));
    gio.schemaUnref(schema);
    return settings;
}

bool hasKey(const Gio& gio, GSettings* settings, const char* key) {
    GSettingsSchema* schema = nullptr;
    gio.objectGet(settings, "settings-schema", &schema, nullptr);
    const bool has = schema != nullptr && gio.schemaHasKey(schema, key);
    if (schema != nullptr) {
        gio.schemaUnref(schema);
    }
    return has;
}

} // namespace

bool DesktopBackground::set(const std::string& picturePath) {
    const Gio* gio = Gio::get();
    if (gio == nullptr) {
        return false;
    }
    const auto settings = open(*gio);
    gchar* uri = gio->filenameToUri(picturePath.c_str(), nullptr, nullptr);
    if (!settings || uri == nullptr) {
        gio->free(uri);
        return false;
    }
    bool done = gio->setString(settings.get(), "picture-uri", uri) != 0;
    // The dark style has a picture of its own.
    if (hasKey(*gio, settings.get(), "picture-uri-dark")) {
        done = gio->setString(settings.get(), "picture-uri-dark", uri) != 0 && done;
    }
    gio->sync();
    gio->free(uri);
    return done;
}

std::string DesktopBackground::current() {
    const Gio* gio = Gio::get();
    if (gio == nullptr) {
        return {};
    }
    const auto settings = open(*gio);
    if (!settings) {
        return {};
    }
    gchar* uri = gio->getString(settings.get(), "picture-uri");
    std::string text = uri != nullptr ? uri : "";
    gio->free(uri);
    return text;
}

} // namespace orvan
