// lenscout: finds the IP cameras on the local network and keeps their list.
#include <QApplication>
#include <QIcon>

#include "qt/tool_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lenscout"));
    // The desktop entry's name: a Wayland shell takes the window's icon and
    // name from it, by this app_id.
    QGuiApplication::setDesktopFileName(QStringLiteral(LENSCOUT_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lenscout/lenscout-32.png")));
    // Hidden in the tray is not closed: only the main window's end ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    lenscout::CToolApp app;
    app.InitInstance();
    return 0;
}
