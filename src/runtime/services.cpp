#include "runtime/services.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

class SystemClock final : public Clock {
public:
    double Timer() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
    QDate Date() override { return QDate::currentDate(); }
};

// A message box holds the program until the pupil confirms it, so under any
// window manager it shows its whole title and can be confirmed or closed
// (which counts as OK: its only button is also its escape button), but never
// minimised or maximised, which would leave the program looking hung.
class PupilMessageBox final : public QMessageBox {
public:
    PupilMessageBox(Icon icon, const QString& title, const QString& prompt)
        : QMessageBox(icon, title, prompt, QMessageBox::Ok)
    {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                       Qt::CustomizeWindowHint);
        setWindowModality(Qt::ApplicationModal);
        // The box sizes itself to its layout's least width.
        if (auto* grid = qobject_cast<QGridLayout*>(layout()))
            grid->addItem(new QSpacerItem(widthForTitle(title), 0, QSizePolicy::Fixed,
                                          QSizePolicy::Fixed),
                          grid->rowCount(), 0, 1, grid->columnCount());
    }

    // The window manager draws the title in a font of its own and sets the
    // title bar's buttons beside it: measure in a large bold title font, and
    // leave room for wider fonts and for an icon and four buttons.
    static int widthForTitle(const QString& title)
    {
        QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        font.setBold(true);
        font.setPointSizeF(std::max(font.pointSizeF(), 12.0));
        const int text = QFontMetrics(font).horizontalAdvance(title);
        return static_cast<int>(std::ceil(text * 1.25)) + 160;
    }

protected:
    void changeEvent(QEvent* event) override
    {
        QMessageBox::changeEvent(event);
        // Some window managers minimise a dialog whatever its hints say:
        // it comes straight back.
        if (event->type() == QEvent::WindowStateChange &&
            (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
            QTimer::singleShot(0, this, [this] {
                showNormal();
                raise();
                activateWindow();
            });
    }
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void MsgBox(const QString& prompt, int buttons, const QString& title) override
    {
        PupilMessageBox box(buttons == Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                            title, prompt);
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
