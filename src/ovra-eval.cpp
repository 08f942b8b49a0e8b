// ovra-eval: re-scores a stored routine without the window. Loads one data
// file the way the workstation's Open does, with the workstation's own
// settings, and prints the confirmed result that committing the routine would
// send to the scoring systems.

#include "AppStartup.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "util/FileUtils.h"
#include "util/LogHandler.h"
#include "util/RESTUtils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <cstdio>

namespace {

constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

// Standard output carries the result alone; log lines of warning level and
// above go to standard error, formatted as the workstation logs them.
void messageToStandardError(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    const QString line = ovra::startup::logHandler().formatLogLine(type, context, text);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

void printError(const QString &text)
{
    std::fprintf(stderr, "ovra-eval: %s\n", text.toLocal8Bit().constData());
}

int usage(const QString &problem)
{
    if (!problem.isEmpty())
        printError(problem);
    std::fprintf(stderr, "%s\n", QCoreApplication::translate("OvraEval", "usage: %1").arg(QStringLiteral("ovra-eval [--hd-rule 0|1] FILE")).toLocal8Bit().constData());
    return kExitUsage;
}

// The program's own catalogue for the locale (or OVRA_FORCE_LANGUAGE),
// loaded quietly: standard error is reserved for the tool's own messages.
void loadCatalogue(QCoreApplication &application)
{
    const QString forced = qEnvironmentVariable("OVRA_FORCE_LANGUAGE");
    const QLocale locale = forced.isEmpty() ? QLocale() : QLocale(forced);
    auto *translator = new QTranslator(&application);
    if (translator->load(locale, QStringLiteral(":/i18n/ovra_")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    qInstallMessageHandler(messageToStandardError);
    ovra::startup::registerMetaTypes();
    loadCatalogue(application);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    int hdRule = -1;
    QString file;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--hd-rule")) {
            if (i + 1 >= arguments.size())
                return usage(QCoreApplication::translate("OvraEval", "--hd-rule needs a value"));
            const QString value = arguments.at(++i);
            if (value != QLatin1String("0") && value != QLatin1String("1"))
                return usage(QCoreApplication::translate("OvraEval", "--hd-rule takes 0 or 1, not '%1'").arg(value));
            hdRule = value.toInt();
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            // Asked for, the usage line is an answer, not a mistake.
            usage(QString());
            return 0;
        } else if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            return usage(QCoreApplication::translate("OvraEval", "unknown option '%1'").arg(argument));
        } else if (file.isEmpty()) {
            file = argument;
        } else {
            return usage(QCoreApplication::translate("OvraEval", "only one file can be evaluated"));
        }
    }
    if (file.isEmpty())
        return usage(QCoreApplication::translate("OvraEval", "no file given"));

    wsDaten store;
    OvraSettings::Targets targets;
    targets.store = &store;
    OvraSettings settings(targets, ovra::startup::logHandler());
    int width = 0;
    int height = 0;
    QFont font;
    settings.load(width, height, font);
    if (hdRule >= 0)
        settings.rulesSettings().setHdDeductionRule(hdRule);

    const QString base = ovra::util::FileUtils::loadBasePath(file);
    const QString dataFile = base + QStringLiteral(".dat");
    std::function<void()> reset = [&store]() { ovra::util::FileUtils::resetMeasurementForLoad(store); };
    QString refusal;
    if (!QFileInfo(dataFile).isFile() ||
        !ovra::util::FileUtils::loadDataFile(base, &settings, store, nullptr, reset, &refusal)) {
        if (refusal.isEmpty())
            printError(QCoreApplication::translate("OvraEval", "cannot read %1").arg(dataFile));
        else
            printError(QCoreApplication::translate("OvraEval", "cannot read %1: %2").arg(dataFile, refusal));
        return kExitUnreadable;
    }

    const auto result = ovra::util::RESTUtils::createConfirmedResult(
        store.routines(), store.trampMode(), store.currentIndividualResult(),
        store.currentSynchronizedResult(), settings.rulesSettings());
    const QByteArray json = result.toJson();
    std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
    if (!json.endsWith('\n'))
        std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitUnreadable;
}
