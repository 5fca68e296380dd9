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

// One end-to-end run: a private X display (Xvfb, 1024 x 768 x 24) with the openbox window manager, the
// program under test on it, and what a person does there: find windows by their title, move the
// pointer, click, type, press keys, look at the screen, and close the program. Every screenshot of the
// run is kept as <build>/e2e-shots/<name>/NN-<label>.png. Failures to start the display or to run a
// tool throw std::runtime_error.
class E2eSession {
public:
    explicit E2eSession(const QString& name);
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
    // The program's viewable windows that carry `type` in _NET_WM_WINDOW_TYPE (for example
    // "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU" for a menu dropped down from the menu bar).
    std::vector<WindowId> VisibleWindowsOfType(const QString& type) const;
    WindowGeometry Geometry(WindowId window) const;
    // The values of a window's X property, as xprop lists them ("_NET_WM_STATE_MAXIMIZED_VERT", "19").
    QStringList Property(WindowId window, const QString& property) const;

    void MoveMouse(QPoint screenPoint) const;
    // Moves the pointer to a point relative to the window's top-left corner.
    void MoveMouse(WindowId window, QPoint windowPoint) const;
    void Click(int button = 1) const;
    // Brings the window to the front and gives it the keyboard, as a click on its title bar would.
    void Activate(WindowId window) const;
    // Presses a key combination in xdotool's syntax ("alt+f", "Escape", "alt+F4") into the focused window.
    void PressKeys(const QString& keys) const;
    void Type(const QString& text) const;

    // The whole screen, saved under the run's shots folder as NN-<label>.png.
    QImage Screenshot(const QString& label);
    const QString& ShotsDir() const { return FShotsDir; }

    // Polls `condition` until it holds or `timeout` passes; the result of the last poll.
    static bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                          std::chrono::milliseconds interval = std::chrono::milliseconds(100));

private:
    // Runs an X tool on the session's display and returns what it printed; throws when it fails.
    QByteArray Tool(const QString& program, const QStringList& arguments, bool mayFail = false) const;
    QProcessEnvironment DisplayEnvironment() const;
    void StartServer();
    void StartWindowManager();
    static void Stop(QProcess* process);

    QString FName;
    QString FDisplay;
    QString FShotsDir;
    QString FRuntimeDir;
    int FShotCount = 0;
    std::unique_ptr<QProcess> FServer;
    std::unique_ptr<QProcess> FWindowManager;
    std::unique_ptr<QProcess> FProgram;
};
