// ovra-eval: re-scores stored routines without the window. Loads data files
// the way the workstation's Open does, with the workstation's own settings,
// and prints the confirmed result that committing each routine would send to
// the scoring systems. With --protocol it prints the competition statistics
// of a folder of data files, as the protocol export writes them.

#include "AppStartup.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "statistics/CompetitionStatistics.h"
#include "statistics/LandingHeatMap.h"
#include "statistics/ProtocolScan.h"
#include "util/FileUtils.h"
#include "util/LogHandler.h"
#include "util/StoredRoutine.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

// Standard output carries the results alone; log lines of warning level and
// above go to standard error, formatted as the workstation logs them.
void messageToStandardError(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    const QString line = ovra::startup::logHandler().formatLogLine(type, context, text);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

// The tool's messages, translated in the context "OvraEval".
class OvraEval
{
    Q_DECLARE_TR_FUNCTIONS(OvraEval)
};

void printError(const QString &text)
{
    std::fprintf(stderr, "ovra-eval: %s\n", text.toLocal8Bit().constData());
}

int usage(const QString &problem)
{
    if (!problem.isEmpty())
        printError(problem);
    const QString lines = QStringLiteral("%1\n%2").arg(
        OvraEval::tr("usage: %1").arg(QStringLiteral("ovra-eval [--hd-rule 0|1] FILE...")),
        OvraEval::tr("   or: %1")
            .arg(QStringLiteral("ovra-eval --protocol DIR [--subfolders] [--heatmap FILE.png]")));
    std::fprintf(stderr, "%s\n", lines.toLocal8Bit().constData());
    return kExitUsage;
}

bool writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    if (!bytes.endsWith('\n'))
        std::fputc('\n', stdout);
    return std::ferror(stdout) == 0;
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

struct Options
{
    int hdRule = -1;
    QStringList files;
    QString protocolFolder;
    bool protocol = false;
    bool subfolders = false;
    QString heatMap;
    bool help = false;
    QString problem;
};

Options parse(const QStringList &arguments)
{
    Options o;
    auto value = [&](int &i, const char *option) -> QString {
        if (i + 1 >= arguments.size()) {
            o.problem = OvraEval::tr("%1 needs a value").arg(QLatin1String(option));
            return QString();
        }
        return arguments.at(++i);
    };
    for (int i = 0; i < arguments.size() && o.problem.isEmpty(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--hd-rule")) {
            const QString rule = value(i, "--hd-rule");
            if (!o.problem.isEmpty())
                break;
            if (rule != QLatin1String("0") && rule != QLatin1String("1"))
                o.problem = OvraEval::tr("--hd-rule takes 0 or 1, not '%1'").arg(rule);
            o.hdRule = rule.toInt();
        } else if (argument == QLatin1String("--protocol")) {
            o.protocol = true;
            o.protocolFolder = value(i, "--protocol");
        } else if (argument == QLatin1String("--subfolders")) {
            o.subfolders = true;
        } else if (argument == QLatin1String("--heatmap")) {
            o.heatMap = value(i, "--heatmap");
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            o.help = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            o.problem = OvraEval::tr("unknown option '%1'").arg(argument);
        } else {
            o.files.append(argument);
        }
    }
    if (!o.problem.isEmpty() || o.help)
        return o;
    if (o.protocol) {
        if (!o.files.isEmpty() || o.hdRule >= 0)
            o.problem = OvraEval::tr("--protocol takes a folder and no files or rule");
    } else if (o.subfolders || !o.heatMap.isEmpty()) {
        o.problem = OvraEval::tr("--subfolders and --heatmap belong to --protocol");
    } else if (o.files.isEmpty()) {
        o.problem = OvraEval::tr("no file given");
    }
    return o;
}

int runProtocol(const Options &o)
{
    CompetitionStatistics statistics;
    if (!ovra::statistics::scanCompetitionFolder(o.protocolFolder, o.subfolders, statistics)) {
        printError(OvraEval::tr("%1 is not a folder").arg(o.protocolFolder));
        return kExitUnreadable;
    }
    if (!o.heatMap.isEmpty() && !ovra::statistics::saveHeatMap(statistics, o.heatMap)) {
        printError(OvraEval::tr("cannot write %1").arg(o.heatMap));
        return kExitUnreadable;
    }
    return writeOut(ovra::statistics::statisticsJson(statistics)) && std::fflush(stdout) == 0
               ? 0
               : kExitUnreadable;
}

int runScoring(const Options &o)
{
    wsDaten store;
    OvraSettings::Targets targets;
    targets.store = &store;
    OvraSettings settings(targets, ovra::startup::logHandler());
    int width = 0;
    int height = 0;
    QFont font;
    settings.load(width, height, font);
    if (o.hdRule >= 0)
        settings.rulesSettings().setHdDeductionRule(o.hdRule);
    // Every file starts from the settings as loaded, as in a process of its
    // own: a file without zero offsets must not inherit the previous one's.
    const StoreSettings configured = store.storeSettings();

    // One file prints its result as the scoring systems receive it; several
    // print one compact result per line, "null" for a file that cannot be
    // read, so that line k always belongs to file k.
    const bool lines = o.files.size() > 1;
    bool allRead = true;
    bool written = true;
    for (const QString &file : o.files) {
        const ovra::util::StoredRoutineScore score =
            ovra::util::scoreStoredRoutine(file, settings, store, configured);
        if (!score.read) {
            const QString dataFile = ovra::util::FileUtils::loadBasePath(file) + QStringLiteral(".dat");
            if (score.refusal.isEmpty())
                printError(OvraEval::tr("cannot read %1").arg(dataFile));
            else
                printError(OvraEval::tr("cannot read %1: %2").arg(dataFile, score.refusal));
            allRead = false;
            if (lines)
                written = writeOut("null") && written;
            continue;
        }
        QByteArray json = score.json;
        if (lines)
            json = QJsonDocument::fromJson(json).toJson(QJsonDocument::Compact);
        written = writeOut(json) && written;
    }
    if (std::fflush(stdout) != 0 || !written)
        return kExitUnreadable;
    return allRead ? 0 : kExitUnreadable;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing the heat map needs fonts, which only a GUI application has;
    // the tool stays headless on the offscreen platform.
    bool drawing = false;
    for (int i = 1; i < argc; ++i)
        drawing = drawing || std::strcmp(argv[i], "--heatmap") == 0;
    std::unique_ptr<QCoreApplication> application;
    if (drawing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    qInstallMessageHandler(messageToStandardError);
    ovra::startup::registerMetaTypes();
    loadCatalogue(*application);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const Options options = parse(arguments);
    if (options.help) {
        // Asked for, the usage is an answer, not a mistake.
        usage(QString());
        return 0;
    }
    if (!options.problem.isEmpty())
        return usage(options.problem);
    return options.protocol ? runProtocol(options) : runScoring(options);
}
