#include "misc/Tutorials.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace ovra::tutorials {

namespace {

// The texts, translated in the context "Tutorials".
class Tutorials
{
    Q_DECLARE_TR_FUNCTIONS(Tutorials)
};

// The screenshots of the German program under a German locale, where
// there are some.
QString picture(const char *name)
{
    if (QLocale().language() == QLocale::German) {
        const QString german = QStringLiteral(":/icon/tutorial/de/%1.jpg").arg(QLatin1String(name));
        if (QFileInfo::exists(german))
            return german;
    }
    return QStringLiteral(":/icon/tutorial/%1.jpg").arg(QLatin1String(name));
}

} // namespace

QString setupTitle()
{
    return Tutorials::tr("Setup Instructions");
}

QString uiTitle()
{
    return Tutorials::tr("UI Tutorial");
}

QString networkTitle()
{
    return Tutorials::tr("Network Tutorial");
}

QList<TutorialPage> setupPages()
{
    return {
        {picture("setup01"),
         Tutorials::tr(
             "Place the four force sensors under the frame of each trampoline and lead their cables to the "
             "master box: the sensors of trampoline 1 into the four sockets on the left, those of "
             "trampoline 2 into the four on the right. Help > Self Diagnosis shows the whole chain from "
             "the computer to the sensors. Here no master box is connected yet: the box is crossed out and "
             "every check is red.")},
        {picture("setup02"),
         Tutorials::tr(
             "Connect the master box to the computer with its USB cable. Ovra finds it within a second: "
             "the box turns blue, the USB connection gets a green check, and every sensor that delivers a "
             "signal gets one too. A trampoline is ready when its four sensors and the trampoline itself "
             "are green. A red sensor delivers no signal: check its cable and socket.")},
        {picture("setup03"),
         Tutorials::tr(
             "Press on the bed near each sensor in turn: the blue marker follows the load towards that "
             "sensor. With \"show details\" every sensor shows its present raw value (P), its zero offset "
             "(T) and their difference (N). A sensor whose N does not rise under load, or a marker that "
             "moves towards the wrong corner, points to a swapped or faulty cable.")},
        {picture("setup04"),
         Tutorials::tr(
             "Config > Settings (F2): choose the trampoline type under Geometry. The built-in frames fill "
             "in the distances between the sensors along (L) and across (B) the bed; \"Other\" lets you "
             "enter them for another frame. Landing positions and deductions depend on them, so check them "
             "before the competition. A new geometry applies at once.")},
        {picture("setup05"),
         Tutorials::tr(
             "With both beds empty, press TARA. For 1.8 seconds Ovra measures the empty beds and takes the "
             "result as the zero of every sensor; nobody may touch the beds meanwhile. Ovra also zeroes by "
             "itself the first time the master box is connected.")},
        {picture("setup06"),
         Tutorials::tr(
             "Ready to go: the state display shows READY and the page says READY TO GO. Leave the "
             "trampoline selection and the weight class on \"Automatic\"; a warning above READY TO GO "
             "names anything that is not set as recommended, such as a sensor without signal.")},
    };
}

