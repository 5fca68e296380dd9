#include "platform/qt/QtWindow.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QThreadPool>
#include <QTimer>
#include <QWindow>

#include <vector>

namespace {
// A window that has just been shown is painted when the window system exposes it, a moment later. Until
// then its first frame is due, as a paint message would wait in the queue, and the idle moment waits
// for it: work done when the application goes idle comes after the window is on the screen. A window
// that is never exposed (shown minimized or under another one) holds the idle moment back only briefly.
class FirstFrameWatch : public QObject {
public:
    using QObject::QObject;

    // True while a window shown less than MaxWaitMs ago still waits for its exposure.
    bool FrameDue()
    {
        std::erase_if(FPending, [](const Pending& pending) { return !pending.Window || pending.Until.hasExpired(); });
        return !FPending.empty();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Expose && type != QEvent::Hide)
            return false;
        auto* window = qobject_cast<QWindow*>(watched);
        // An expose event that takes the exposure away (the window system does that before the window
        // appears) is no frame.
        if (!window || (type == QEvent::Expose && !window->isExposed()))
            return false;
        std::erase_if(FPending, [window](const Pending& pending) { return pending.Window == window; });
        if (type == QEvent::Show && !window->isExposed()) {
            FPending.push_back(Pending{window, QDeadlineTimer(MaxWaitMs)});
            // Wakes the loop when the wait ends, should nothing else come.
            QTimer::singleShot(MaxWaitMs, this, [] {});
        }
        return false;
    }

private:
    static constexpr int MaxWaitMs = 500;
    struct Pending {
        QPointer<QWindow> Window;
        QDeadlineTimer Until;
    };
    std::vector<Pending> FPending;
};

struct BackendState {
    std::unique_ptr<QApplication> OwnApplication;
    std::function<bool()> IdleHandler;
    QPointer<FirstFrameWatch> FrameWatch;
    bool IdleDue = true;
    bool QuitRequested = false;
    bool Initialized = false;
};

BackendState& State()
{
    static BackendState state;
    return state;
}

QColor Rgb(unsigned rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The look of the system colours (platform/Graphics.cpp), given to the native controls as well.
QPalette ProgramPalette()
{
    QPalette palette;
    const QColor face = Rgb(0xF0F0F0);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, Rgb(0xF7F7F7));
    palette.setColor(QPalette::Highlight, Rgb(0x0078D7));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, Rgb(0xFFFFE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Midlight, Rgb(0xE3E3E3));
    palette.setColor(QPalette::Mid, Rgb(0xA0A0A0));
    palette.setColor(QPalette::Dark, Rgb(0xA0A0A0));
    palette.setColor(QPalette::Shadow, Rgb(0x696969));
    palette.setColor(QPalette::Disabled, QPalette::Text, Rgb(0x6D6D6D));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Rgb(0x6D6D6D));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, Rgb(0x6D6D6D));
    return palette;
}

void HookEvents()
{
    // The idle moment: the queue ran empty after the events of a wake-up were handled, and no window
    // waits for its first frame.
    State().FrameWatch = new FirstFrameWatch(qApp);
    qApp->installEventFilter(State().FrameWatch);
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, dispatcher, [] { State().IdleDue = true; });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher, [] {
        BackendState& state = State();
        if (!state.IdleDue || !state.IdleHandler)
            return;
        // The window's exposure, or the end of the wait, wakes the loop again.
        if (state.FrameWatch && state.FrameWatch->FrameDue())
            return;
        // The loop says so before every wait, also when events are still queued (a call posted while
        // painting, the repaint it asks for): those come first, and the loop comes round again.
        QAbstractEventDispatcher* events = QAbstractEventDispatcher::instance();
        if (events->processEvents(QEventLoop::AllEvents)) {
            events->wakeUp();
            return;
        }
        state.IdleDue = false;
        if (!state.IdleHandler()) {
            state.IdleDue = true;
            QAbstractEventDispatcher::instance()->wakeUp();
        }
    });
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* old, QWidget* now) {
        if (QtWindow* window = QtWindow::Of(old); window && window != QtWindow::Of(now)) {
            TMessage message{WM_KILLFOCUS, 0, 0, 0};
            window->Send(message);
        }
        if (QtWindow* window = QtWindow::Of(now)) {
            TMessage message{WM_SETFOCUS, 0, 0, 0};
            window->Send(message);
        }
    });
}
} // namespace

