#include "windowkit/fonts.h"

#include "windowkit/bundledfonts.h"

#include <QFont>
#include <QStringList>

namespace calibrix {

QFont uiFont(int pixelSize, bool bold) {
    loadBundledFonts();
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace calibrix
