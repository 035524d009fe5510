#include "services.h"

#include <QApplication>
#include <QMessageBox>
#include <QTime>

namespace {

class SystemClock final : public Clock {
public:
    double Timer() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
    QDate Date() override { return QDate::currentDate(); }
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void MsgBox(const QString& prompt, int buttons, const QString& title) override
    {
        QMessageBox box(buttons == Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title,
                        prompt, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }
};

class QuitEventLoop final : public Ender {
public:
    void End() override { QCoreApplication::exit(0); }
};

} // namespace

Services Services::system()
{
    Services s;
    s.clock = std::make_unique<SystemClock>();
    s.messages = std::make_unique<QtMessageBoxes>();
    s.ender = std::make_unique<QuitEventLoop>();
    s.printer = defaultPrinter();
    return s;
}
