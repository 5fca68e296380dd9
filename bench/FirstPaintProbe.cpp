// Linked into a program, reports the moment its main window's first frame is on the screen: the
// CLOCK_MONOTONIC time, the peak memory (maximum resident set) so far, and what the program had built by
// then, on standard output, and then ends the process. It only watches the application's events, from a
// start-up hook the toolkit runs when the application object is created, so the program starts exactly
// as it does without it. PROBE_WINDOW_TITLE names the main window.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

[[noreturn]] void ReportAndExit()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // What exists by the first frame: every widget object, those with a window of the window system of
    // their own, and the top-level windows (shown or not).
    int widgets = 0;
    int nativeWindows = 0;
    for (const QWidget* widget : QApplication::allWidgets()) {
        ++widgets;
        if (widget->internalWinId())
            ++nativeWindows;
    }
    std::printf("first-paint-ns %lld\npeak-rss-kb %ld\nwidgets %d\nnative-windows %d\ntop-level-windows %d\n",
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, usage.ru_maxrss, widgets,
                nativeWindows, static_cast<int>(QGuiApplication::topLevelWindows().size()));
    std::fflush(stdout);
    std::_Exit(0);
}

// The window's widgets are painted and flushed to the window system in one pass, inside the turn of the
// event loop that handles the window's exposure: the frame is complete when that turn ends. Anything the
// program does once the loop turns again (its idle work, queued calls) comes after the frame.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher()
    {
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this, [this] {
            if (FPainted)
                ReportAndExit();
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!FPainted && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window()->windowTitle() == QStringLiteral(PROBE_WINDOW_TITLE))
            FPainted = true;
        return false;
    }

private:
    bool FPainted = false;
};

void InstallWatcher()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaintWatcher);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallWatcher)
