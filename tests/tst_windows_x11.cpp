// Real windows on an X server, driven by real key presses and mouse clicks
// (XTEST, through xdotool): the forms have no title bar, yet they must stack,
// take the keyboard and come forward, with a window manager and without one;
// the start screen keeps its size and the message boxes show their whole
// title and cannot be minimised or maximised. Run by support/with_xvfb.sh,
// which names the window manager in TAFELS_WM.
#include "fakes.h"
#include "forms/Werkblad.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// How long a wait on the X server may take on a busy machine before it counts
// as a failure; a wait ends as soon as its condition holds.
constexpr int kPatience = 60000;

bool xdotool(const QStringList& args) { return QProcess::execute("xdotool", args) == 0; }
bool wmctrl(const QStringList& args) { return QProcess::execute("wmctrl", args) == 0; }

QString windowManager() { return qEnvironmentVariable("TAFELS_WM", QStringLiteral("none")); }
bool underWindowManager() { return windowManager() != QLatin1String("none"); }

QString xdotoolSays(const QStringList& args)
{
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// Keys typed now reach the window: Qt counts it active, the X server has
// given it the input focus and the window manager, if any, agrees.
bool hasKeyboard(QWidget* w)
{
    const QString id = QString::number(w->winId());
    return w->isActiveWindow() && xdotoolSays({"getwindowfocus"}) == id &&
           (!underWindowManager() || xdotoolSays({"getactivewindow"}) == id);
}

QString keyboardReport(QWidget* w)
{
    return QStringLiteral("window %1; Qt active %2; X focus %3; WM active %4")
        .arg(w->winId())
        .arg(w->isActiveWindow())
        .arg(xdotoolSays({"getwindowfocus"}), xdotoolSays({"getactivewindow"}));
}

// A property of a window as the X server holds it.
QString xprop(QWidget* w, const QString& property)
{
    QProcess p;
    p.start("xprop", {"-id", QString::number(w->winId()), property});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QSize onServer(QWidget* w)
{
    QProcess p;
    p.start("xwininfo", {"-id", QString::number(w->winId())});
    p.waitForFinished();
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const auto width = QRegularExpression(R"(Width: (\d+))").match(out);
    const auto height = QRegularExpression(R"(Height: (\d+))").match(out);
    return {width.captured(1).toInt(), height.captured(1).toInt()};
}

// The least and greatest size in the window's WM_NORMAL_HINTS.
QSize sizeHint(QWidget* w, const char* which)
{
    const auto m = QRegularExpression(QStringLiteral("program specified %1 size: (\\d+) by (\\d+)")
                                          .arg(QLatin1String(which)))
                       .match(xprop(w, "WM_NORMAL_HINTS"));
    return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

// The functions field of _MOTIF_WM_HINTS, or -1 when the window sets none.
constexpr int kMwmFunctionsGiven = 1, kMwmMinimize = 8, kMwmMaximize = 16, kMwmClose = 32;
int motifFunctions(QWidget* w)
{
    const QStringList fields =
        xprop(w, "_MOTIF_WM_HINTS").section('=', 1).split(',', Qt::SkipEmptyParts);
    if (fields.size() < 2 || !(fields[0].trimmed().toInt(nullptr, 16) & kMwmFunctionsGiven))
        return -1;
    return fields[1].trimmed().toInt(nullptr, 16);
}

// Asks the window manager to keep the window above the others and waits
// until it has: it has then also handled every earlier request about it.
bool windowManagerCaughtUp(QWidget* w)
{
    if (!wmctrl({"-i", "-r", QString::number(w->winId()), "-b", "add,above"}))
        return false;
    return QTest::qWaitFor([&] { return xprop(w, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"); },
                           kPatience);
}

QColor onScreen(QWidget* w, QPoint at)
{
    const QPoint g = w->mapToGlobal(at);
    return QGuiApplication::primaryScreen()->grabWindow(0, g.x(), g.y(), 1, 1).toImage().pixelColor(0, 0);
}

const QColor kBurntOrange(192, 64, 0);
const QColor kBrownishRed(128, 64, 64);

// Notes that a mouse button went down on a window.
class PressWatch final : public QObject {
public:
    PressWatch(QObject* watched, bool& pressed) : pressed_(pressed) { watched->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            pressed_ = true;
        return false;
    }

private:
    bool& pressed_;
};

} // namespace

class tst_WindowsX11 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theWayToTheWorksheetStacksAndFocusesEachWindow();
    void aClickBringsAWindowForwardAndStartSetsThePupilFormBack();
    void theStartScreenKeepsItsFixedSizeWhateverTheWindowManagerIsAsked();
    void everyMessageBoxShowsItsWholeTitleAndOffersNoMinimiseOrMaximise_data();
    void everyMessageBoxShowsItsWholeTitleAndOffersNoMinimiseOrMaximise();
    void aMessageBoxClosedByEscapeOrByItsTitleBarCountsAsOk_data();
    void aMessageBoxClosedByEscapeOrByItsTitleBarCountsAsOk();
    void aMinimisedMessageBoxComesStraightBack();

private:
    Program& program() { return **program_; }
    QWidget* focus() { return QApplication::focusWidget(); }
    void openPupilForm();
    // Shows a real message box as the programs do; while it is up, `step`
    // runs every 50 ms on it until it returns true (it has answered the
    // box). A box still up after a minute is closed and reported, so a
    // fault fails the test instead of holding it.
    bool showBox(const QString& prompt, int buttons, const QString& title,
                 const std::function<bool(QMessageBox*)>& step);

    std::unique_ptr<TestProgram> program_;
};

void tst_WindowsX11::init()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs an X display");
    program_ = std::make_unique<TestProgram>(Variant::pramilo(), RealMessageBoxes | RealPrinter);
}

void tst_WindowsX11::cleanup() { program_.reset(); }

void tst_WindowsX11::openPupilForm()
{
    program().start();
    sch640x480* start = program().sch640x480.get();
    QTRY_VERIFY_WITH_TIMEOUT(hasKeyboard(start), kPatience);
    QCOMPARE(focus(), &start->Command1);
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(program().frmReeks.isLoaded() && hasKeyboard(program().frmReeks.get()), kPatience);
}

void tst_WindowsX11::theWayToTheWorksheetStacksAndFocusesEachWindow()
{
    openPupilForm();
    if (QTest::currentTestFailed())
        return; // there is no form to look at
    frmReeks* form = program().frmReeks.get();
    QCOMPARE(focus(), &form->txtNaam);
    const QPoint plain(300, 200); // the form's own colour, no control there
    QTRY_COMPARE_WITH_TIMEOUT(onScreen(form, plain), kBurntOrange, kPatience);

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
        if (up.elapsed() > kPatience) {
            leftOpen = true;
            answer.stop();
            box->done(0);
        } else if (!entered && hasKeyboard(box)) {
            entered = true;
            xdotool({"key", "Return"});
        }
    });
    answer.start(50);
    QVERIFY(xdotool({"type", "A"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(!answer.isActive(), 2 * kPatience);
    QVERIFY2(!leftOpen, entered ? "the message box stayed up after Enter"
                                : "the message box never took the keyboard");
    QTRY_VERIFY_WITH_TIMEOUT(hasKeyboard(form), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(focus(), &form->txtNaam, kPatience);
    QVERIFY(xdotool({"type", "nna"}));
    QTRY_COMPARE_WITH_TIMEOUT(form->txtNaam.Text(), QStringLiteral("Anna"), kPatience);

    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(focus(), &form->txtKlas, kPatience);
    QVERIFY(xdotool({"type", "4"}));
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(focus(), &form->cmdKies1, kPatience);
    QVERIFY(xdotool({"key", "Return"}));

    QTRY_VERIFY_WITH_TIMEOUT(program().Werkblad.isLoaded(), kPatience);
    Werkblad* sheet = program().Werkblad.get();
    QTRY_VERIFY_WITH_TIMEOUT(hasKeyboard(sheet), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(onScreen(sheet, QPoint(40, 200)), kBrownishRed, kPatience);
    QCOMPARE(focus(), &sheet->cmdStart);
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(focus(), &sheet->txtRes, kPatience);
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
    QTRY_COMPARE_WITH_TIMEOUT(form->txtNaam.Text(), QStringLiteral("Bo"), kPatience);

    // Drag the lower right corner of the sizable border up and left.
    const QPoint corner = form->mapToGlobal(QPoint(form->width() - 2, form->height() - 2));
    const QPoint to = corner - QPoint(200, 100);
    QVERIFY(xdotool({"mousemove", QString::number(corner.x()), QString::number(corner.y())}));
    bool pressed = false;
    PressWatch watch(form->windowHandle(), pressed);
    QVERIFY(xdotool({"mousedown", "1"}));
    QTRY_VERIFY_WITH_TIMEOUT(pressed, kPatience);
    // The form drags its border itself, or hands the drag to the window
    // manager, which takes the pointer when it gets to it: move until the
    // window follows.
    const QSize dragged(640 - 200, 453 - 100);
    QElapsedTimer clock;
    clock.start();
    bool followed = false;
    while (!followed && clock.elapsed() < kPatience) {
        for (const QPoint& p : {to + QPoint(1, 1), to})
            QVERIFY(xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())}));
        followed = QTest::qWaitFor([&] { return form->size() == dragged; }, 200);
    }
    QVERIFY(xdotool({"mouseup", "1"}));
    QTRY_COMPARE_WITH_TIMEOUT(form->size(), dragged, kPatience);

    // A click on the start screen where it shows brings it forward over the form.
    const QPoint plain(300, 200);
    const QPoint free = start->mapToGlobal(QPoint(600, 420));
    QVERIFY(xdotool({"mousemove", QString::number(free.x()), QString::number(free.y())}));
    // A window manager may still be ending the drag when the first click
    // comes and keep it; clicking the picture again does nothing else.
    clock.restart();
    do
        QVERIFY(xdotool({"click", "1"}));
    while (!QTest::qWaitFor([&] { return hasKeyboard(start); }, 1000) && clock.elapsed() < kPatience);
    QVERIFY2(hasKeyboard(start), qPrintable(keyboardReport(start)));
    QTRY_VERIFY_WITH_TIMEOUT(onScreen(form, plain) != kBurntOrange, kPatience);
    QCOMPARE(focus(), &start->Command1);

    // START again: the same form, its text kept, at 640 x 453 and in front.
    QVERIFY(xdotool({"key", "space"}));
    QTRY_VERIFY_WITH_TIMEOUT(hasKeyboard(form), kPatience);
    QCOMPARE(program().frmReeks.get(), form);
    QTRY_COMPARE_WITH_TIMEOUT(form->size(), QSize(640, 453), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(onScreen(form, plain), kBurntOrange, kPatience);
    QCOMPARE(form->txtNaam.Text(), QStringLiteral("Bo"));
    QCOMPARE(focus(), &form->txtNaam);
}

bool tst_WindowsX11::showBox(const QString& prompt, int buttons, const QString& title,
                             const std::function<bool(QMessageBox*)>& step)
{
    QElapsedTimer clock;
    clock.start();
    bool answered = false, timedOut = false, busy = false;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || busy)
            return;
        if (clock.elapsed() > kPatience) {
            timedOut = true;
            box->done(0);
            return;
        }
        if (answered)
            return;
        // A step may wait, and the timer must not start another meanwhile.
        busy = true;
        answered = step(box);
        busy = false;
    });
    tick.start(50);
    program().MsgBox(prompt, buttons, title);
    return !timedOut;
}

