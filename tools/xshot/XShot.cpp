// orvan-xshot FILE.png: saves the whole X display named by DISPLAY into FILE.png, so
// that a demo on a virtual display can be looked at.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvan-xshot FILE.png\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QGuiApplication application(argc, argv);
    auto* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "orvan-xshot: cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
