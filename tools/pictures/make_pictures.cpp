// Paints the pictures of Pramilo and Sudeval. To regenerate them:
//   cmake -S tools/pictures -B build-pictures && cmake --build build-pictures
//   QT_QPA_PLATFORM=offscreen ./build-pictures/make_pictures src/programs/pictures

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QtMath>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace {

constexpr int TitleWidth = 531;
constexpr int TitleHeight = 393;

QFont letterFont(qreal pixels, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(qRound(pixels));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QPen outline(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Bright colours that take turns in lettering.
const std::array<QColor, 5> Rainbow = {
    QColor(0xE5, 0x39, 0x35), QColor(0x1E, 0x7B, 0xE0), QColor(0x2E, 0xA0, 0x3C),
    QColor(0xF5, 0x8A, 0x00), QColor(0x8E, 0x3C, 0xC8)};

// ---------------------------------------------------------------- emblem

QPainterPath shieldPath()
{
    QPainterPath path;
    path.moveTo(10, 10);
    path.cubicTo(30, 14, 40, 6, 50, 4);
    path.cubicTo(60, 6, 70, 14, 90, 10);
    path.lineTo(90, 52);
    path.cubicTo(90, 80, 72, 96, 50, 106);
    path.cubicTo(28, 96, 10, 80, 10, 52);
    path.closeSubpath();
    return path;
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

// A pencil lying along +x with its point at the origin; half its thickness is `half`.
void drawPencil(QPainter &p, qreal length, qreal half, qreal line)
{
    const QColor dark(0x4A, 0x33, 0x20);
    const qreal cone = half * 3.2;
    const qreal lead = cone * 0.38;
    const qreal metal = half * 1.4;
    const qreal rubber = half * 1.6;
    const qreal bodyEnd = length - metal - rubber;

    QPainterPath wood;
    wood.moveTo(0, 0);
    wood.lineTo(cone, -half);
    wood.lineTo(cone, half);
    wood.closeSubpath();
    p.setPen(outline(dark, line));
    p.setBrush(QColor(0xF6, 0xCF, 0x9A));
    p.drawPath(wood);

    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(lead, -half * lead / cone);
    tip.lineTo(lead, half * lead / cone);
    tip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0x3A, 0x3A));
    p.drawPath(tip);

    const QRectF body(cone, -half, bodyEnd - cone, 2 * half);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xC4, 0x1A));
    p.drawRect(body);
    p.setBrush(QColor(0xFF, 0xE0, 0x70));
    p.drawRect(QRectF(cone, -half, bodyEnd - cone, half * 0.6));
    p.setBrush(QColor(0xE8, 0x9E, 0x00));
    p.drawRect(QRectF(cone, half * 0.45, bodyEnd - cone, half * 0.55));
    p.setPen(outline(dark, line));
    p.setBrush(Qt::NoBrush);
    p.drawRect(body);

    p.setBrush(QColor(0xB8, 0xC4, 0xCC));
    p.drawRect(QRectF(bodyEnd, -half, metal, 2 * half));
    QPainterPath eraser;
    eraser.moveTo(bodyEnd + metal, -half);
    eraser.lineTo(length - half * 0.6, -half);
    eraser.quadTo(length, -half, length, 0);
    eraser.quadTo(length, half, length - half * 0.6, half);
    eraser.lineTo(bodyEnd + metal, half);
    eraser.closeSubpath();
    p.setBrush(QColor(0xF4, 0x8F, 0xB1));
    p.drawPath(eraser);
}