void tst_WindowsX11::theStartScreenKeepsItsFixedSizeWhateverTheWindowManagerIsAsked()
{
    program().start();
    sch640x480* start = program().sch640x480.get();
    QTRY_VERIFY_WITH_TIMEOUT(hasKeyboard(start), kPatience);
    QCOMPARE(onServer(start), QSize(640, 453));
    QCOMPARE(sizeHint(start, "minimum"), QSize(640, 453));
    QCOMPARE(sizeHint(start, "maximum"), QSize(640, 453));
    if (!underWindowManager())
        return; // nothing else would hold the window to its hints

    const QString actions = xprop(start, "_NET_WM_ALLOWED_ACTIONS");
    QVERIFY2(actions.contains("_NET_WM_ACTION_MOVE"), qPrintable(actions));
    QVERIFY2(!actions.contains("_NET_WM_ACTION_RESIZE"), qPrintable(actions));
    QVERIFY2(!actions.contains("_NET_WM_ACTION_MAXIMIZE"), qPrintable(actions));
    const QString id = QString::number(start->winId());
    QVERIFY(xdotool({"windowsize", id, "740", "573"}));
    QVERIFY(wmctrl({"-i", "-r", id, "-b", "add,maximized_vert,maximized_horz"}));
    QVERIFY(windowManagerCaughtUp(start));
    QCOMPARE(onServer(start), QSize(640, 453));
    QVERIFY(!xprop(start, "_NET_WM_STATE").contains("MAXIMIZED"));

    // The pupil form, sizable, keeps its border.
    QVERIFY(xdotool({"key", "Return"}));
    QTRY_VERIFY_WITH_TIMEOUT(program().frmReeks.isLoaded() && hasKeyboard(program().frmReeks.get()), kPatience);
    frmReeks* form = program().frmReeks.get();
    QVERIFY(xprop(form, "_NET_WM_ALLOWED_ACTIONS").contains("_NET_WM_ACTION_RESIZE"));
    QCOMPARE(sizeHint(form, "maximum"), QSize());
}

