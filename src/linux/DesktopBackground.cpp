#include "DesktopBackground.h"

#include "LoadedCalls.h"

#include <gio/gio.h>
#include <memory>

namespace orvan {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";

// clang-format off
#define ORVAN_GIO_CALLS(X)                    \
    X(g_settings_schema_source_get_default)   \
    X(g_settings_schema_source_lookup)        \
    X(g_settings_schema_unref)                \
    X(g_settings_schema_has_key)              \
    X(g_settings_new_full)                    \
    X(g_settings_get_string)                  \
    X(g_settings_set_string)                  \
    X(g_settings_sync)                        \
    X(g_object_get)                           \
    X(g_object_unref)                         \
    X(g_filename_to_uri)                      \
    X(g_free)
// clang-format on

ORVAN_LIBRARY_CALLS(GioCalls, ORVAN_GIO_CALLS);
using Gio = LoadedCalls<GioCalls>;

// The desktop's settings library, loaded the first time the background is touched (at a
// session's end), not with the program: it brings half a dozen libraries of its own.
// It stays loaded: a type system, once registered, cannot be unloaded. Null when the
// library or one of its calls is missing.
const Gio* gio() {
    static const auto* const loaded = new Gio("libgio-2.0.so.0");
    return loaded->ok ? loaded : nullptr;
}

struct Unref {
    void operator()(GSettings* settings) const { gio()->g_object_unref(settings); }
};
using Settings = std::unique_ptr<GSettings, Unref>;

// Looked up first: creating settings of a schema that is not installed aborts.
Settings open(const Gio& gio) {
    GSettingsSchemaSource* source = gio.g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source != nullptr ? gio.g_settings_schema_source_lookup(source, kSchema, TRUE) : nullptr;
    if (schema == nullptr) {
        return nullptr;
    }
    Settings settings(gio.g_settings_new_full(schema, nullptr, nullptr));
    gio.g_settings_schema_unref(schema);
    return settings;
}

bool hasKey(const Gio& gio, GSettings* settings, const char* key) {
    GSettingsSchema* schema = nullptr;
    gio.g_object_get(settings, "settings-schema", &schema, nullptr);
    const bool has = schema != nullptr && gio.g_settings_schema_has_key(schema, key);
    if (schema != nullptr) {
        gio.g_settings_schema_unref(schema);
    }
    return has;
}

} // namespace

bool DesktopBackground::set(const std::string& picturePath) {
    const Gio* loaded = gio();
    if (loaded == nullptr) {
        return false;
    }
    const auto settings = open(*loaded);
    gchar* uri = loaded->g_filename_to_uri(picturePath.c_str(), nullptr, nullptr);
    if (!settings || uri == nullptr) {
        loaded->g_free(uri);
        return false;
    }
    bool done = loaded->g_settings_set_string(settings.get(), "picture-uri", uri) != 0;
    // The dark style has a picture of its own.
    if (hasKey(*loaded, settings.get(), "picture-uri-dark")) {
        done = loaded->g_settings_set_string(settings.get(), "picture-uri-dark", uri) != 0 && done;
    }
    loaded->g_settings_sync();
    loaded->g_free(uri);
    return done;
}

std::string DesktopBackground::current() {
    const Gio* loaded = gio();
    if (loaded == nullptr) {
        return {};
    }
    const auto settings = open(*loaded);
    if (!settings) {
        return {};
    }
    gchar* uri = loaded->g_settings_get_string(settings.get(), "picture-uri");
    std::string text = uri != nullptr ? uri : "";
    loaded->g_free(uri);
    return text;
}

} // namespace orvan
