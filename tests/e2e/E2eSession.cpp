#include "tests/e2e/E2eSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <stdexcept>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr int kToolTimeoutMs = 15000;

[[noreturn]] void Fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

// A test name as a folder name: "Suite/Case.Name/0" becomes "Suite_Case.Name_0".
QString FolderName(const QString& name)
{
    QString folder = name;
    folder.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return folder;
}

// xdotool matches titles with POSIX extended expressions: the title's own special characters are
// taken literally.
QString LiteralPattern(const QString& text)
{
    QString pattern;
    for (QChar c : text) {
        if (QStringLiteral(".[]{}()\\*+?^$|").contains(c))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern;
}

std::vector<WindowId> WindowIds(const QByteArray& output)
{
    std::vector<WindowId> windows;
    for (const QByteArray& line : output.split('\n')) {
        bool ok = false;
        const WindowId id = line.trimmed().toULong(&ok);
        if (ok)
            windows.push_back(id);
    }
    return windows;
}

QString Hex(WindowId window) { return QStringLiteral("0x%1").arg(window, 0, 16); }

// The number that follows `label` in xwininfo's report.
int XwininfoNumber(const QString& report, const QString& label)
{
    const QRegularExpression field(QRegularExpression::escape(label) + QStringLiteral(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch match = field.match(report);
    if (!match.hasMatch())
        Fail(QStringLiteral("xwininfo reported no %1").arg(label));
    return match.captured(1).toInt();
}

} // namespace

E2eSession::E2eSession(const QString& name, QSize screenSize)
    : FName(FolderName(name)), FScreenSize(screenSize)
{
    const QString output = QStringLiteral(SETTINGS_E2E_OUTPUT_DIR);
    FShotsDir = output + QStringLiteral("/e2e-shots/") + FName;
    QDir(FShotsDir).removeRecursively();
    if (!QDir().mkpath(FShotsDir))
        Fail(QStringLiteral("cannot create %1").arg(FShotsDir));
    // Qt wants a private runtime folder (mode 0700); one per session keeps runs apart.
    FRuntimeDir = output + QStringLiteral("/e2e-runtime/") + FName;
    if (!QDir().mkpath(FRuntimeDir)
        || !QFile::setPermissions(FRuntimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        Fail(QStringLiteral("cannot create %1").arg(FRuntimeDir));
    // On a busy machine a display can be lost between the server naming it and the window manager
    // connecting (another server taking the number); a fresh server on another number then does.
    constexpr int attempts = 3;
    for (int attempt = 1;; ++attempt) {
        try {
            StartServer();
            StartWindowManager();
            return;
        } catch (const std::runtime_error&) {
            Stop(FWindowManager.get());
            Stop(FServer.get());
            if (attempt == attempts)
                throw;
        }
    }
}

E2eSession::~E2eSession()
{
    Stop(FProgram.get());
    Stop(FWindowManager.get());
    Stop(FServer.get());
}

void E2eSession::Stop(QProcess* process)
{
    if (process == nullptr || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

void E2eSession::StartServer()
{
    // The server picks a free display itself and writes its number to standard output (-displayfd),
    // so parallel sessions never race for one.
    FServer = std::make_unique<QProcess>();
    FServer->setStandardErrorFile(FShotsDir + QStringLiteral("/xvfb.log"));
    const QString screen = QStringLiteral("%1x%2x24").arg(FScreenSize.width()).arg(FScreenSize.height());
    FServer->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), screen, QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp")});
    if (!FServer->waitForStarted(kToolTimeoutMs))
        Fail(QStringLiteral("cannot start Xvfb: %1").arg(FServer->errorString()));
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < kToolTimeoutMs) {
        if (FServer->state() == QProcess::NotRunning)
            Fail(QStringLiteral("Xvfb ended at start; see %1/xvfb.log").arg(FShotsDir));
        FServer->waitForReadyRead(200);
        number += FServer->readAllStandardOutput();
    }
    bool ok = false;
    const int display = number.trimmed().toInt(&ok);
    if (!ok)
        Fail(QStringLiteral("Xvfb named no display"));
    FDisplay = QStringLiteral(":%1").arg(display);
}

void E2eSession::StartWindowManager()
{
    FWindowManager = std::make_unique<QProcess>();
    FWindowManager->setProcessEnvironment(DisplayEnvironment());
    FWindowManager->setProcessChannelMode(QProcess::MergedChannels);
    FWindowManager->setStandardOutputFile(FShotsDir + QStringLiteral("/openbox.log"));
    QStringList arguments{QStringLiteral("--sm-disable")};
    // The system's configuration, not the user's, so that every run sees the same key bindings.
    const QString systemConfig = QStringLiteral("/etc/xdg/openbox/rc.xml");
    if (QFile::exists(systemConfig))
        arguments << QStringLiteral("--config-file") << systemConfig;
    FWindowManager->start(QStringLiteral("openbox"), arguments);
    if (!FWindowManager->waitForStarted(kToolTimeoutMs))
        Fail(QStringLiteral("cannot start openbox: %1").arg(FWindowManager->errorString()));
    // The manager is ready once it announces itself and the work area on the root window.
    bool ready = false;
    WaitUntil(
        [&] {
            if (FWindowManager->state() == QProcess::NotRunning)
                return true;
            const QByteArray root = Tool(QStringLiteral("xprop"), {QStringLiteral("-root"),
                                                                  QStringLiteral("_NET_SUPPORTING_WM_CHECK"),
                                                                  QStringLiteral("_NET_WORKAREA")},
                                         true);
            ready = root.contains("_NET_SUPPORTING_WM_CHECK(WINDOW)") && root.contains("_NET_WORKAREA(CARDINAL) =");
            return ready;
        },
        10s);
    if (!ready)
        Fail(QStringLiteral("openbox did not start; see %1/openbox.log").arg(FShotsDir));
}

QProcessEnvironment E2eSession::DisplayEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), FDisplay);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), FRuntimeDir);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

