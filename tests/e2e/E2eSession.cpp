#include "tests/e2e/E2eSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

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

E2eSession::E2eSession(const QString& name)
    : FName(FolderName(name))
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
    StartServer();
    StartWindowManager();
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
    const QString screen = QStringLiteral("%1x%2x24").arg(ScreenSize().width()).arg(ScreenSize().height());
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
    const bool ready = WaitUntil(
        [this] {
            const QByteArray root = Tool(QStringLiteral("xprop"), {QStringLiteral("-root"),
                                                                  QStringLiteral("_NET_SUPPORTING_WM_CHECK"),
                                                                  QStringLiteral("_NET_WORKAREA")},
                                         true);
            return root.contains("_NET_SUPPORTING_WM_CHECK(WINDOW)") && root.contains("_NET_WORKAREA(CARDINAL) =");
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
        QString name = QString::fromUtf8(
            Tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::number(window)}, true));
        if (name.endsWith(QLatin1Char('\n')))
            name.chop(1);
        if (name == title)
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

std::vector<WindowId> E2eSession::VisibleWindowsOfType(const QString& type) const
{
    std::vector<WindowId> windows;
    if (!ProgramRunning())
        return windows;
    const QByteArray found = Tool(QStringLiteral("xdotool"),
                                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                   QString::number(FProgram->processId())},
                                  true);
    for (WindowId window : WindowIds(found)) {
        if (Property(window, QStringLiteral("_NET_WM_WINDOW_TYPE")).contains(type))
            windows.push_back(window);
    }
    return windows;
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

void E2eSession::MoveMouse(WindowId window, QPoint windowPoint) const
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window),
                                     QString::number(windowPoint.x()), QString::number(windowPoint.y())});
}

void E2eSession::Click(int button) const
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("click"), QString::number(button)});
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

QImage E2eSession::Screenshot(const QString& label)
{
    const QByteArray png =
        Tool(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    const QString path = QStringLiteral("%1/%2-%3.png").arg(FShotsDir).arg(++FShotCount, 2, 10, QLatin1Char('0')).arg(label);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size())
        Fail(QStringLiteral("cannot write %1").arg(path));
    QImage image = QImage::fromData(png, "PNG");
    if (image.isNull())
        Fail(QStringLiteral("the screenshot %1 cannot be read").arg(path));
    return image.convertToFormat(QImage::Format_RGB32);
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
