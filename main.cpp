#include "cli/command_line.h"
#include "window/app_names.h"
#include "window/integration.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    // Any argument but Qt's own window options asks for the command line: no window is made.
    if (cli::selectsCommandLine(argc, argv)) {
        return cli::run(argc, argv);
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(app_names::title));
    QApplication::setApplicationDisplayName(QString::fromUtf8(app_names::title));
    QApplication::setDesktopFileName(QString::fromUtf8(app_names::desktop_id));
    QApplication::setWindowIcon(
        QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(app_names::desktop_id))));

    // The program speaks German, so Qt's own dialogs and menus do too; numbers keep the locale.
    auto* qtTexts = new QTranslator(&application);
    if (qtTexts->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtTexts);
    }

    Integration window;
    window.show();
    return QApplication::exec();
}
