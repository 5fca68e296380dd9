// In-process benchmarks, run by `make bench` on its private X display (Xvfb with the openbox window
// manager): what the program does while it runs, each timed many times in one process and reported as the
// median with its spread and as a share of one frame at 60 frames a second (16.7 ms), beside a baseline
// measured in the same run and in turn with it, so that a change in the machine's load falls on both.
//
//   InProcessBench [--runs N]
//
// - the popup's first build, from the circle's request to the popup's first painted frame, and a later
//   re-show; beside the first show and a re-show of an empty tool window of the popup's size;
// - a full repaint of the main window; beside that of an empty window of the same size and menu bar;
// - rendering the three looks of every circle (the copy of the photograph under it and the ring blending);
//   beside the copies alone.

#include "app/Template.h"
#include "components/BoardHighlight.h"
#include "components/BoardImage.h"
#include "components/PopupForm.h"
#include "components/SetupSupporter.h"
#include "components/HelpForm.h"

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/qt/Handles.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;
constexpr int kWaitMs = 5000;

// Counts the paints of each top-level window, by its title.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    int Paints(const QString& title) const { return FTitle == title ? FPaints : 0; }
    void Watch(const QString& title)
    {
        FTitle = title;
        FPaints = 0;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window()->windowTitle() == FTitle)
            ++FPaints;
        return false;
    }

private:
    QString FTitle;
    int FPaints = 0;
};

double Milliseconds(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Runs the event loop, one turn at a time, until done() holds; throws after kWaitMs.
void RunUntil(const std::function<bool()>& done, const char* what)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kWaitMs)
            throw std::runtime_error(std::string("gave up waiting for ") + what);
        // A turn that blocks, but not for longer than a few milliseconds.
        QTimer::singleShot(5, [] {});
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// Lets the loop run for a while, so that what a step started (a window's exposure) is over.
void Settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QTimer::singleShot(5, [] {});
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// Times show() until the window titled title has painted its first frame: the turn of the loop that
// painted it has ended.
double TimeToFrame(PaintCounter& paints, const QString& title, const std::function<void()>& show)
{
    paints.Watch(title);
    QElapsedTimer clock;
    clock.start();
    show();
    RunUntil([&] { return paints.Paints(title) > 0; }, "a window's frame");
    return Milliseconds(clock);
}

QWidget* ShownWindow(const QString& title)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle() == title)
            return widget;
    throw std::runtime_error("no shown window " + title.toStdString());
}

// The main window as the program makes it, shown and painted once (its circles have rendered their
// looks). Its supporter's first-idle build is left out unless asked for.
TMainForm* ShowMainWindow(PaintCounter& paints)
{
    Application->CreateForm(MainForm);
    // The supporter builds at the first idle moment; here only where a benchmark asks for it.
    Application->OnIdle = TIdleEvent();
    TMainForm* form = MainForm;
    TimeToFrame(paints, form->Caption(), [form] { form->Show(); });
    RunUntil([form] { return form->BaseHighlight->Prepared(); }, "the circles' first paint");
    return form;
}

// An empty window with the given frame: the toolkit's and the window system's share of showing one.
TForm* EmptyWindow(const QString& caption, TFormBorderStyle border, TFormStyle style)
{
    auto* form = new TForm(Application);
    form->SetBorderStyle(border);
    form->SetFormStyle(style);
    form->SetCaption(caption);
    form->SetPosition(poDesigned);
    return form;
}

struct Stats {
    size_t Count = 0;
    double Median = 0;
    double Min = 0;
    double Max = 0;
};

Stats Summarise(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {n, median, samples.front(), samples.back()};
}

void PrintRow(const char* what, const std::vector<double>& samples)
{
    const Stats s = Summarise(samples);
    std::printf("%-46s %5zu %10.3f %9.3f %9.3f %9.1f %%\n", what, s.Count, s.Median, s.Min, s.Max,
                100.0 * s.Median / kFrameMs);
}

void PrintHeader(const char* title)
{
    std::printf("\n%s\n%-46s %5s %10s %9s %9s %11s\n", title, "", "runs", "median[ms]", "min[ms]", "max[ms]",
                "of a frame");
}

// The popup of the base-address circle: built at its first showing in each new main window, then
// closed and shown again; an empty tool window of its size first shown and shown again in turn.
void BenchPopup(PaintCounter& paints, int runs)
{
    std::vector<double> firstBuild, firstFrame, reshow, emptyFirst, emptyReshow;
    for (int run = 0; run < runs; ++run) {
        std::unique_ptr<TMainForm> form(ShowMainWindow(paints));
        Settle(50);
        TBoardHighlight* circle = form->BaseHighlight;
        const QString caption = circle->PopupCaption();
        QElapsedTimer clock;
        firstFrame.push_back(TimeToFrame(paints, caption, [&] {
            clock.start();
            circle->ShowPopup();
            firstBuild.push_back(Milliseconds(clock));
        }));
        Settle(50);
        TPopupForm* popup = circle->Popup();
        circle->ClosePopup();
        Settle(50);
        reshow.push_back(TimeToFrame(paints, caption, [&] { circle->ShowPopup(); }));
        Settle(50);

        std::unique_ptr<TForm> empty(EmptyWindow(QStringLiteral("Empty tool window"), bsSizeToolWin, fsStayOnTop));
        empty->SetBounds(popup->Left(), popup->Top(), popup->Width(), popup->Height());
        circle->ClosePopup();
        Settle(50);
        emptyFirst.push_back(TimeToFrame(paints, empty->Caption(), [&] { empty->Show(); }));
        Settle(50);
        empty->Hide();
        Settle(50);
        emptyReshow.push_back(TimeToFrame(paints, empty->Caption(), [&] { empty->Show(); }));
        empty.reset();
        form.reset();
        MainForm = nullptr;
        Settle(50);
    }
    PrintHeader("The popup of \"Base &Address\" (a new main window for each run)");
    PrintRow("first build (the request alone)", firstBuild);
    PrintRow("first build, request to first frame", firstFrame);
    PrintRow("  baseline: empty tool window, first show", emptyFirst);
    PrintRow("re-show, request to frame", reshow);
    PrintRow("  baseline: empty tool window, re-show", emptyReshow);
}

