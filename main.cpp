#include "window/app_names.h"
#include "window/integration.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(app_names::title));
    QApplication::setApplicationDisplayName(QString::fromUtf8(app_names::title));
    QApplication::setDesktopFileName(QString::fromUtf8(app_names::desktop_id));
    QApplication::setWindowIcon(
        QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(app_names::desktop_id))));

    Integration window;
    window.show();
    return QApplication::exec();
}