QByteArray E2eSession::Tool(const QString& program, const QStringList& arguments, bool mayFail) const
{
    QProcess tool;
    tool.setProcessEnvironment(DisplayEnvironment());
    tool.start(program, arguments);
    const QString command = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        Fail(QStringLiteral("%1 did not finish: %2").arg(command, tool.errorString()));
    }
    if (!mayFail && (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0))
        Fail(QStringLiteral("%1 failed: %2").arg(command, QString::fromLocal8Bit(tool.readAllStandardError())));
    return tool.readAllStandardOutput();
}

QRect E2eSession::WorkArea() const
{
    const QByteArray output = Tool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA")});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(QString::fromLatin1(output));
    if (!match.hasMatch())
        Fail(QStringLiteral("no work area: %1").arg(QString::fromLatin1(output)));
    return {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
            match.captured(4).toInt()};
}

void E2eSession::StartProgram(const QString& program, const QStringList& arguments)
{
    if (ProgramRunning())
        Fail(QStringLiteral("the program is running already"));
    FProgram = std::make_unique<QProcess>();
    FProgram->setProcessEnvironment(DisplayEnvironment());
    FProgram->setProcessChannelMode(QProcess::MergedChannels);
    FProgram->setStandardOutputFile(FShotsDir + QStringLiteral("/program.log"));
    FProgram->start(program, arguments);
    if (!FProgram->waitForStarted(kToolTimeoutMs))
        Fail(QStringLiteral("cannot start %1: %2").arg(program, FProgram->errorString()));
}

bool E2eSession::ProgramRunning() const { return FProgram && FProgram->state() != QProcess::NotRunning; }

std::optional<int> E2eSession::WaitForExit(std::chrono::milliseconds timeout)
{
    if (!FProgram)
        return std::nullopt;
    if (!FProgram->waitForFinished(int(timeout.count()))) {
        Stop(FProgram.get());
        return std::nullopt;
    }
    if (FProgram->exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return FProgram->exitCode();
}

std::optional<WindowId> E2eSession::FindWindow(const QString& title) const
{
    // xdotool ignores letter case; the title read back must match exactly.
    const QByteArray found = Tool(QStringLiteral("xdotool"),
                                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                   QLatin1Char('^') + LiteralPattern(title) + QLatin1Char('$')},
                                  true);
    for (WindowId window : WindowIds(found)) {
        if (Title(window) == title)
            return window;
    }
    return std::nullopt;
}

std::optional<WindowId> E2eSession::WaitForWindow(const QString& title, std::chrono::milliseconds timeout) const
{
    std::optional<WindowId> window;
    WaitUntil([&] { return (window = FindWindow(title)).has_value(); }, timeout);
    return window;
}

std::optional<WindowId> E2eSession::WaitForSettledWindow(const QString& title, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const std::optional<WindowId> window = WaitForWindow(title, timeout);
    if (!window)
        return window;
    std::optional<WindowGeometry> last;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const bool settled = WaitUntil(
        [&] {
            const WindowGeometry now = Geometry(*window);
            const bool same = last && now.Frame == last->Frame && now.Client == last->Client;
            last = now;
            return same && now.Viewable && now.Frame != now.Client;
        },
        std::max(left, std::chrono::milliseconds(0)), std::chrono::milliseconds(50));
    return settled ? window : std::nullopt;
}

bool E2eSession::WaitForWindowGone(const QString& title, std::chrono::milliseconds timeout) const
{
    return WaitUntil([&] { return !FindWindow(title).has_value(); }, timeout);
}

std::vector<WindowId> E2eSession::ProgramWindows() const
{
    if (!ProgramRunning())
        return {};
    return WindowIds(Tool(QStringLiteral("xdotool"),
                          {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                           QString::number(FProgram->processId())},
                          true));
}

