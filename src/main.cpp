#include "AppStartup.h"
#include "OvraDialog.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QSplashScreen>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("2.6.0"));

    ovra::startup::installMessageHandler();
    ovra::startup::logStartupLines();
    ovra::startup::registerMetaTypes();
    ovra::startup::initTranslator(application);

    auto *splash = new QSplashScreen(QPixmap());
    splash->setPixmap(QPixmap(QStringLiteral(":/icon/Ovra.png")));
    splash->show();
    const QDeadlineTimer deadline(1000);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);

    // The window is built while the splash screen is up, which stays its
    // second and goes on being repainted.
    OvraDialog window(ovra::startup::logHandler());
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    window.show();
    splash->finish(&window);
    delete splash;

    return application.exec();
}