QList<TutorialPage> uiPages()
{
    return {
        {picture("ui01"),
         Tutorials::tr(
             "The main window. On the left the state display, the configuration, the start list and the "
             "saved files; on the right the page of the current state; at the bottom the status bar. The "
             "next pages show each area.")},
        {picture("ui02"),
         Tutorials::tr(
             "The state display shows where the routine stands: NO USB, READY, START, ROUTINE or REVIEW "
             "(PAUSE while training pauses); from START on, a banner above the page names the state and "
             "its keys in large type. Beside it the configuration: TARA zeroes the sensors, \"Tramp "
             "select\" chooses the trampoline (\"Automatic\" follows the activity on the beds) and "
             "\"Weight Class\" sets the contact threshold (\"Automatic\" adapts it to the athlete).")},
        {picture("ui03"),
         Tutorials::tr(
             "The start list: choose the event, the competition and the group, then the athlete (F3 gives "
             "the list the arrow keys; Page Down and Page Up move to the next and previous athlete). The "
             "choice travels with the routine into the data file, the database and to the scoring systems. "
             "While a start list is in use and nobody is chosen, READY warns.")},
        {picture("ui04"),
         Tutorials::tr(
             "Space starts a routine: START. The time since START runs in large figures; it is the start "
             "time of the routine. After 151 seconds a warning sound plays (Config > Rules), after 300 "
             "seconds the start ends by itself.")},
        {picture("ui05"),
         Tutorials::tr(
             "Space again when the athlete begins the routine: ROUTINE. Every landing appears on the bed "
             "with its number, the table lists time of flight, position and deduction of each element, and "
             "the read-outs add up time of flight and horizontal displacement. The tenth landing closes "
             "the routine.")},
        {picture("ui06"),
         Tutorials::tr(
             "REVIEW: the result of the routine. The arrow keys shift the routine by one landing or "
             "lengthen and shorten it; an edited routine is marked with what changed, and R restores it as "
             "measured. D shows the details. Space or CONFIRM commits the result: it is saved and sent to "
             "the scoring systems; a routine of fewer than three landings asks first (Enter commits it). X "
             "or DISMISS throws the routine away after asking: X again discards it, Esc keeps it.")},
        {picture("ui07"),
         Tutorials::tr(
             "Back in READY the result of the previous routine stays at the top of the page, so the next "
             "athlete can be started while the judges still read it.")},
        {picture("ui08"),
         Tutorials::tr(
             "The status bar: the routine time in seconds and in minutes, the trampoline in use, the "
             "measurement on display, the autosave, whether information for the next routine has arrived, "
             "and the connection lights of the scoring systems and of the HTTP and WebSocket servers.")},
        {picture("ui09"),
         Tutorials::tr(
             "The Help menu opens these tutorials again, the self-diagnosis of the sensors, the export of "
             "the competition protocol (statistics and a heat map of the landings) and the information "
             "about Ovra.")},
    };
}

QList<TutorialPage> networkPages(const QString &applicationDir)
{
    QList<TutorialPage> pages = {
        {picture("network01"),
         Tutorials::tr(
             "Ovra works with scoring software in three ways: it sends every committed result to up to "
             "three scoring systems over HTTP, it answers requests on its own HTTP server, and it pushes "
             "states and results to WebSocket clients. The right end of the status bar shows each "
             "connection: green works, red failed, yellow is not known yet, grey is switched off.")},
        {picture("network02"),
         Tutorials::tr(
             "Config > Network sets them up: the address of every scoring system and whether it also "
             "receives the states and intermediate results, and the ports of the HTTP and WebSocket "
             "servers.")},
        {picture("network03"),
         Tutorials::tr(
             "Scoring software may send the information of the next routine: the athlete, the competition, "
             "the group. The indicator \"Routine Information\" in the status bar lights up, and the "
             "information joins the routine when START is pressed.")},
        {picture("network04"),
         Tutorials::tr(
             "A committed result waits until every scoring system has taken it. When one fails, a message "
             "offers to send it again; the next routine starts when all have answered or the sending was "
             "put off with Cancel. A result put off is not lost: it waits in the outbox, goes by itself as "
             "soon as its system answers again, also after a restart, and the status bar counts what waits.")},
    };
    // Beside the program in the build tree; under share/ovra once installed.
    QString openApiPath = QDir(applicationDir).filePath(QStringLiteral("openapi"));
    if (!QFileInfo::exists(openApiPath))
        openApiPath = QDir::cleanPath(QDir(applicationDir).filePath(QStringLiteral("../share/ovra/openapi")));
    qDebug() << "openApiPath" << openApiPath;
    if (QFileInfo::exists(openApiPath))
        pages.first().text +=
            QStringLiteral(" <a href=\"%1\">API</a>").arg(QUrl::fromLocalFile(openApiPath).toString());
    return pages;
}

} // namespace ovra::tutorials