// The school emblem, drawn in a 100 x 110 design box fitted into `box`.
void drawEmblem(QPainter &p, const QRectF &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / 100.0, box.height() / 110.0);

    const QPainterPath shield = shieldPath();
    const QColor navy(0x15, 0x2C, 0x66);

    // A white halo keeps the emblem clear on dark or busy backgrounds.
    p.setPen(outline(Qt::white, 9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shield);

    QLinearGradient blue(0, 0, 0, 110);
    blue.setColorAt(0, QColor(0x3A, 0x8D, 0xF0));
    blue.setColorAt(1, QColor(0x1B, 0x4F, 0xB8));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(shield);

    p.setPen(outline(navy, 6.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shield);
    p.setPen(outline(QColor(0xFF, 0xC8, 0x1E), 3.6));
    p.drawPath(shield);

    // star
    p.setPen(outline(QColor(0xC7, 0x7A, 0x00), 1.6));
    p.setBrush(QColor(0xFF, 0xD8, 0x2A));
    p.drawPath(starPath(QPointF(50, 27), 15, 6.4));

    // open book
    QPainterPath cover;
    cover.moveTo(50, 56);
    cover.cubicTo(40, 49, 27, 49, 17, 52);
    cover.lineTo(17, 83);
    cover.cubicTo(27, 80, 40, 80, 50, 87);
    cover.cubicTo(60, 80, 73, 80, 83, 83);
    cover.lineTo(83, 52);
    cover.cubicTo(73, 49, 60, 49, 50, 56);
    cover.closeSubpath();
    p.setPen(outline(QColor(0x7A, 0x12, 0x12), 1.6));
    p.setBrush(QColor(0xE5, 0x39, 0x35));
    p.drawPath(cover);

    for (int side = -1; side <= 1; side += 2) {
        QPainterPath page;
        page.moveTo(50, 52);
        page.cubicTo(50 + side * 10, 45, 50 + side * 21, 45, 50 + side * 29, 48);
        page.lineTo(50 + side * 29, 78);
        page.cubicTo(50 + side * 21, 75, 50 + side * 10, 75, 50, 82);
        page.closeSubpath();
        p.setPen(outline(QColor(0x8A, 0x8A, 0x8A), 1.1));
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.setPen(outline(QColor(0x8F, 0xB8, 0xE6), 1.6));
        for (int row = 0; row < 4; ++row) {
            const qreal y = 55 + row * 6.0;
            QPainterPath text;
            text.moveTo(50 + side * 5, y);
            text.cubicTo(50 + side * 11, y - 4, 50 + side * 18, y - 4, 50 + side * 24, y - 2.5);
            p.drawPath(text);
        }
    }

    // pencil across the lower corner of the book
    p.save();
    p.translate(30, 97);
    p.rotate(-32);
    drawPencil(p, 52, 4.3, 1.2);
    p.restore();

    p.restore();
}

// ---------------------------------------------------------------- landscape

void drawCloud(QPainter &p, QPointF at, qreal scale)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    QPainterPath cloud;
    cloud.addEllipse(QPointF(-22, 4), 16, 12);
    cloud.addEllipse(QPointF(-4, -6), 19, 17);
    cloud.addEllipse(QPointF(17, -1), 16, 14);
    cloud.addEllipse(QPointF(30, 7), 12, 9);
    cloud.addRoundedRect(QRectF(-36, 2, 76, 14), 7, 7);
    cloud.setFillRule(Qt::WindingFill);
    const QPainterPath solid = cloud.simplified();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD6, 0xEA, 0xF8));
    p.drawPath(solid.translated(0, 3));
    p.setBrush(Qt::white);
    p.drawPath(solid);
    p.restore();
}

void drawSun(QPainter &p, QPointF centre)
{
    p.setPen(outline(QColor(0xFF, 0xB3, 0x00), 4.5));
    for (int i = 0; i < 12; ++i) {
        const qreal angle = qDegreesToRadians(i * 30.0 + 15.0);
        const QPointF dir(qCos(angle), qSin(angle));
        p.drawLine(centre + dir * 38, centre + dir * 49);
    }
    QRadialGradient glow(centre, 31, centre - QPointF(9, 9));
    glow.setColorAt(0, QColor(0xFF, 0xF8, 0xB0));
    glow.setColorAt(1, QColor(0xFF, 0xD0, 0x1C));
    p.setPen(outline(QColor(0xF0, 0x9A, 0x00), 2));
    p.setBrush(glow);
    p.drawEllipse(centre, 30, 30);

    // friendly face
    const QColor face(0xB8, 0x64, 0x00);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(centre + QPointF(-10, -6), 3.2, 4.2);
    p.drawEllipse(centre + QPointF(10, -6), 3.2, 4.2);
    p.setBrush(QColor(0xFF, 0x8A, 0x65, 150));
    p.drawEllipse(centre + QPointF(-17, 5), 5, 3.5);
    p.drawEllipse(centre + QPointF(17, 5), 5, 3.5);
    p.setPen(outline(face, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - 12, centre.y() - 6, 24, 20), 200 * 16, 140 * 16);
}

void drawTree(QPainter &p, QPointF base)
{
    const QColor bark(0x7B, 0x4A, 0x22);
    QPainterPath trunk;
    trunk.moveTo(base + QPointF(-9, 0));
    trunk.cubicTo(base + QPointF(-5, -20), base + QPointF(-6, -50), base + QPointF(-5, -70));
    trunk.lineTo(base + QPointF(5, -70));
    trunk.cubicTo(base + QPointF(6, -50), base + QPointF(5, -20), base + QPointF(9, 0));
    trunk.closeSubpath();
    p.setPen(outline(QColor(0x5A, 0x34, 0x16), 1.5));
    p.setBrush(bark);
    p.drawPath(trunk);

    QPainterPath crown;
    crown.addEllipse(base + QPointF(0, -108), 30, 27);
    crown.addEllipse(base + QPointF(-24, -88), 24, 21);
    crown.addEllipse(base + QPointF(24, -88), 24, 21);
    crown.addEllipse(base + QPointF(-10, -74), 22, 16);
    crown.addEllipse(base + QPointF(12, -74), 22, 16);
    crown.setFillRule(Qt::WindingFill);
    const QPainterPath solid = crown.simplified();
    QRadialGradient leaves(base + QPointF(-12, -112), 70);
    leaves.setColorAt(0, QColor(0x7C, 0xCF, 0x4E));
    leaves.setColorAt(1, QColor(0x2F, 0x8A, 0x2E));
    p.setPen(outline(QColor(0x23, 0x6B, 0x23), 1.6));
    p.setBrush(leaves);
    p.drawPath(solid);

    // apples
    p.setPen(outline(QColor(0x9A, 0x10, 0x10), 1));
    p.setBrush(QColor(0xF0, 0x3A, 0x2E));
    const std::array<QPointF, 5> apples = {QPointF(-18, -98), QPointF(14, -112), QPointF(22, -86),
                                           QPointF(-4, -82), QPointF(-30, -80)};
    for (const QPointF &apple : apples)
        p.drawEllipse(base + apple, 4, 4);
}

