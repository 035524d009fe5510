// Real windows on an X server, driven by real key presses and mouse clicks
// (XTEST, through xdotool): the forms have no title bar, yet they must stack,
// take the keyboard and come forward, with a window manager and without one.
// Run by support/with_xvfb.sh.
#include "Werkblad.h"
#include "fakes.h"
#include "frmReeks.h"
#include "sch640x480.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

bool xdotool(const QStringList& args) { return QProcess::execute("xdotool", args) == 0; }

QColor onScreen(QWidget* w, QPoint at)
{
    const QPoint g = w->mapToGlobal(at);
    return QGuiApplication::primaryScreen()->grabWindow(0, g.x(), g.y(), 1, 1).toImage().pixelColor(0, 0);
}

const QColor kBurntOrange(192, 64, 0);
const QColor kBrownishRed(128, 64, 64);

} // namespace

class tst_WindowsX11 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theWayToTheWorksheetStacksAndFocusesEachWindow();
    void aClickBringsAWindowForwardAndStartSetsThePupilFormBack();

private:
    Program& program() { return *program_; }
    QWidget* focus() { return QApplication::focusWidget(); }
    void openPupilForm();

    std::unique_ptr<Program> program_;
};

void tst_WindowsX11::init()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs an X display");
    Services s = Services::system(); // real message boxes
    s.clock = std::make_unique<FakeClock>();
    s.ender = std::make_unique<RecordingEnder>();
    program_ = std::make_unique<Program>(Variant::pramilo(), std::move(s));
}

void tst_WindowsX11::cleanup() { program_.reset(); }

void tst_WindowsX11::openPupilForm()
{
    program().start();
    sch640x480* start = program().sch640x480.get();
    QTRY_VERIFY(start->isActiveWindow());
    QCOMPARE(focus(), &start->Command1);
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY(program().frmReeks.isLoaded() && program().frmReeks.get()->isActiveWindow());
}

void tst_WindowsX11::theWayToTheWorksheetStacksAndFocusesEachWindow()
{
    openPupilForm();
    if (QTest::currentTestFailed())
        return; // there is no form to look at
    frmReeks* form = program().frmReeks.get();
    QCOMPARE(focus(), &form->txtNaam);
    const QPoint plain(300, 200); // the form's own colour, no control there
    QTRY_COMPARE(onScreen(form, plain), kBurntOrange);

    // The message box takes the keyboard, and gives it back to the name box.
    // A box still up a minute after it showed is closed and noted, so that
    // the test fails then instead of waiting out its timeout.
    QTimer answer;
    QElapsedTimer up;
    bool entered = false, leftOpen = false;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (entered)
                answer.stop();
            return;
        }
        if (!up.isValid())
            up.start();
        if (up.elapsed() > 60000) {
            leftOpen = true;
            answer.stop();
            box->done(0);
        } else if (!entered && box->isActiveWindow()) {
            entered = true;
            xdotool({"key", "Return"});
        }
    });
    answer.start(50);
    QVERIFY(xdotool({"type", "A"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY(!answer.isActive());
    QVERIFY2(!leftOpen, entered ? "the message box stayed up after Enter"
                                : "the message box never took the keyboard");
    QTRY_VERIFY(form->isActiveWindow());
    QTRY_COMPARE(focus(), &form->txtNaam);
    QVERIFY(xdotool({"type", "nna"}));
    QTRY_COMPARE(form->txtNaam.Text(), QStringLiteral("Anna"));

    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE(focus(), &form->txtKlas);
    QVERIFY(xdotool({"type", "4"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE(focus(), &form->cmdKies1);
    QVERIFY(xdotool({"key", "Return"}));

    QTRY_VERIFY(program().Werkblad.isLoaded());
    Werkblad* sheet = program().Werkblad.get();
    QTRY_VERIFY(sheet->isActiveWindow());
    QTRY_COMPARE(onScreen(sheet, QPoint(40, 200)), kBrownishRed);
    QCOMPARE(focus(), &sheet->cmdStart);
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE(focus(), &sheet->txtRes);
    QCOMPARE(program().Variabelen.PupilName, QStringLiteral("Anna"));
    QCOMPARE(program().Variabelen.SeriesNumber, int16_t(1));
}

void tst_WindowsX11::aClickBringsAWindowForwardAndStartSetsThePupilFormBack()
{
    openPupilForm();
    if (QTest::currentTestFailed())
        return; // there is no form to look at
    frmReeks* form = program().frmReeks.get();
    sch640x480* start = program().sch640x480.get();
    QVERIFY(xdotool({"type", "Bo"}));
    QTRY_COMPARE(form->txtNaam.Text(), QStringLiteral("Bo"));

    // Drag the lower right corner of the sizable border up and left.
    const QPoint corner = form->mapToGlobal(QPoint(form->width() - 2, form->height() - 2));
    const QPoint to = corner - QPoint(200, 100);
    QVERIFY(xdotool({"mousemove", QString::number(corner.x()), QString::number(corner.y())}));
    QVERIFY(xdotool({"mousedown", "1"}));
    QTest::qWait(100);
    QVERIFY(xdotool({"mousemove", QString::number(to.x()), QString::number(to.y())}));
    QTest::qWait(100);
    QVERIFY(xdotool({"mouseup", "1"}));
    QTRY_COMPARE(form->size(), QSize(640 - 200, 453 - 100));

    // A click on the start screen where it shows brings it forward over the form.
    const QPoint plain(300, 200);
    const QPoint free = start->mapToGlobal(QPoint(600, 420));
    QVERIFY(xdotool({"mousemove", QString::number(free.x()), QString::number(free.y())}));
    QVERIFY(xdotool({"click", "1"}));
    QTRY_VERIFY(start->isActiveWindow());
    QTRY_VERIFY(onScreen(form, plain) != kBurntOrange);
    QCOMPARE(focus(), &start->Command1);

    // START again: the same form, its text kept, at 640 x 453 and in front.
    QVERIFY(xdotool({"key", "space"}));
    QTRY_VERIFY(form->isActiveWindow());
    QCOMPARE(program().frmReeks.get(), form);
    QTRY_COMPARE(form->size(), QSize(640, 453));
    QTRY_COMPARE(onScreen(form, plain), kBurntOrange);
    QCOMPARE(form->txtNaam.Text(), QStringLiteral("Bo"));
    QCOMPARE(focus(), &form->txtNaam);
}

QTEST_MAIN(tst_WindowsX11)
#include "tst_windows_x11.moc"
