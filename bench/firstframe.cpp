// A Qt plugin that ends any program as the widget named "Pict" paints for the first time, so that
// the start-up benchmark times the real programs as they are, main() included. Load it with
// QT_PLUGIN_PATH=<build>/bench/plugins QT_QPA_GENERIC_PLUGINS=firstframe. The frame still goes
// out; what a window defers past it, which is not start-up, does not run. With STARTUP_STAGES
// set it prints when the window showed and the plot painted, in ms since Qt loaded the plugin.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGenericPlugin>
#include <cstdio>

namespace {

class FirstFrame final : public QObject {
public:
    FirstFrame() : stages_(qEnvironmentVariableIsSet("STARTUP_STAGES")) { clock_.start(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !shown_ && watched->isWidgetType()) {
            shown_ = true;
            stage("a window shows");
        }
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("Pict")) {
            stage("the plot paints");
            QCoreApplication::quit();
        }
        return false;
    }

private:
    void stage(const char* what) const {
        if (stages_)
            std::printf("%7.2f ms  %s\n", double(clock_.nsecsElapsed()) / 1e6, what);
    }

    QElapsedTimer clock_;
    bool stages_;
    bool shown_ = false;
};

} // namespace

class FirstFramePlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "firstframe.json")

public:
    QObject* create(const QString& key, const QString&) override {
        if (key.compare(QLatin1String("firstframe"), Qt::CaseInsensitive) != 0)
            return nullptr;
        auto* watcher = new FirstFrame;
        QCoreApplication::instance()->installEventFilter(watcher);
        return watcher;
    }
};

#include "firstframe.moc"
