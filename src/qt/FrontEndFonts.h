#pragma once

#include <QString>

namespace orvan {

// Every text the windows show comes from the string table, Thai included, so the
// application font must be a family this machine has, with a Thai family behind it.
class FrontEndFonts {
public:
    // Chooses the sans family and its Thai fallback and makes them the application's
    // font; returns the family. Call once after the QApplication exists.
    static QString install();
};

} // namespace orvan
