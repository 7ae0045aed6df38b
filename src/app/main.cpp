#include "core/Kernel.h"
#include "core/SingleInstance.h"
#include "core/SystemClock.h"
#include "core/platform/QtSoundPlayer.h"
#include "core/ui/DesktopShell.h"
#include "core/ui/QtPrompter.h"
#include "core/ui/Tkernel_form.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

using namespace krx;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krx"));
    QApplication::setApplicationDisplayName(QStringLiteral("KRX Vizuzad"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("KRX packet-radio terminal and BBS mail client"));
    parser.addHelpOption();
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("Use DIR as the program directory."),
                                  QStringLiteral("DIR"));
    parser.addOption(home);
    parser.process(app);

    const QString programDirectory =
        parser.isSet(home) ? parser.value(home) : QCoreApplication::applicationDirPath();
    if (!QFileInfo(programDirectory).isDir()) {
        qCritical("krx: no such program directory: %s", qPrintable(programDirectory));
        return 2;
    }

    SingleInstance instance(programDirectory);
    if (!instance.claim())
        return 0;

    SystemClock clock;
    QtPrompter prompter;
    QtSoundPlayer sound;
    DesktopShell shell;
    Kernel kernel(ProgramDirectory(programDirectory),
                  QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                  Services{clock, prompter, sound, shell});
    Tkernel_form window(kernel);
    prompter.setParentWindow(&window);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        window.showNormal();
        window.showMaximized();
        window.raise();
        window.activateWindow();
    });
    window.startUp();
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
