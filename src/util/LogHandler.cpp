#include "util/LogHandler.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QTime>

#include <cstdio>
#include <cstring>

namespace ovra::util {

Q_LOGGING_CATEGORY(lcDelivery, LogHandler::kDeliveryCategory)

namespace {
// Serialises every append to the log file and guards the log directory path.
// The file is opened and closed per line so that no handle is shared between
// threads and the file is complete after a crash.
QMutex g_logFileMutex;

constexpr int kDefaultLevel = 4;
constexpr int kFileNameWidth = 15;
} // namespace

int LogHandler::levelFromEnvironment()
{
    if (!qEnvironmentVariableIsSet("OVRA_LOG_LEVEL"))
        return kDefaultLevel;
    bool ok = false;
    const int level = qEnvironmentVariable("OVRA_LOG_LEVEL").toInt(&ok, 10);
    if (ok && level >= 0 && level <= 2)
        return level;
    return kDefaultLevel;
}

LogHandler::LogHandler()
    : m_logLevel(levelFromEnvironment())
    , m_fileName(QStringLiteral("ovra.log"))
    , m_logDirectory(QDir(QString()).absolutePath())
{
}

bool LogHandler::saveToFile() const
{
    return m_saveToFile.load(std::memory_order_relaxed);
}

void LogHandler::setSaveToFile(bool saveToFile)
{
    m_saveToFile.store(saveToFile, std::memory_order_relaxed);
}

QDir LogHandler::logDirectory() const
{
    QMutexLocker lock(&g_logFileMutex);
    return QDir(m_logDirectory);
}

void LogHandler::setLogDirectory(const QDir &directory)
{
    QMutexLocker lock(&g_logFileMutex);
    m_logDirectory = directory.absolutePath();
}

QString LogHandler::logFilePath() const
{
    QMutexLocker lock(&g_logFileMutex);
    return QDir(m_logDirectory).absoluteFilePath(m_fileName);
}

QString LogHandler::formatLogLine(QtMsgType type, const QMessageLogContext &context,
                                  const QString &text) const
{
    QString line = QStringLiteral("%1 %2 ")
                       .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
                            QTime::currentTime().toString(Qt::TextDate));
    const QString file = QFileInfo(QString::fromUtf8(context.file ? context.file : ""))
                             .fileName()
                             .leftJustified(kFileNameWidth, QLatin1Char(' '));
    switch (type) {
    case QtDebugMsg:
        line += QStringLiteral("Debug\t%1\t%2").arg(file, text);
        break;
    case QtWarningMsg:
        line += QStringLiteral("Warning\t%1\t%2").arg(file, text);
        break;
    case QtCriticalMsg:
        line += QStringLiteral("Critical\t%1\t%2").arg(file, text);
        break;
    case QtFatalMsg:
        line += QStringLiteral("Fatal\t%1\t%2").arg(file, text);
        break;
    case QtInfoMsg:
        line += QStringLiteral("Info\t%1\t%2").arg(file, text);
        break;
    }
    return line;
}

bool LogHandler::isWritten(QtMsgType type, const QMessageLogContext &context) const
{
    if (static_cast<int>(type) >= m_logLevel)
        return true;
    return type != QtDebugMsg && context.category && std::strcmp(context.category, kDeliveryCategory) == 0;
}

void LogHandler::handleMessage(QtMsgType type, const QMessageLogContext &context,
                               const QString &text)
{
    if (!isWritten(type, context))
        return;

    // One write per line, so lines of two threads do not mix on stdout.
    const QByteArray line = formatLogLine(type, context, text).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fflush(stdout);

    if (!saveToFile())
        return;
    QMutexLocker lock(&g_logFileMutex);
    QFile file(QDir(m_logDirectory).absoluteFilePath(m_fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // the line still reached standard output
    file.write(line);
    file.flush();
    file.close();
}

QDir LogHandler::getDefaultLogFileLocation()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir directory(path);
    if (!directory.exists()) {
        qInfo() << "Trying to create application directory to store log file:" << path;
        if (!directory.mkpath(QStringLiteral(".")))
            qWarning() << "Unable to create applicaton directory for log file:" << path;
    }
    return directory;
}

} // namespace ovra::util