void drawSchool(QPainter &p, QPointF base)
{
    const QColor line(0x5A, 0x34, 0x16);
    const qreal x = base.x();
    const qreal y = base.y();

    // flag on the roof
    p.setPen(outline(line, 2));
    p.drawLine(QPointF(x, y - 84), QPointF(x, y - 108));
    QPainterPath flag;
    flag.moveTo(x + 1, y - 108);
    flag.cubicTo(x + 8, y - 111, x + 12, y - 103, x + 20, y - 105);
    flag.lineTo(x + 20, y - 95);
    flag.cubicTo(x + 12, y - 93, x + 8, y - 101, x + 1, y - 98);
    flag.closeSubpath();
    p.setPen(outline(QColor(0x9A, 0x10, 0x10), 1));
    p.setBrush(QColor(0xF0, 0x3A, 0x2E));
    p.drawPath(flag);

    // walls
    p.setPen(outline(line, 1.6));
    p.setBrush(QColor(0xFF, 0xEE, 0xC8));
    p.drawRect(QRectF(x - 40, y - 48, 80, 48));

    // roof
    QPainterPath roof;
    roof.moveTo(x - 50, y - 44);
    roof.lineTo(x, y - 86);
    roof.lineTo(x + 50, y - 44);
    roof.closeSubpath();
    QLinearGradient tiles(0, y - 86, 0, y - 44);
    tiles.setColorAt(0, QColor(0xF2, 0x55, 0x3C));
    tiles.setColorAt(1, QColor(0xC6, 0x2E, 0x22));
    p.setPen(outline(QColor(0x7A, 0x18, 0x10), 1.6));
    p.setBrush(tiles);
    p.drawPath(roof);

    // clock in the gable
    p.setPen(outline(line, 1.4));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(x, y - 60), 8, 8);
    p.setPen(outline(line, 1.4));
    p.drawLine(QPointF(x, y - 60), QPointF(x, y - 65.5));
    p.drawLine(QPointF(x, y - 60), QPointF(x + 4, y - 60));

    // door
    p.setPen(outline(line, 1.4));
    p.setBrush(QColor(0x2F, 0x7D, 0xE0));
    QPainterPath door;
    door.moveTo(x - 9, y);
    door.lineTo(x - 9, y - 20);
    door.arcTo(QRectF(x - 9, y - 29, 18, 18), 180, -180);
    door.lineTo(x + 9, y);
    door.closeSubpath();
    p.drawPath(door);
    p.setBrush(QColor(0xFF, 0xD0, 0x1C));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x + 5, y - 11), 1.6, 1.6);

    // windows
    for (int side = -1; side <= 1; side += 2) {
        const QRectF window(x + side * 24 - 8, y - 38, 16, 16);
        p.setPen(outline(line, 1.4));
        p.setBrush(QColor(0xA8, 0xDC, 0xFF));
        p.drawRect(window);
        p.setPen(outline(Qt::white, 1.6));
        p.drawLine(QPointF(window.center().x(), window.top() + 1.5),
                   QPointF(window.center().x(), window.bottom() - 1.5));
        p.drawLine(QPointF(window.left() + 1.5, window.center().y()),
                   QPointF(window.right() - 1.5, window.center().y()));
        p.setPen(outline(line, 1.4));
        p.setBrush(QColor(0x8B, 0xC3, 0x4A));
        p.drawRect(QRectF(window.left() - 2, window.bottom(), window.width() + 4, 4));
    }
}

void drawFlower(QPainter &p, QPointF at, const QColor &petals)
{
    p.setPen(outline(QColor(0x2E, 0x7D, 0x32), 1.6));
    p.drawLine(at, at + QPointF(0, 9));
    p.setPen(outline(petals.darker(140), 0.8));
    p.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        const qreal angle = qDegreesToRadians(i * 72.0 - 90.0);
        p.drawEllipse(at + QPointF(qCos(angle), qSin(angle)) * 3.6, 2.9, 2.9);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD0, 0x1C));
    p.drawEllipse(at, 2.3, 2.3);
}

