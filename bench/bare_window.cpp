// The yardstick for start-up: a bare Qt window of the start screen's size
// with one picture and one button, and nothing else.
//
//   bare_window PICTURE
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(640, 453);
    QLabel picture(&window);
    picture.setScaledContents(true);
    picture.setPixmap(QPixmap(QString::fromLocal8Bit(argv[argc - 1])));
    picture.setGeometry(0, -1, 637, 484);
    QPushButton button(QStringLiteral("START"), &window);
    button.setGeometry(272, 360, 89, 81);
    window.show();
    return app.exec();
}
