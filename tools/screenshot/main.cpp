// Saves a picture of the X display named by DISPLAY, or of one window on
// it, as a PNG file.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: screenshot FILE.png [WINDOW-ID]\n");
        return 2;
    }
    const WId window = argc == 3 ? static_cast<WId>(std::strtoull(argv[2], nullptr, 0)) : 0;
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->grabWindow(window).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