std::optional<WindowId> E2eSession::WaitForNewWindow(const std::vector<WindowId>& known,
                                                     std::chrono::milliseconds timeout) const
{
    std::optional<WindowId> found;
    WaitUntil(
        [&] {
            for (WindowId window : ProgramWindows()) {
                if (std::find(known.begin(), known.end(), window) == known.end() && IsViewable(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

QString E2eSession::Title(WindowId window) const
{
    QString name = QString::fromUtf8(
        Tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::number(window)}, true));
    if (name.endsWith(QLatin1Char('\n')))
        name.chop(1);
    return name;
}

WindowGeometry E2eSession::Geometry(WindowId window) const
{
    const QString report = QString::fromLatin1(Tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Hex(window)}));
    WindowGeometry geometry;
    geometry.Client = QRect(XwininfoNumber(report, QStringLiteral("Absolute upper-left X")),
                            XwininfoNumber(report, QStringLiteral("Absolute upper-left Y")),
                            XwininfoNumber(report, QStringLiteral("Width")),
                            XwininfoNumber(report, QStringLiteral("Height")));
    geometry.Viewable = report.contains(QStringLiteral("Map State: IsViewable"));
    geometry.Frame = geometry.Client;
    // The manager's frame: left, right, top and bottom extents around the client window.
    const QStringList extents = Property(window, QStringLiteral("_NET_FRAME_EXTENTS"));
    if (extents.size() == 4)
        geometry.Frame.adjust(-extents[0].toInt(), -extents[2].toInt(), extents[1].toInt(), extents[3].toInt());
    return geometry;
}

bool E2eSession::IsViewable(WindowId window) const
{
    return Tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Hex(window)}, true).contains("Map State: IsViewable");
}

QStringList E2eSession::Property(WindowId window, const QString& property) const
{
    const QString output =
        QString::fromUtf8(Tool(QStringLiteral("xprop"), {QStringLiteral("-id"), Hex(window), property}, true)).trimmed();
    const qsizetype equals = output.indexOf(QStringLiteral(" = "));
    if (equals < 0)
        return {};
    QStringList values = output.mid(equals + 3).split(QStringLiteral(", "));
    for (QString& value : values) {
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
    }
    return values;
}

void E2eSession::MoveMouse(QPoint screenPoint) const
{
    Tool(QStringLiteral("xdotool"),
         {QStringLiteral("mousemove"), QString::number(screenPoint.x()), QString::number(screenPoint.y())});
}

void E2eSession::Click(int button) const
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("click"), QString::number(button)});
}

void E2eSession::Clicks(int count, std::chrono::milliseconds gap, int button) const
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(count),
                                     QStringLiteral("--delay"), QString::number(gap.count()), QString::number(button)});
}

void E2eSession::ClickAt(QPoint screenPoint, int button) const
{
    MoveMouse(screenPoint);
    Click(button);
}

void E2eSession::Activate(WindowId window) const
{
    Tool(QStringLiteral("xdotool"),
         {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)});
}

void E2eSession::PressKeys(const QString& keys) const
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
}

void E2eSession::Type(const QString& text) const
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

QByteArray E2eSession::GrabPng() const
{
    return Tool(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
}

QImage E2eSession::DecodePng(const QByteArray& png)
{
    QImage image = QImage::fromData(png, "PNG");
    if (image.isNull())
        Fail(QStringLiteral("a screenshot cannot be read"));
    return image.convertToFormat(QImage::Format_RGB32);
}

void E2eSession::Save(const QByteArray& png, const QString& label)
{
    const QString path = QStringLiteral("%1/%2-%3.png").arg(FShotsDir).arg(++FShotCount, 2, 10, QLatin1Char('0')).arg(label);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size())
        Fail(QStringLiteral("cannot write %1").arg(path));
}

QImage E2eSession::Screenshot(const QString& label)
{
    const QByteArray png = GrabPng();
    Save(png, label);
    return DecodePng(png);
}

QImage E2eSession::Grab() const { return DecodePng(GrabPng()); }

E2eSession::Shot E2eSession::ScreenshotWhen(const QString& label, const std::function<bool(const QImage&)>& shows,
                                            std::chrono::milliseconds timeout)
{
    QByteArray png;
    Shot shot;
    WaitUntil(
        [&] {
            png = GrabPng();
            shot.Image = DecodePng(png);
            shot.Matched = shows(shot.Image);
            return shot.Matched;
        },
        timeout, std::chrono::milliseconds(50));
    Save(png, label);
    return shot;
}

bool E2eSession::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                           std::chrono::milliseconds interval)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

bool E2eSession::HoldsFor(const std::function<bool()>& condition, std::chrono::milliseconds period,
                          std::chrono::milliseconds interval)
{
    const auto deadline = std::chrono::steady_clock::now() + period;
    while (true) {
        if (!condition())
            return false;
        if (std::chrono::steady_clock::now() >= deadline)
            return true;
        std::this_thread::sleep_for(interval);
    }
}
