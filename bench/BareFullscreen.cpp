// The yardstick of the start-up benchmark: a Qt Widgets program that shows one
// frameless window over the whole screen, as the lock window is shown, and nothing
// else. With "--text" the window carries a line of text, so that the font set-up
// every program that shows text pays is counted as well.

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                          Qt::WindowStaysOnTopHint);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("This computer is locked."), &window), 0,
                          Qt::AlignCenter);
    }
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    return QApplication::exec();
}