// Synchronous repaints of the whole main window (menu bar, board photograph, circles, header line) and
// of an empty window of the same size with a "File" and a "Help" menu, in turn.
void BenchRepaint(PaintCounter& paints, int runs)
{
    std::unique_ptr<TMainForm> form(ShowMainWindow(paints));
    // The window as it is once running: with the header line and the support windows built.
    form->SetSup->BuildSupport();
    RunUntil([&] { return form->SetSup->HelpForm() && form->SetSup->HelpForm()->Visible(); }, "the help window");
    form->SetSup->HelpForm()->Hide();
    Settle(100);

    std::unique_ptr<TForm> empty(EmptyWindow(QStringLiteral("Empty main window"), bsSingle, fsNormal));
    empty->SetColor(form->Color());
    auto* menu = new TMainMenu(empty.get());
    for (const char* caption : {"&File", "&Help"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(QString::fromLatin1(caption));
        menu->Items()->Add(item);
    }
    empty->SetMenu(menu);
    empty->SetWindowState(wsMaximized);
    TimeToFrame(paints, empty->Caption(), [&] { empty->Show(); });
    Settle(100);

    QWidget* mainWindow = ShownWindow(form->Caption());
    QWidget* emptyWindow = ShownWindow(empty->Caption());
    if (mainWindow->size() != emptyWindow->size())
        std::printf("(the two windows differ in size: %dx%d and %dx%d)\n", mainWindow->width(),
                    mainWindow->height(), emptyWindow->width(), emptyWindow->height());
    std::vector<double> full, plain;
    QElapsedTimer clock;
    // Every widget of the window painted again, at once, as when the whole window is exposed.
    auto repaintAll = [](QWidget* window) {
        for (QWidget* widget : window->findChildren<QWidget*>())
            if (widget->isVisible())
                widget->update();
        window->repaint();
    };
    for (int run = 0; run < runs; ++run) {
        clock.start();
        repaintAll(mainWindow);
        full.push_back(Milliseconds(clock));
        clock.start();
        repaintAll(emptyWindow);
        plain.push_back(Milliseconds(clock));
    }
    PrintHeader("Full repaint of the main window");
    PrintRow("main window (maximized)", full);
    PrintRow("  baseline: empty window, same size and menu bar", plain);
    empty.reset();
    form.reset();
    MainForm = nullptr;
    Settle(50);
}

// The three looks of every circle, rendered as at a circle's first paint: the photograph under the
// circle copied into each look, the ring blended over it.
void BenchLooks(PaintCounter& paints, int runs)
{
    std::unique_ptr<TMainForm> form(ShowMainWindow(paints));
    TBoardImage* board = form->BoardImage1;
    TBitmap photo;
    photo.SetSize(board->Width(), board->Height());
    photo.Canvas()->Draw(0, 0, board->Picture()->Graphic());
    std::vector<TBoardHighlight*> circles;
    for (int i = 0; i < board->ControlCount(); ++i)
        if (auto* circle = qobject_cast<TBoardHighlight*>(board->Controls(i)))
            circles.push_back(circle);

    TBitmap looks[3];
    auto render = [&](bool blend) {
        for (TBoardHighlight* circle : circles) {
            const THighlightStyle& style = circle->Style();
            const TRect box = Rect(0, 0, circle->Width(), circle->Height());
            const struct {
                float Strength;
                bool WhiteCore;
            } kinds[] = {{style.PlainStrength, false}, {style.BrightStrength, true}, {style.LitStrength, false}};
            for (int look = 0; look < 3; ++look) {
                looks[look].SetSize(circle->Width(), circle->Height());
                looks[look].Canvas()->CopyRect(box, photo.Canvas(),
                                               Bounds(circle->Left(), circle->Top(), circle->Width(), circle->Height()));
                if (blend)
                    BlendRing(looks[look], style.RingColor, kinds[look].Strength, kinds[look].WhiteCore);
            }
        }
    };
    std::vector<double> full, copies;
    QElapsedTimer clock;
    for (int run = 0; run < runs; ++run) {
        clock.start();
        render(true);
        full.push_back(Milliseconds(clock));
        clock.start();
        render(false);
        copies.push_back(Milliseconds(clock));
    }
    const std::string what = "all circles' looks (" + std::to_string(circles.size()) + " circles x 3)";
    PrintHeader("Rendering the circles' looks");
    PrintRow(what.c_str(), full);
    PrintRow("  baseline: the copies alone, no blending", copies);
    form.reset();
    MainForm = nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 15;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
    try {
        Application->Initialize();
        PaintCounter paints;
        std::printf("In-process benchmarks on the %s platform (display %s); shares of a %.1f ms frame\n",
                    qPrintable(QGuiApplication::platformName()), qgetenv("DISPLAY").constData(), kFrameMs);
        BenchPopup(paints, runs);
        BenchRepaint(paints, runs * 20);
        BenchLooks(paints, runs * 20);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "InProcessBench: %s\n", error.what());
        std::fflush(stdout);
        std::_Exit(1);
    }
    // The toolkit ends before the program's static objects do, as when the program ends.
    Backend::Finalize();
    return 0;
}
