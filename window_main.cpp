// SPDX-License-Identifier: GPL-3.0-or-later
// The window program. It is a module that main loads only when the window is wanted, so that
// a command-line call never loads Qt Widgets and the libraries the window links.
#include "window/main/app_names.h"
#include "window/main/integration.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// Makes the application and the window and runs the event loop; argc lives as long as the call.
extern "C" Q_DECL_EXPORT int numer_integration_window_main(int* argc, char** argv) {
    QApplication application(*argc, argv);
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