void drawLandscape(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, 250);
    sky.setColorAt(0, QColor(0x3C, 0x9A, 0xE6));
    sky.setColorAt(1, QColor(0xCB, 0xEB, 0xFF));
    p.fillRect(QRect(0, 0, TitleWidth, TitleHeight), sky);

    drawSun(p, QPointF(62, 60));
    drawCloud(p, QPointF(470, 58), 1.0);
    drawCloud(p, QPointF(455, 128), 0.6);

    // birds
    p.setPen(outline(QColor(0x2B, 0x3A, 0x55), 1.8));
    p.setBrush(Qt::NoBrush);
    for (const QPointF &bird : {QPointF(96, 128), QPointF(112, 118)}) {
        QPainterPath wings;
        wings.moveTo(bird + QPointF(-7, -2));
        wings.quadTo(bird + QPointF(-3, -5), bird);
        wings.quadTo(bird + QPointF(3, -5), bird + QPointF(7, -2));
        p.drawPath(wings);
    }

    p.setPen(Qt::NoPen);
    QPainterPath far;
    far.moveTo(0, 222);
    far.cubicTo(60, 186, 150, 196, 220, 214);
    far.cubicTo(290, 232, 360, 184, 440, 196);
    far.cubicTo(480, 202, 510, 210, 531, 206);
    far.lineTo(531, 393);
    far.lineTo(0, 393);
    far.closeSubpath();
    p.setBrush(QColor(0xA6, 0xD8, 0x80));
    p.drawPath(far);

    QPainterPath near;
    near.moveTo(0, 258);
    near.cubicTo(80, 236, 180, 246, 260, 262);
    near.cubicTo(340, 278, 430, 242, 531, 250);
    near.lineTo(531, 393);
    near.lineTo(0, 393);
    near.closeSubpath();
    QLinearGradient hill(0, 236, 0, 300);
    hill.setColorAt(0, QColor(0x74, 0xC4, 0x4E));
    hill.setColorAt(1, QColor(0x57, 0xAE, 0x3C));
    p.setBrush(hill);
    p.drawPath(near);

    drawTree(p, QPointF(86, 266));
    drawSchool(p, QPointF(466, 262));

    QPainterPath front;
    front.moveTo(0, 292);
    front.cubicTo(120, 280, 250, 288, 350, 296);
    front.cubicTo(430, 302, 490, 290, 531, 286);
    front.lineTo(531, 393);
    front.lineTo(0, 393);
    front.closeSubpath();
    QLinearGradient grass(0, 280, 0, 393);
    grass.setColorAt(0, QColor(0x5C, 0xB8, 0x40));
    grass.setColorAt(1, QColor(0x3A, 0x94, 0x2C));
    p.setPen(Qt::NoPen);
    p.setBrush(grass);
    p.drawPath(front);

    const QColor red(0xF0, 0x3A, 0x2E), yellow(0xFF, 0xE0, 0x3A), white(0xFF, 0xFF, 0xFF),
        pink(0xF7, 0x8F, 0xC8), purple(0xB0, 0x7C, 0xF0);
    const std::array<std::pair<QPointF, QColor>, 12> flowers = {{
        {QPointF(96, 312), red},     {QPointF(122, 338), yellow}, {QPointF(152, 314), pink},
        {QPointF(178, 344), white},  {QPointF(206, 320), purple}, {QPointF(88, 350), white},
        {QPointF(326, 318), yellow}, {QPointF(352, 344), red},    {QPointF(384, 316), white},
        {QPointF(412, 342), pink},   {QPointF(440, 312), purple}, {QPointF(442, 352), yellow},
    }};
    for (const auto &[at, colour] : flowers)
        drawFlower(p, at, colour);

    drawEmblem(p, QRectF(14, 298, 54, 60));
    drawEmblem(p, QRectF(TitleWidth - 14 - 54, 298, 54, 60));
}

// ---------------------------------------------------------------- panel

