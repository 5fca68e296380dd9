#include "platform/qt/QtWindow.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QFont>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>

namespace {
struct BackendState {
    std::unique_ptr<QApplication> OwnApplication;
    std::function<bool()> IdleHandler;
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
    // The idle moment: the queue ran empty after the events of a wake-up were handled.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, dispatcher, [] { State().IdleDue = true; });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher, [] {
        BackendState& state = State();
        if (!state.IdleDue || !state.IdleHandler)
            return;
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
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);
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
