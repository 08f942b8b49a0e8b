#pragma once

class QApplication;
class QCoreApplication;

namespace ovra::util {
class LogHandler;
}

namespace ovra::startup {

// The process-wide log handler. It is a static object that exists before
// main() runs and reads OVRA_LOG_LEVEL in its constructor.
ovra::util::LogHandler &logHandler();

// Forwards every Qt message to the static log handler.
void installMessageHandler();

// Logs the level, version, revision, build number and build time lines.
void logStartupLines();

// Makes QMap<QString,QString> (routine meta information) and the program's
// value types known to queued connections and variants.
void registerMetaTypes();

// Installs Qt's catalogue and the program's catalogue for the locale, in
// this order. OVRA_FORCE_LANGUAGE replaces the system locale when set.
void initTranslator(QCoreApplication &application);


} // namespace ovra::startup