// The writing hand: the pencil lies along +x with its point at the origin, the palm on the +y side.
void drawWritingHand(QPainter &p)
{
    const QColor skinLine(0x9A, 0x5A, 0x32);
    const QColor skin(0xFF, 0xD6, 0xB0);
    const QColor skinShade(0xF4, 0xBC, 0x92);
    const QColor nail(0xFF, 0xEC, 0xE0);

    const auto finger = [&](QPointF from, QPointF to, qreal thickness) {
        QPainterPath path;
        path.moveTo(from);
        path.lineTo(to);
        p.setPen(QPen(skinLine, thickness + 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.setPen(QPen(skin, thickness, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    };

    // curled fingers under the pencil
    p.setBrush(Qt::NoBrush);
    finger(QPointF(17, 7), QPointF(27, 8), 8);
    finger(QPointF(21, 15), QPointF(31, 15), 8);
    finger(QPointF(27, 23), QPointF(36, 22), 8);

    // back of the hand
    QPainterPath hand;
    hand.moveTo(26, 2);
    hand.cubicTo(34, -4, 46, -6, 54, -2);
    hand.cubicTo(62, 2, 66, 12, 64, 22);
    hand.lineTo(58, 34);
    hand.cubicTo(50, 38, 40, 36, 34, 30);
    hand.cubicTo(28, 24, 24, 12, 26, 2);
    hand.closeSubpath();
    QLinearGradient shade(30, -4, 50, 36);
    shade.setColorAt(0, skin);
    shade.setColorAt(1, skinShade);
    p.setPen(outline(skinLine, 1.3));
    p.setBrush(shade);
    p.drawPath(hand);

    drawPencil(p, 84, 4.4, 1.1);

    // thumb and index finger holding the pencil
    p.setBrush(Qt::NoBrush);
    finger(QPointF(44, -9), QPointF(24, -6.5), 8);
    p.setPen(outline(QColor(0xD8, 0x98, 0x78), 0.9));
    p.setBrush(nail);
    p.drawEllipse(QRectF(21.5, -9.5, 5.5, 5));
    p.setBrush(Qt::NoBrush);
    finger(QPointF(46, 1), QPointF(15, 0.5), 8.5);
    p.setPen(outline(QColor(0xD8, 0x98, 0x78), 0.9));
    p.setBrush(nail);
    p.drawEllipse(QRectF(12.5, -2, 5.5, 5));
}

void drawLetters(QPainter &p, const QString &word, const QFont &font, QPointF baselineCentre,
                 int colourOffset)
{
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(word);
    qreal x = baselineCentre.x() - width / 2;
    for (int i = 0; i < word.size(); ++i) {
        const QString letter = word.mid(i, 1);
        QPainterPath path;
        path.addText(QPointF(x, baselineCentre.y()), font, letter);
        p.setPen(outline(Qt::white, 4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(Rainbow[(i + colourOffset) % Rainbow.size()]);
        p.drawPath(path);
        x += metrics.horizontalAdvance(letter);
    }
}

void drawPanel(QPainter &p, bool division)
{
    const QRectF panel(128, 10, 275, 282);

    // soft shadow
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(0x10, 0x30, 0x10, 26));
        p.drawRoundedRect(panel.translated(3, 4).adjusted(-i, -i, i, i), 16 + i, 16 + i);
    }
    QLinearGradient paper(0, panel.top(), 0, panel.bottom());
    paper.setColorAt(0, QColor(0xFF, 0xFC, 0xEE));
    paper.setColorAt(1, QColor(0xFF, 0xF2, 0xCE));
    p.setPen(outline(QColor(0xE2, 0xB8, 0x62), 2.5));
    p.setBrush(paper);
    p.drawRoundedRect(panel, 16, 16);

    const QString title = division ? QStringLiteral("DEELTAFELS") : QStringLiteral("MAALTAFELS");
    drawLetters(p, title, letterFont(31, true), QPointF(panel.center().x(), 50), 0);

    // program name down both sides
    const QString name = division ? QStringLiteral("SUDEVAL") : QStringLiteral("PRAMILO");
    const QFont side = letterFont(25, true);
    for (qreal column : {panel.left() + 21, panel.right() - 21}) {
        for (int i = 0; i < name.size(); ++i)
            drawLetters(p, name.mid(i, 1), side, QPointF(column, 96 + i * 30.5), i + 1);
    }

    // clipboard
    const QRectF board(172, 64, 187, 222);
    p.setPen(outline(QColor(0x7A, 0x4A, 0x1E), 2));
    QLinearGradient wood(board.topLeft(), board.bottomRight());
    wood.setColorAt(0, QColor(0xD9, 0x9A, 0x55));
    wood.setColorAt(1, QColor(0xB8, 0x76, 0x36));
    p.setBrush(wood);
    p.drawRoundedRect(board, 10, 10);

    const QRectF sheet = board.adjusted(10, 20, -10, -10);
    p.setPen(outline(QColor(0xC8, 0xC8, 0xC8), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(outline(QColor(0xB6, 0xD4, 0xF2), 1.2));
    const qreal firstLine = sheet.top() + 44;
    const qreal spacing = 42;
    for (int row = 0; row < 4; ++row) {
        const qreal y = firstLine + row * spacing + 2;
        p.drawLine(QPointF(sheet.left() + 4, y), QPointF(sheet.right() - 4, y));
    }

    // clip
    const QRectF clip(board.center().x() - 30, board.top() - 6, 60, 22);
    p.setPen(outline(QColor(0x55, 0x60, 0x68), 1.6));
    QLinearGradient steel(0, clip.top(), 0, clip.bottom());
    steel.setColorAt(0, QColor(0xE8, 0xEE, 0xF2));
    steel.setColorAt(1, QColor(0x9A, 0xA8, 0xB2));
    p.setBrush(steel);
    p.drawRoundedRect(clip, 6, 6);
    p.setBrush(QColor(0x6A, 0x74, 0x7C));
    p.drawRoundedRect(QRectF(clip.center().x() - 9, clip.top() + 5, 18, 7), 3.5, 3.5);

    // four worked exercises of the table of 8, lined up on the "=" sign
    const QFont writing = letterFont(22, false);
    const QFontMetricsF metrics(writing);
    const QColor graphite(0x34, 0x3C, 0x48);
    const auto leftPart = [&](int n) {
        return division ? QStringLiteral("%1 : 8 ").arg(8 * n) : QStringLiteral("%1 x 8 ").arg(n);
    };
    qreal widestLeft = 0;
    for (int n = 1; n <= 4; ++n)
        widestLeft = std::max(widestLeft, metrics.horizontalAdvance(leftPart(n)));
    const qreal equals = sheet.left() + 11 + widestLeft;
    QPointF lastEnd;
    for (int n = 1; n <= 4; ++n) {
        const QString left = leftPart(n);
        const QString right = division ? QString::number(n) : QString::number(8 * n);
        const qreal y = firstLine + (n - 1) * spacing;
        QPainterPath text;
        text.addText(QPointF(equals - metrics.horizontalAdvance(left), y), writing, left);
        text.addText(QPointF(equals, y), writing, QStringLiteral("="));
        const qreal resultX = equals + metrics.horizontalAdvance(QStringLiteral("= "));
        text.addText(QPointF(resultX, y), writing, right);
        p.setPen(Qt::NoPen);
        p.setBrush(graphite);
        p.drawPath(text);
        lastEnd = QPointF(resultX + metrics.horizontalAdvance(right), y);
    }

    p.save();
    p.translate(lastEnd + QPointF(1, -2));
    p.rotate(-60);
    p.scale(0.88, 0.88);
    drawWritingHand(p);
    p.restore();
}

QImage titlePicture(bool division)
{
    QImage image(TitleWidth, TitleHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawLandscape(p);
    drawPanel(p, division);
    p.end();
    return image;
}

// ---------------------------------------------------------------- small pictures

QImage emblemPicture()
{
    QImage image(113, 124, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawEmblem(p, QRectF(6.5, 6, 100, 112));
    p.end();
    return image;
}

QImage startPicture()
{
    QImage image(43, 58, QImage::Format_RGB32);
    image.fill(QColor(0x00, 0xFF, 0x00));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor line(0x3A, 0x22, 0x10);
    // pole
    p.setPen(outline(line, 1.2));
    p.setBrush(QColor(0x8D, 0x5A, 0x2B));
    p.drawRoundedRect(QRectF(8, 6, 4, 46), 1.5, 1.5);
    p.setBrush(QColor(0xFF, 0xD0, 0x1C));
    p.drawEllipse(QPointF(10, 5), 3.4, 3.4);

    // flag
    QPainterPath flag;
    flag.moveTo(12, 8);
    flag.cubicTo(20, 3, 28, 13, 39, 8);
    flag.lineTo(39, 29);
    flag.cubicTo(28, 34, 20, 24, 12, 29);
    flag.closeSubpath();
    p.setPen(outline(QColor(0x7A, 0x0E, 0x0E), 1.3));
    p.setBrush(QColor(0xE8, 0x22, 0x22));
    p.drawPath(flag);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(starPath(QPointF(25.5, 18.5), 6.5, 2.8));

    // arrow: off we go
    QPainterPath arrow;
    arrow.moveTo(15, 42);
    arrow.lineTo(28, 42);
    arrow.lineTo(28, 36);
    arrow.lineTo(39, 45);
    arrow.lineTo(28, 54);
    arrow.lineTo(28, 48);
    arrow.lineTo(15, 48);
    arrow.closeSubpath();
    p.setPen(outline(line, 1.3));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    p.end();
    return image;
}

QImage endEindigenPicture()
{
    QImage image(27, 33, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0x80, 0x00));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor line(0x3A, 0x22, 0x10);
    // doorway with daylight behind it
    p.setPen(outline(line, 1.4));
    p.setBrush(QColor(0x6D, 0x40, 0x1C));
    p.drawRect(QRectF(7.5, 4, 16.5, 26.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF6, 0xB0));
    p.drawRect(QRectF(9.5, 6, 12.5, 24.5));

    // door swung open towards us
    QPainterPath door;
    door.moveTo(9.5, 6);
    door.lineTo(3, 3);
    door.lineTo(3, 31.5);
    door.lineTo(9.5, 30.5);
    door.closeSubpath();
    p.setPen(outline(line, 1.2));
    p.setBrush(QColor(0x2F, 0x7D, 0xE0));
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD0, 0x1C));
    p.drawEllipse(QPointF(5.2, 17.5), 1.3, 1.3);

    // arrow heading out
    QPainterPath arrow;
    arrow.moveTo(11.5, 16);
    arrow.lineTo(16, 16);
    arrow.lineTo(16, 12);
    arrow.lineTo(22, 18);
    arrow.lineTo(16, 24);
    arrow.lineTo(16, 20);
    arrow.lineTo(11.5, 20);
    arrow.closeSubpath();
    p.setPen(outline(QColor(0x1B, 0x5E, 0x20), 1));
    p.setBrush(QColor(0x2E, 0xB0, 0x3C));
    p.drawPath(arrow);
    p.end();
    return image;
}

QImage endVolgendePicture()
{
    QImage image(35, 36, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0x80, 0x00));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor line(0x5A, 0x30, 0x14);
    const QPointF c(13.5, 16.5);
    // face
    p.setPen(outline(line, 1.3));
    p.setBrush(QColor(0xFF, 0xDC, 0xB8));
    p.drawEllipse(c, 11.5, 12);
    // hair
    QPainterPath hair;
    hair.moveTo(c + QPointF(-11.5, -1));
    hair.cubicTo(c + QPointF(-12.5, -11.5), c + QPointF(-4, -15.5), c + QPointF(2, -13));
    hair.cubicTo(c + QPointF(8, -15.5), c + QPointF(13.5, -9.5), c + QPointF(11.5, -2));
    hair.cubicTo(c + QPointF(8, -7), c + QPointF(2, -8.5), c + QPointF(-2, -6.5));
    hair.cubicTo(c + QPointF(-6, -8.5), c + QPointF(-9.5, -6), c + QPointF(-11.5, -1));
    hair.closeSubpath();
    p.setBrush(QColor(0x8A, 0x4B, 0x1C));
    p.drawPath(hair);
    // eyes, cheeks, smile
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2A, 0x1A, 0x10));
    p.drawEllipse(c + QPointF(-4, 0.5), 1.5, 1.9);
    p.drawEllipse(c + QPointF(4, 0.5), 1.5, 1.9);
    p.setBrush(QColor(0xFF, 0x7A, 0x8A, 170));
    p.drawEllipse(c + QPointF(-7, 4.5), 2.2, 1.6);
    p.drawEllipse(c + QPointF(7, 4.5), 2.2, 1.6);
    p.setPen(outline(QColor(0xB0, 0x24, 0x24), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 4.5, c.y() + 0.5, 9, 7), 200 * 16, 140 * 16);

    // arrow: the next one, please
    QPainterPath arrow;
    arrow.moveTo(21, 25);
    arrow.lineTo(27, 25);
    arrow.lineTo(27, 20.5);
    arrow.lineTo(33.5, 27.5);
    arrow.lineTo(27, 34.5);
    arrow.lineTo(27, 30);
    arrow.lineTo(21, 30);
    arrow.closeSubpath();
    p.setPen(outline(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    p.setPen(outline(QColor(0x0D, 0x2F, 0x70), 1));
    p.setBrush(QColor(0x2F, 0x7D, 0xE0));
    p.drawPath(arrow);
    p.end();
    return image;
}

// ---------------------------------------------------------------- writers

void putLe16(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void putLe32(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

// Written by hand so the result is always a plain 24-bit BI_RGB bitmap.
bool writeBmp(const QImage &source, const QString &path)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const int stride = (width * 3 + 3) & ~3;
    const quint32 pixelBytes = quint32(stride) * quint32(height);

    QByteArray out;
    out.reserve(54 + int(pixelBytes));
    out.append("BM", 2);
    putLe32(out, 54 + pixelBytes);
    putLe32(out, 0);
    putLe32(out, 54);
    putLe32(out, 40);
    putLe32(out, quint32(width));
    putLe32(out, quint32(height)); // positive: rows stored bottom-up
    putLe16(out, 1);
    putLe16(out, 24);
    putLe32(out, 0); // BI_RGB
    putLe32(out, pixelBytes);
    putLe32(out, 2835); // 72 dpi
    putLe32(out, 2835);
    putLe32(out, 0);
    putLe32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
        }
        for (int pad = width * 3; pad < stride; ++pad)
            out.append('\0');
    }
    return writeFile(path, out);
}

bool writeJpeg(const QImage &image, const QString &path)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    return writer.write(image.convertToFormat(QImage::Format_RGB32));
}

// Packs variable-width codes least significant bit first, as GIF wants them.
class BitPacker
{
public:
    void put(int code, int bits)
    {
        m_buffer |= quint32(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            m_bytes.push_back(quint8(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    std::vector<quint8> finish()
    {
        if (m_count > 0)
            m_bytes.push_back(quint8(m_buffer & 0xFF));
        m_buffer = 0;
        m_count = 0;
        return std::move(m_bytes);
    }

private:
    std::vector<quint8> m_bytes;
    quint32 m_buffer = 0;
    int m_count = 0;
};

std::vector<quint8> lzwCompress(const std::vector<quint8> &indices, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    constexpr int MaxCodes = 4096;

    BitPacker bits;
    std::unordered_map<quint32, int> table;
    int codeSize = minCodeSize + 1;
    int nextCode = endCode + 1;
    bits.put(clearCode, codeSize);

    int prefix = indices.front();
    for (size_t i = 1; i < indices.size(); ++i) {
        const quint32 key = (quint32(prefix) << 8) | indices[i];
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        bits.put(prefix, codeSize);
        table.emplace(key, nextCode);
        // The decoder learns each entry one code later, so widen once the newest entry needs it.
        if (nextCode == (1 << codeSize) && codeSize < 12)
            ++codeSize;
        ++nextCode;
        if (nextCode == MaxCodes) {
            bits.put(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            nextCode = endCode + 1;
        }
        prefix = indices[i];
    }
    bits.put(prefix, codeSize);
    // After that last code the decoder adds one more entry, which may widen the end code.
    const bool afterClear = nextCode == endCode + 1;
    if (!afterClear && nextCode == (1 << codeSize) && codeSize < 12)
        ++codeSize;
    bits.put(endCode, codeSize);
    return bits.finish();
}

// Keeps the most used colours; the rare in-between shades of anti-aliasing go to the nearest.
std::vector<QRgb> choosePalette(const QImage &image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x] | 0xFF000000u];
    }
    std::vector<std::pair<int, QRgb>> byUse;
    byUse.reserve(counts.size());
    for (const auto &[colour, count] : counts)
        byUse.emplace_back(count, colour);
    std::sort(byUse.begin(), byUse.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<QRgb> palette;
    for (size_t i = 0; i < byUse.size() && i < 256; ++i)
        palette.push_back(byUse[i].second);
    return palette;
}

int nearest(const std::vector<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

// Qt can read GIF but not write it, hence this small GIF89a encoder.
bool writeGif(const QImage &source, const QString &path)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const std::vector<QRgb> palette = choosePalette(image);

    int tableBits = 1;
    while ((1 << tableBits) < int(palette.size()))
        ++tableBits;

    std::unordered_map<QRgb, quint8> lookup;
    std::vector<quint8> indices;
    indices.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            auto found = lookup.find(colour);
            if (found == lookup.end())
                found = lookup.emplace(colour, quint8(nearest(palette, colour))).first;
            indices.push_back(found->second);
        }
    }

    QByteArray out;
    out.append("GIF89a", 6);
    putLe16(out, width);
    putLe16(out, height);
    out.append(char(0x80 | (7 << 4) | (tableBits - 1))); // global colour table, 8 bits per primary
    out.append('\0'); // background colour index
    out.append('\0'); // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = i < int(palette.size()) ? palette[size_t(i)] : qRgb(0, 0, 0);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }

    out.append(',');
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, width);
    putLe16(out, height);
    out.append('\0'); // no local table, not interlaced

    const int minCodeSize = std::max(2, tableBits);
    out.append(char(minCodeSize));
    const std::vector<quint8> data = lzwCompress(indices, minCodeSize);
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t chunk = std::min<size_t>(255, data.size() - at);
        out.append(char(chunk));
        out.append(reinterpret_cast<const char *>(data.data() + at), qsizetype(chunk));
    }
    out.append('\0');
    out.append(';');
    return writeFile(path, out);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: make_pictures <output folder>\n";
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        err << "cannot create " << folder.path() << "\n";
        return 1;
    }

    bool ok = true;
    const auto report = [&](bool written, const QString &name) {
        if (!written) {
            err << "cannot write " << folder.filePath(name) << "\n";
            ok = false;
        }
    };
    report(writeBmp(titlePicture(false), folder.filePath(QStringLiteral("pramilo_title.bmp"))),
           QStringLiteral("pramilo_title.bmp"));
    report(writeBmp(titlePicture(true), folder.filePath(QStringLiteral("sudeval_title.bmp"))),
           QStringLiteral("sudeval_title.bmp"));
    report(writeJpeg(emblemPicture(), folder.filePath(QStringLiteral("emblem.jpg"))),
           QStringLiteral("emblem.jpg"));
    report(writeGif(startPicture(), folder.filePath(QStringLiteral("start.gif"))),
           QStringLiteral("start.gif"));
    report(writeGif(endEindigenPicture(), folder.filePath(QStringLiteral("end_eindigen.gif"))),
           QStringLiteral("end_eindigen.gif"));
    report(writeGif(endVolgendePicture(), folder.filePath(QStringLiteral("end_volgende.gif"))),
           QStringLiteral("end_volgende.gif"));
    return ok ? 0 : 1;
}