void tst_WindowsX11::everyMessageBoxShowsItsWholeTitleAndOffersNoMinimiseOrMaximise_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("title");
    const int stop = MessageBoxes::Critical, ok = MessageBoxes::OkOnly;
    QTest::newRow("a one-letter name") << "Vul je naam in!" << stop << "Let op!";
    QTest::newRow("a refused key in the class box") << "Een cijfer van 2 to 6 a.u b." << stop << "Let op!";
    QTest::newRow("a class outside 2 to 6") << "Vul het juiste cijfer in voor je klas!" << stop << "Let op!";
    QTest::newRow("an empty answer") << "Vul een getal in!" << ok << "Let op!";
    QTest::newRow("the fiftieth answer") << "OK,Je bent klaar!" << ok << "Gedaan!";
    QTest::newRow("before printing") << "Kijk of de printer gereed is!" << ok << "Let op!";
    QTest::newRow("no printer")
        << "Er is geen printer gevonden. Je proef is niet afgedrukt." << stop << "Let op!";
}

void tst_WindowsX11::everyMessageBoxShowsItsWholeTitleAndOffersNoMinimiseOrMaximise()
{
    QFETCH(QString, prompt);
    QFETCH(int, buttons);
    QFETCH(QString, title);
    QSize size;
    int functions = -1;
    QString actions;
    QVERIFY(showBox(prompt, buttons, title, [&](QMessageBox* box) {
        if (!hasKeyboard(box))
            return false;
        size = box->size();
        functions = motifFunctions(box);
        if (underWindowManager())
            actions = xprop(box, "_NET_WM_ALLOWED_ACTIONS");
        return xdotool({"key", "Return"});
    }));

    // Room for the title in a large bold font, an icon and four buttons.
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(16);
    const int room = QFontMetrics(font).horizontalAdvance(title) + 5 * 24;
    QVERIFY2(size.width() >= room, qPrintable(QStringLiteral("%1 < %2").arg(size.width()).arg(room)));
    QVERIFY(functions != -1);
    QVERIFY(functions & kMwmClose);
    QVERIFY(!(functions & kMwmMinimize));
    QVERIFY(!(functions & kMwmMaximize));
    if (underWindowManager()) {
        QVERIFY2(actions.contains("_NET_WM_ACTION_CLOSE"), qPrintable(actions));
        QVERIFY2(!actions.contains("_NET_WM_ACTION_MAXIMIZE"), qPrintable(actions));
        // Openbox offers to minimise every dialog whatever its hints say; the
        // box then comes straight back (see below).
        if (windowManager() != QLatin1String("openbox"))
            QVERIFY2(!actions.contains("_NET_WM_ACTION_MINIMIZE"), qPrintable(actions));
    }
}

