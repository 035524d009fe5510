// Turns the emblem picture into a square PNG for the desktop's icon theme,
// which takes no JPEG: the picture scaled to fit, centred on a transparent
// square.
//   make_icon EMBLEM.jpg SIZE OUT.png
#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // for the JPEG plugin
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s EMBLEM SIZE OUT.png\n", argv[0]);
        return 2;
    }
    const QImage emblem(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[2]).toInt();
    if (emblem.isNull() || size <= 0) {
        std::fprintf(stderr, "%s: cannot read %s at size %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    const QImage scaled =
        emblem.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    painter.end();
    if (!icon.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
        return 1;
    }
    return 0;
}