namespace Backend {

void Initialize()
{
    BackendState& state = State();
    if (state.Initialized)
        return;
    if (!qApp) {
        // The program takes no arguments; the toolkit gets only the program's name.
        static int argc = 1;
        static char name[] = "Settings";
        static char* argv[] = {name, nullptr};
        state.OwnApplication = std::make_unique<QApplication>(argc, argv);
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(ProgramPalette());
    QApplication::setQuitOnLastWindowClosed(false);
    // The description names the fonts of the system it was made on; these stand in for them here.
    for (const char* family : {"MS Sans Serif", "Tahoma", "Verdana"})
        QFont::insertSubstitutions(QString::fromLatin1(family), {QStringLiteral("DejaVu Sans")});
    // The font a control has when its description sets none, asked for as the controls ask for theirs
    // (TFont), so that the toolkit's own widgets and the controls share one font.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);
    // The first text measured, by a label that sizes itself while the main window is read from its
    // description, needs the font database, and filling it takes longer than anything else at start:
    // it is filled on another thread meanwhile (once the fonts above are settled). Whatever asks for a
    // font first waits for it to be done. The filling needs the application object, so it is started
    // only when that object is the backend's own, which Finalize ends only after the filling is done.
    if (state.OwnApplication)
        QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });
    // The program's icon: the pictures it carries under ":/icons", in every size it has.
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
    HookEvents();
    state.Initialized = true;
}

bool IsInitialized()
{
    return State().Initialized;
}

void Finalize()
{
    BackendState& state = State();
    state.IdleHandler = nullptr;
    QThreadPool::globalInstance()->waitForDone();
    // The toolkit ends before the program's static objects do, which it may still refer to.
    state.OwnApplication.reset();
    state.Initialized = false;
}

void Exec()
{
    if (State().QuitRequested)
        return;
    QApplication::exec();
}

void Quit()
{
    State().QuitRequested = true;
    // Not quit(): that first asks every window to close, and a form only hides or refuses on a close
    // request, so a visible support window would cancel the end of the program.
    QCoreApplication::exit(0);
}

void ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SetIdleHandler(std::function<bool()> handler)
{
    State().IdleHandler = std::move(handler);
}

void PostCall(std::function<void()> call)
{
    QTimer::singleShot(0, qApp, std::move(call));
}

QRect ScreenGeometry()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QRect WorkArea()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

int LogicalDpi()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

QPoint CursorPos()
{
    return QCursor::pos();
}

void SetCursorPos(QPoint position)
{
    QCursor::setPos(position);
}

int ShowMessageBox(const QString& caption, const QString& text, DialogIcon icon, const QStringList& buttons,
                   int defaultButton, int escapeButton)
{
    QMessageBox box;
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case DialogIcon::Information: box.setIcon(QMessageBox::Information); break;
    case DialogIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case DialogIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case DialogIcon::Question: box.setIcon(QMessageBox::Question); break;
    default: break;
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    std::vector<QPushButton*> added;
    for (const QString& caption : buttons)
        added.push_back(box.addButton(caption, QMessageBox::ActionRole));
    if (defaultButton >= 0 && defaultButton < static_cast<int>(added.size()))
        box.setDefaultButton(added[static_cast<size_t>(defaultButton)]);
    if (escapeButton >= 0 && escapeButton < static_cast<int>(added.size()))
        box.setEscapeButton(added[static_cast<size_t>(escapeButton)]);
    box.exec();
    for (size_t i = 0; i < added.size(); ++i)
        if (box.clickedButton() == added[i])
            return static_cast<int>(i);
    return -1;
}

} // namespace Backend
