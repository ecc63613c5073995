// The yardstick of the footprint benchmark: a Qt Widgets program that shows one
// frameless full-screen label, as the lock window is shown, and changes its text from
// a 100 ms timer, as a count-down would. The text changes once a second, so the label
// is drawn again as often as a clock with seconds is.

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label;
    label.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                         Qt::WindowStaysOnTopHint);
    label.setAlignment(Qt::AlignCenter);
    const auto tick = [&label] {
        label.setText(QStringLiteral("This computer is locked. ") +
                      QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    };
    tick();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label, tick);
    timer.start(100);
    label.setGeometry(QGuiApplication::primaryScreen()->geometry());
    label.show();
    return QApplication::exec();
}
