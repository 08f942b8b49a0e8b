#pragma once

#include <QDir>
#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

#include <atomic>

namespace ovra::util {

// Results that did not reach a scoring system, and the outbox that keeps
// them: the operator must find these lines in the log whatever the level,
// so its warnings are written at the default level too.
Q_DECLARE_LOGGING_CATEGORY(lcDelivery)

// The one sink of every Qt log message: filters by a level fixed at start,
// formats one tab-separated line and writes it to standard output and,
// when enabled, appends it to "ovra.log". Messages arrive from any thread.
class LogHandler
{
public:
    static constexpr const char *kDeliveryCategory = "ovra.delivery";

    // Reads OVRA_LOG_LEVEL once; only 0, 1 and 2 are accepted, anything else gives 4.
    LogHandler();

    // Whether a message passes the level: its type value is not below the
    // level, or it is a warning (or worse) of the delivery category.
    bool isWritten(QtMsgType type, const QMessageLogContext &context) const;

    void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &text);
    QString formatLogLine(QtMsgType type, const QMessageLogContext &context, const QString &text) const;

    int logLevel() const { return m_logLevel; }

    // Written by the settings in the GUI thread, read by every logging thread:
    // the settings are applied at start before other threads log, and a change
    // from the dialog only affects where later lines go.
    bool saveToFile() const;
    void setSaveToFile(bool saveToFile);
    QDir logDirectory() const;
    void setLogDirectory(const QDir &directory);
    QString fileName() const { return m_fileName; }
    QString logFilePath() const;

    static QDir getDefaultLogFileLocation();
    static int levelFromEnvironment();

private:
    const int m_logLevel;
    const QString m_fileName;
    std::atomic<bool> m_saveToFile{true};
    QString m_logDirectory; // absolute path; guarded by g_logFileMutex in the .cpp
};

} // namespace ovra::util
