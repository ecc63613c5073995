// Draws the front end's own pictures (connect button, connection indicator, service
// spot, default logo) into data/pictures. The PNGs are committed; run this again only
// to change them:  orvan-draw-pictures <repo>/data/pictures

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk{0x1d, 0x2b, 0x3a};
const QColor kAccent{0x2f, 0x9e, 0xd8};
const QColor kGreen{0x3c, 0xb3, 0x71};
const QColor kAmber{0xf0, 0xa8, 0x30};
const QColor kPale{0xe8, 0xef, 0xf5};

bool save(const QString& folder, const QString& name, int width, int height,
          const std::function<void(QPainter&)>& draw) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    const auto path = QDir(folder).filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A prepaid card: rounded body, magnetic stripe, chip.
void card(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(2.5, 7.5, 27, 18), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(3, 11, 26, 3.5));
    p.setBrush(kAmber);
    p.drawRoundedRect(QRectF(6, 17, 6, 5), 1, 1);
    p.setBrush(kPale);
    p.drawRect(QRectF(15, 19, 11, 1.5));
}

// A member: head and shoulders.
void member(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(10.5, 3.5, 11, 11));
    QPainterPath body;
    body.moveTo(4, 29);
    body.cubicTo(4, 18, 28, 18, 28, 29);
    body.closeSubpath();
    p.drawPath(body);
}

// Self-service: a screen with a start triangle.
void selfService(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPale);
    p.drawRoundedRect(QRectF(3.5, 4.5, 25, 18), 2, 2);
    p.setBrush(kInk);
    p.drawRect(QRectF(13, 23, 6, 3));
    p.drawRoundedRect(QRectF(9, 26, 14, 2.5), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    QPolygonF play;
    play << QPointF(13, 8.5) << QPointF(21, 13.5) << QPointF(13, 18.5);
    p.drawPolygon(play);
}

// The indicator while searching: a dot with waves, the two frames lit alternately.
void searching(QPainter& p, bool inner) {
    p.setBrush(Qt::NoBrush);
    const QColor dim(0x8a, 0x99, 0xa8);
    p.setPen(QPen(inner ? kAmber : dim, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(6, 6, 12, 12), 30 * 16, 120 * 16);
    p.setPen(QPen(inner ? dim : kAmber, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2, 2, 20, 20), 30 * 16, 120 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawEllipse(QRectF(9.5, 13, 5, 5));
}

// The indicator once connected: a green disc with a tick.
void connected(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF tick;
    tick << QPointF(7, 12.5) << QPointF(10.5, 16) << QPointF(17, 8.5);
    p.drawPolyline(tick);
}

// The service spot: a small cog, discreet on a dark band.
void service(QPainter& p) {
    const QColor cog(0x7d, 0x8c, 0x9c);
    p.setPen(Qt::NoPen);
    p.setBrush(cog);
    p.translate(8, 8);
    for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-1.3, -7.5, 2.6, 3.5));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 5, 5);
    p.setBrush(QColor(0x1d, 0x2b, 0x3a));
    p.drawEllipse(QPointF(0, 0), 2, 2);
}

// The logo shown until the cafe sends its own: a globe over a screen.
void logo(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(4, 4, 152, 88), 14, 14);
    p.setBrush(kPale);
    p.drawRoundedRect(QRectF(34, 20, 92, 52), 5, 5);
    p.setBrush(kInk);
    p.drawRect(QRectF(72, 72, 16, 6));
    p.setBrush(kPale);
    p.drawRoundedRect(QRectF(58, 78, 44, 5), 2, 2);
    const QRectF globe(60, 26, 40, 40);
    p.setBrush(kAccent);
    p.drawEllipse(globe);
    p.setPen(QPen(kPale, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(72, 26, 16, 40));
    p.drawLine(QPointF(60, 46), QPointF(100, 46));
    p.drawLine(QPointF(63, 36), QPointF(97, 36));
    p.drawLine(QPointF(63, 56), QPointF(97, 56));
}

} // namespace

int main(int argc, char** argv) {
    // Drawing into images needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;
    ok &= save(folder, "cxn_card.png", 32, 32, card);
    ok &= save(folder, "cxn_member.png", 32, 32, member);
    ok &= save(folder, "cxn_selfservice.png", 32, 32, selfService);
    ok &=
        save(folder, "indicator_searching_a.png", 24, 24, [](QPainter& p) { searching(p, true); });
    ok &=
        save(folder, "indicator_searching_b.png", 24, 24, [](QPainter& p) { searching(p, false); });
    ok &= save(folder, "indicator_connected.png", 24, 24, connected);
    ok &= save(folder, "service.png", 16, 16, service);
    ok &= save(folder, "logo.png", 160, 96, logo);
    return ok ? 0 : 1;
}
