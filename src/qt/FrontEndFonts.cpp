#include "FrontEndFonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace orvan {
namespace {

QString firstInstalled(const QStringList& wanted) {
    const auto installed = QFontDatabase::families();
    for (const auto& family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return {};
}

} // namespace

QString FrontEndFonts::install() {
    const QStringList latin{"DejaVu Sans", "Noto Sans", "Liberation Sans", "FreeSans"};
    // Loma and Garuda are drawn to sit beside a sans Latin face; Noto last because
    // Debian splits Thai out of the main Noto package.
    const QStringList thai{"Loma",  "Garuda", "Noto Sans Thai", "Noto Sans Thai UI",
                           "Waree", "Umpush", "Tlwg Typo"};
    auto family = firstInstalled(latin);
    if (family.isEmpty()) {
        family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
    const auto thaiFamily = firstInstalled(thai);
    // The one face the status windows name, Arial, has metric twins in Debian: its text
    // then keeps the width it was laid out for. Without them it falls back like the rest.
    const auto arialTwin = firstInstalled({"Liberation Sans", "Arimo"});
    if (!arialTwin.isEmpty()) {
        QFont::insertSubstitution(QStringLiteral("Arial"), arialTwin);
    }

    if (!thaiFamily.isEmpty()) {
        QFont::insertSubstitutions(family, {thaiFamily});
        // Widgets that ask for the platform's own default, and rich-text messages that
        // name the faces they were written with, get the same fallback.
        const auto system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        for (const auto& generic :
             {system, QStringLiteral("Sans Serif"), QStringLiteral("MS Sans Serif"),
              QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
              QStringLiteral("Arial")}) {
            if (generic != family) {
                QFont::insertSubstitutions(generic, {family, thaiFamily});
            }
        }
    }
    QFont font(family);
    font.setPointSize(10);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
    return family;
}

} // namespace orvan
