// The same headers in a translation unit that turns Qt's keywords off, as Calibrix itself does.
#define QT_NO_KEYWORDS
#include <QWidget>
// Then Calibrix.
#include "allheaders.h"

bool keywordfreeconsumer() {
    const calibrix::PointTable table;
    return table.concValues().empty() && table.signalValues().empty();
}
