#include "AppStartup.h"

#include "BuildInfo.h"
#include "data/MetaTypes.h"
#include "rest/client/ScoringMetaTypes.h"
#include "util/LogHandler.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QLocale>
#include <QMap>
#include <QMetaType>
#include <QTranslator>

namespace ovra::startup {

namespace {
// Constructed during static initialisation, before main() runs.
ovra::util::LogHandler g_logHandler;

void forwardMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    g_logHandler.handleMessage(type, context, text);
}
} // namespace

ovra::util::LogHandler &logHandler()
{
    return g_logHandler;
}

void installMessageHandler()
{
    qInstallMessageHandler(forwardMessage);
}

void logStartupLines()
{
    qCritical() << "Log level is" << g_logHandler.logLevel();
    qInfo().noquote() << ovra::build::kVersion;
    qInfo().noquote() << "Revision:" << ovra::build::kRevision;
    qInfo().noquote() << "Build number:" << static_cast<quint64>(ovra::build::kBuildNumber);
    qInfo().noquote() << "Build time:" << ovra::build::kBuildTime;
}

void registerMetaTypes()
{
    // Registering the map type also registers its iterable and mutable view
    // converters, so the map can be iterated through a QVariant.
    qRegisterMetaType<QMap<QString, QString>>("QMap<QString,QString>");
    data::model::registerMetaTypes();
    ovra::rest::client::registerMetaTypes();
}

void initTranslator(QCoreApplication &application)
{
    QLocale locale;
    const QString forced = qEnvironmentVariable("OVRA_FORCE_LANGUAGE");
    if (!forced.isEmpty()) {
        qInfo() << "Enforcing language found in environment variable"
                << "OVRA_FORCE_LANGUAGE";
        locale = QLocale(forced);
        QLocale::setDefault(locale);
    }
    qInfo() << "Loading translations for locale" << locale << "using language(s)" << locale.uiLanguages();

    // Both translators live for the life of the process.
    auto *qtTranslator = new QTranslator(&application);
    if (qtTranslator->load(locale, QStringLiteral("qt_"), QString(),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtTranslator);
        qInfo() << "Loaded qt translations";
    } else {
        qWarning() << "Failed to load qt translations";
        delete qtTranslator;
    }

    const QString path = QStringLiteral(":/i18n/ovra_");
    auto *ovraTranslator = new QTranslator(&application);
    if (ovraTranslator->load(locale, path)) {
        QCoreApplication::installTranslator(ovraTranslator);
        qInfo() << "Loaded translations from file" << ovraTranslator->filePath();
    } else {
        qWarning() << "Failed to load translations for locale" << locale << "from file" << path;
        delete ovraTranslator;
    }
}

} // namespace ovra::startup
