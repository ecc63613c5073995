#include "DesktopBackground.h"

#include <gio/gio.h>
#include <memory>

namespace orvan {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";

struct Unref {
    void operator()(GSettings* settings) const { g_object_unref(settings); }
};
using Settings = std::unique_ptr<GSettings, Unref>;

// Looked up first: creating settings of a schema that is not installed aborts.
Settings open() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source != nullptr ? g_settings_schema_source_lookup(source, kSchema, TRUE) : nullptr;
    if (schema == nullptr) {
        return nullptr;
    }
    Settings settings(g_settings_new_full(schema, nullptr, nullptr));
    g_settings_schema_unref(schema);
    return settings;
}

bool hasKey(GSettings* settings, const char* key) {
    GSettingsSchema* schema = nullptr;
    g_object_get(settings, "settings-schema", &schema, nullptr);
    const bool has = schema != nullptr && g_settings_schema_has_key(schema, key);
    if (schema != nullptr) {
        g_settings_schema_unref(schema);
    }
    return has;
}

} // namespace

bool DesktopBackground::set(const std::string& picturePath) {
    const auto settings = open();
    gchar* uri = g_filename_to_uri(picturePath.c_str(), nullptr, nullptr);
    if (!settings || uri == nullptr) {
        g_free(uri);
        return false;
    }
    bool done = g_settings_set_string(settings.get(), "picture-uri", uri) != 0;
    // The dark style has a picture of its own.
    if (hasKey(settings.get(), "picture-uri-dark")) {
        done = g_settings_set_string(settings.get(), "picture-uri-dark", uri) != 0 && done;
    }
    g_settings_sync();
    g_free(uri);
    return done;
}

std::string DesktopBackground::current() {
    const auto settings = open();
    if (!settings) {
        return {};
    }
    gchar* uri = g_settings_get_string(settings.get(), "picture-uri");
    std::string text = uri != nullptr ? uri : "";
    g_free(uri);
    return text;
}

} // namespace orvan