void tst_WindowsX11::aMessageBoxClosedByEscapeOrByItsTitleBarCountsAsOk_data()
{
    QTest::addColumn<bool>("byTitleBar");
    QTest::newRow("Escape") << false;
    QTest::newRow("the title bar's close button") << true;
}

void tst_WindowsX11::aMessageBoxClosedByEscapeOrByItsTitleBarCountsAsOk()
{
    QFETCH(bool, byTitleBar);
    if (byTitleBar && !underWindowManager())
        QSKIP("without a window manager a box has no title bar");
    bool asked = false;
    QVERIFY(showBox("Vul een getal in!", MessageBoxes::OkOnly, "Let op!", [&](QMessageBox* box) {
        if (!hasKeyboard(box))
            return false;
        asked = byTitleBar ? wmctrl({"-i", "-c", QString::number(box->winId())})
                           : xdotool({"key", "Escape"});
        return true;
    }));
    QVERIFY(asked);
}

void tst_WindowsX11::aMinimisedMessageBoxComesStraightBack()
{
    if (!underWindowManager())
        QSKIP("without a window manager nothing minimises a window");
    enum { Showing, Minimised, Back } stage = Showing;
    bool asked = false;
    QVERIFY(showBox("Vul een getal in!", MessageBoxes::OkOnly, "Let op!", [&](QMessageBox* box) {
        switch (stage) {
        case Showing:
            if (!hasKeyboard(box))
                return false;
            asked = xdotool({"windowminimize", QString::number(box->winId())}) &&
                    windowManagerCaughtUp(box);
            stage = Minimised;
            return !asked;
        case Minimised:
            // The window manager's own word on the box, and the keyboard.
            if (!xprop(box, "WM_STATE").contains("Normal") || !hasKeyboard(box))
                return false;
            stage = Back;
            return xdotool({"key", "Return"});
        case Back:
            break;
        }
        return true;
    }));
    QVERIFY(asked);
    QCOMPARE(stage, Back);
}

QTEST_MAIN(tst_WindowsX11)
#include "tst_windows_x11.moc"
