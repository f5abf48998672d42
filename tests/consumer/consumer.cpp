// Qt first and with its keywords, as a Qt program usually starts.
#include <QApplication>
// Then Calibrix.
#include "allheaders.h"

bool keywordfreeconsumer();

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const calibrix::Stat window;
    std::int16_t flag = 1;
    const bool parsed = calibrix::parsenumber("1", flag) == 1.0f;
    const bool named = window.objectName() == QLatin1String("Stat");
    return parsed && named && keywordfreeconsumer() ? 0 : 1;
}
