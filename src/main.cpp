#include "app/dbhouse.h"
#include "app/prompt.h"
#include "app/setup.h"
#include "app/tglobal.h"
#include "app/ui/qtprompt.h"
#include "app/ui/tformmain.h"
#include "app/ui/windowcatalogue.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QScreen>
#include <cstdio>

namespace {
bool hasOption(int argc, char **argv, const char *option)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], option) == 0)
            return true;
    }
    return false;
}

int runSetup(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return runSetupCommand(QCoreApplication::arguments());
}
} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (hasOption(argc, argv, "--init-local") || hasOption(argc, argv, "--init-server"))
        return runSetup(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle());
    QApplication::setApplicationDisplayName(applicationTitle());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lanting.png")));
    TGlobal settings(QCoreApplication::applicationFilePath());

    QtPrompt prompt;
    Prompt::install(&prompt);
    windowcatalogue::registerAllWindows();

    Tdbhouse data;
    TFormmain frame(data, &settings);
    // --startup-probe: show the login at once, report the time since process start, and end.
    if (hasOption(argc, argv, "--startup-probe")) {
        frame.loginTimer().setInterval(0);
        QObject::connect(&frame, &TFormmain::loginShown, &app, [&] {
            std::printf("login shown after %lld ms\n", static_cast<long long>(sinceStart.elapsed()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    // Without a window manager (a bare X server) maximising does nothing; start with the screen's size.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    const int code = app.exec();
    Prompt::install(nullptr);
    return code;
}
