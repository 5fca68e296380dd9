// Linked into a program, reports the moment its main window's first frame is on the screen: the
// CLOCK_MONOTONIC time and the peak memory (maximum resident set) so far, on standard output, and then
// ends the process. It only watches the application's events, from a start-up hook the toolkit runs
// when the application object is created, so the program starts exactly as it does without it.
// PROBE_WINDOW_TITLE names the main window.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

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
    std::printf("first-paint-ns %lld\npeak-rss-kb %ld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                usage.ru_maxrss);
    std::fflush(stdout);
    std::_Exit(0);
}

class FirstPaintWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!FSeen && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window()->windowTitle() == QStringLiteral(PROBE_WINDOW_TITLE)) {
            FSeen = true;
            // The window's widgets are painted in one pass and then flushed to the screen together:
            // the frame is complete when control is back in the event loop.
            QTimer::singleShot(0, [] { ReportAndExit(); });
        }
        return false;
    }

private:
    bool FSeen = false;
};

void InstallWatcher()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaintWatcher);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallWatcher)
