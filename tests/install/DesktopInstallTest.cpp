// The program installed as a package would install it: into a private folder given as DESTDIR, with the
// prefix /usr. A desktop finds the program through its desktop entry, and the entry's icon through the
// hicolor icon theme; both must be where the desktop looks and say what the desktop reads.

#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString DesktopId = QStringLiteral(SETTINGS_DESKTOP_ID);

struct ProcessResult {
    int ExitCode = -1;
    QString Output;
};

ProcessResult RunTool(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QStringLiteral("%1 did not finish: %2").arg(program, process.errorString())};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

class DesktopInstall : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Stage = std::make_unique<QTemporaryDir>(QStringLiteral(SETTINGS_BUILD_DIR "/install-stage-XXXXXX"));
        ASSERT_TRUE(Stage->isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), Stage->path());
        const ProcessResult install = RunTool(QStringLiteral(CMAKE_PROGRAM),
                                              {QStringLiteral("--install"), QStringLiteral(SETTINGS_BUILD_DIR),
                                               QStringLiteral("--prefix"), QStringLiteral("/usr")},
                                              environment);
        ASSERT_EQ(install.ExitCode, 0) << install.Output.toStdString();
    }

    static void TearDownTestSuite() { Stage.reset(); }

    static QString Installed(const QString& path) { return Stage->filePath(QStringLiteral("usr/") + path); }
    static QString DesktopFile() { return Installed(QStringLiteral("share/applications/%1.desktop").arg(DesktopId)); }

    static std::unique_ptr<QTemporaryDir> Stage;
};

std::unique_ptr<QTemporaryDir> DesktopInstall::Stage;

TEST_F(DesktopInstall, TheProgramIsAnExecutableOnThePath)
{
    const QFileInfo program(Installed(QStringLiteral("bin/Settings")));
    ASSERT_TRUE(program.isFile());
    EXPECT_TRUE(program.isExecutable());
}

TEST_F(DesktopInstall, TheDesktopEntryPassesTheValidator)
{
    ASSERT_TRUE(QFileInfo(DesktopFile()).isFile());
    const ProcessResult validation
        = RunTool(QStringLiteral("desktop-file-validate"), {DesktopFile()}, QProcessEnvironment::systemEnvironment());
    EXPECT_EQ(validation.ExitCode, 0) << validation.Output.toStdString();
    EXPECT_EQ(validation.Output.trimmed(), QString()) << "not even a warning";
}

TEST_F(DesktopInstall, TheDesktopEntryStartsTheInstalledProgramWithItsOwnIcon)
{
    QSettings entry(DesktopFile(), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(entry.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    const QString exec = entry.value(QStringLiteral("Exec")).toString();
    EXPECT_TRUE(QFileInfo(Installed(QStringLiteral("bin/") + exec)).isExecutable()) << exec.toStdString();
    EXPECT_EQ(entry.value(QStringLiteral("Icon")).toString(), DesktopId) << "the icon is found by the entry's name";
    // The window system names the program's windows by the program's name; the desktop matches the
    // windows to the entry (and its icon) by it.
    EXPECT_EQ(entry.value(QStringLiteral("StartupWMClass")).toString(), exec);
}

// The hicolor theme files an icon under its size; a picture of another size there is drawn scaled.
class HicolorIcon : public DesktopInstall, public testing::WithParamInterface<int> {};

TEST_P(HicolorIcon, LiesInTheFolderOfItsSize)
{
    const int size = GetParam();
    const QString path = Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(DesktopId));
    QImageReader reader(path);
    ASSERT_TRUE(reader.canRead()) << path.toStdString();
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_EQ(reader.size(), QSize(size, size));
}

INSTANTIATE_TEST_SUITE_P(Sizes, HicolorIcon, testing::Values(32, 128));

} // namespace
