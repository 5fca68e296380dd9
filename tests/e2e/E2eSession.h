#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// An X window id.
using WindowId = unsigned long;

// Where a top-level window lies on the screen. `Client` is the window the program draws (its menu bar
// included); `Frame` is the outer frame the window manager puts around it (title bar and borders).
struct WindowGeometry {
    QRect Client;
    QRect Frame;
    bool Viewable = false;
};

// One end-to-end run: a private X display (Xvfb, 24 bits deep) with the openbox window manager, the
// program under test on it, and what a person does there: find windows by their title, move the
// pointer, click, type, press keys, look at the screen, and close the program. Every screenshot of the
// run is kept as <build>/e2e-shots/<name>/NN-<label>.png. Failures to start the display or to run a
// tool throw std::runtime_error.
class E2eSession {
public:
    // A session's screen is ScreenSize() unless it is given another size.
    explicit E2eSession(const QString& name, QSize screenSize = ScreenSize());
    ~E2eSession();
    E2eSession(const E2eSession&) = delete;
    E2eSession& operator=(const E2eSession&) = delete;

    // ":<n>", the display the session runs.
    const QString& Display() const { return FDisplay; }
    static constexpr QSize ScreenSize() { return {1024, 768}; }
    // The screen's work area as the window manager announces it.
    QRect WorkArea() const;

    // Starts the program on the session's display; its output goes to program.log beside the shots.
    void StartProgram(const QString& program, const QStringList& arguments = {});
    bool ProgramRunning() const;
    // Waits for the program to end by itself; its exit code, or nothing when it is still running after
    // `timeout` (it is then killed) or when it crashed.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);

    // The viewable window whose title is exactly `title`.
    std::optional<WindowId> FindWindow(const QString& title) const;
    std::optional<WindowId> WaitForWindow(const QString& title, std::chrono::milliseconds timeout) const;
    // The window with the title once the window manager has framed and placed it: viewable, with its
    // frame's extents announced and its geometry the same at two polls in a row.
    std::optional<WindowId> WaitForSettledWindow(const QString& title, std::chrono::milliseconds timeout) const;
    // Waits until no viewable window has the title `title`; false when one still has it after `timeout`.
    bool WaitForWindowGone(const QString& title, std::chrono::milliseconds timeout) const;
    // The program's viewable windows, in xdotool's order.
    std::vector<WindowId> ProgramWindows() const;
    // Waits for a viewable window of the program that is not among `known` (a menu, a drop-down list).
    std::optional<WindowId> WaitForNewWindow(const std::vector<WindowId>& known,
                                             std::chrono::milliseconds timeout) const;
    QString Title(WindowId window) const;
    WindowGeometry Geometry(WindowId window) const;
    // Whether the window is mapped and viewable; false for a window that is gone.
    bool IsViewable(WindowId window) const;
    // The values of a window's X property, as xprop lists them ("_NET_WM_STATE_MAXIMIZED_VERT", "19").
    QStringList Property(WindowId window, const QString& property) const;

    void MoveMouse(QPoint screenPoint) const;
    void Click(int button = 1) const;
    // `count` clicks, `gap` apart: within the double-click interval for a double click, or beyond it.
    void Clicks(int count, std::chrono::milliseconds gap, int button = 1) const;
    // Moves the pointer to a point of the screen and clicks there.
    void ClickAt(QPoint screenPoint, int button = 1) const;
    // Brings the window to the front and gives it the keyboard, as a click on its title bar would.
    void Activate(WindowId window) const;
    // Presses a key combination in xdotool's syntax ("alt+f", "Escape", "alt+F4") into the focused window.
    void PressKeys(const QString& keys) const;
    void Type(const QString& text) const;

    // The whole screen, saved under the run's shots folder as NN-<label>.png.
    QImage Screenshot(const QString& label);
    // The whole screen, not saved: for polling until the screen shows something.
    QImage Grab() const;
    // Grabs the screen until `shows` holds for it or `timeout` passes, then saves the last grab as
    // NN-<label>.png. The last grab, and whether it showed what was asked.
    struct Shot {
        QImage Image;
        bool Matched = false;
    };
    Shot ScreenshotWhen(const QString& label, const std::function<bool(const QImage&)>& shows,
                        std::chrono::milliseconds timeout);
    const QString& ShotsDir() const { return FShotsDir; }

    // Polls `condition` until it holds or `timeout` passes; the result of the last poll.
    static bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                          std::chrono::milliseconds interval = std::chrono::milliseconds(100));
    // Polls `condition` for `period`: true when it held at every poll. For what must stay as it is
    // after a move that could have changed it.
    static bool HoldsFor(const std::function<bool()>& condition, std::chrono::milliseconds period,
                         std::chrono::milliseconds interval = std::chrono::milliseconds(100));

private:
    // Runs an X tool on the session's display and returns what it printed; throws when it fails.
    QByteArray Tool(const QString& program, const QStringList& arguments, bool mayFail = false) const;
    QProcessEnvironment DisplayEnvironment() const;
    void StartServer();
    void StartWindowManager();
    QByteArray GrabPng() const;
    static QImage DecodePng(const QByteArray& png);
    void Save(const QByteArray& png, const QString& label);
    static void Stop(QProcess* process);

    QString FName;
    QSize FScreenSize;
    QString FDisplay;
    QString FShotsDir;
    QString FRuntimeDir;
    int FShotCount = 0;
    std::unique_ptr<QProcess> FServer;
    std::unique_ptr<QProcess> FWindowManager;
    std::unique_ptr<QProcess> FProgram;
};
