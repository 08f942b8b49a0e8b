#include "support/TestSupport.h"

#include "settings/OvraSettings.h"
#include "support/VirtualMasterBox.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <csignal>
#include <cstdlib>

#include <sys/resource.h>

namespace ovra::test {

namespace {
QString &isolatedRoot()
{
    static QString root;
    return root;
}
} // namespace

void isolateProcess()
{
    // Created before QCoreApplication and removed when the process ends;
    // tests that want a clean tree per case use their own QTemporaryDir.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/ovra-test-XXXXXX"));
    isolatedRoot() = dir.path();
    const QByteArray root = dir.path().toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    // The temporary routine file of one test never meets another's.
    qputenv("TMPDIR", root + "/tmp");
    for (const char *sub : {"/runtime", "/config", "/data", "/cache", "/tmp", "/documents"})
        QDir().mkpath(dir.path() + QLatin1String(sub));
    // The user's documents (where routines are saved by default) too.
    QFile userDirs(dir.path() + QStringLiteral("/config/user-dirs.dirs"));
    if (userDirs.open(QIODevice::WriteOnly))
        userDirs.write("XDG_DOCUMENTS_DIR=\"" + root + "/documents\"\n");
    QFile::setPermissions(dir.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStandardPaths::setTestModeEnabled(false);
    // Every test starts without a master box; this also links the virtual
    // box (and with it the hidapi functions) into every test executable.
    VirtualMasterBox::instance().reset();
    switchOffStartupTutorials();
}

void clearAllSettings()
{
    auto storage = OvraSettings::openStorage();
    storage->clear();
    storage->sync();
    // The results a previous case left waiting would go to this case's
    // scoring systems of the same name.
    QDir(OvraSettings::outboxDirectory()).removeRecursively();
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previous = static_cast<qint64>(limit.rlim_cur);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previous);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

void clearSettings()
{
    clearAllSettings();
    switchOffStartupTutorials();
}

void switchOffStartupTutorials()
{
    auto storage = OvraSettings::openStorage();
    storage->setValue(QStringLiteral("Startup/ShowSetupTutorial"), false);
    storage->setValue(QStringLiteral("Startup/ShowUiTutorial"), false);
    storage->sync();
}

QString sourceDir()
{
    return qEnvironmentVariable("OVRA_TEST_SOURCE_DIR");
}

QString binaryDir()
{
    return qEnvironmentVariable("OVRA_TEST_BINARY_DIR");
}

} // namespace ovra::test
