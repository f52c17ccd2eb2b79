// Preloaded into a Qt Widgets program by the start-up benchmark: ends the program the moment its
// main window has been exposed and painted for the first time, so that the program's own code
// stays as it ships. The exit skips every destructor, as only the way up is measured.

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QWindow>
#include <unistd.h>

namespace {

class ShownHook : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose || !isMainWindow(watched)) return false;
        // The window paints itself while it handles the expose; that is part of being shown.
        watched->event(event);
        if (!static_cast<QWindow*>(watched)->isExposed()) return true;
        ::_exit(0);
    }

private:
    static bool isMainWindow(QObject* watched) {
        if (!watched->isWindowType()) return false;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->windowHandle() == watched && qobject_cast<QMainWindow*>(widget)) return true;
        return false;
    }
};

void installShownHook() { QCoreApplication::instance()->installEventFilter(new ShownHook); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installShownHook)
