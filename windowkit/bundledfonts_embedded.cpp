#include "windowkit/bundledfonts.h"

#include <QFontDatabase>
#include <QString>

namespace calibrix {

// Liberation Sans, compiled in: Windows has Arial, with the same metrics, but not on every
// machine under that name and not in every version alike.
void loadBundledFonts() {
    static const bool loaded = [] {
        bool ok = true;
        for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"})
            ok = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") +
                                                   QLatin1String(file)) >= 0 &&
                 ok;
        return ok;
    }();
    Q_UNUSED(loaded);
}

} // namespace calibrix
