// The floor for start-up: a bare Qt window, named Pict so that the benchmark's plugin ends the
// program at its first paint. With --text it also draws one line of text, which makes Qt load its
// font database as every window with words must.
#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstring>

namespace {

class Bare final : public QWidget {
public:
    explicit Bare(bool text) : text_(text) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (text_)
            QPainter(this).drawText(20, 20, QStringLiteral("Calibration"));
    }

private:
    bool text_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Bare w(argc > 1 && std::strcmp(argv[1], "--text") == 0);
    w.setObjectName(QStringLiteral("Pict"));
    w.resize(598, 482);
    w.show();
    return app.exec();
}
