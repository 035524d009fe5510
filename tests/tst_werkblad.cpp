#include "fakes.h"
#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "forms/series_choice.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

// Answers for a whole test: the expected answer, or a wrong one at every
// fourth exercise; the first exercise is sent straight after START.
struct Plan {
    QStringList typed; // what is typed before each Enter (index 0 = exercise 1)
    int right = 0;
};

} // namespace

class tst_Werkblad : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadShowsExerciseOneAndLeavesTheClockStill();
    void startStartsTheClockAndHandsTheFocusToTheAnswerBox();
    void aWholeTestRecordsEveryExerciseAndEndsOnTheResults_data();
    void aWholeTestRecordsEveryExerciseAndEndsOnTheResults();
    void roundedReadingsTimeAnExercise();
    void anEmptyEnterKeepsTheExerciseAndRestartsItsClock();
    void onlyDigitsBackspaceAndEnterReachTheBox_data();
    void onlyDigitsBackspaceAndEnterReachTheBox();
    void aFifthDigitDoesNotFit();
    void composedCharactersPassTheKeyRule();
    void digitsBesideTheDesignBlankAndLeadingZerosGiveTheirNumber();
    void aSecondSeriesChoiceChangesOnlyTheSeries();
    void aFinishedTestTakesNoMoreAnswers();
    void aTestAcrossMidnightKeepsItsTimes();
    void timesBeyondSixteenBitsAreHeldAtTheLimit();
    void pastedTextOutsideSixteenBitsIsNoAnswer();
    void theRealMessageBoxHoldsTheHandlerUntilConfirmed();
    void aThreeDigitDividendIsShownWhole();

private:
    void start(const Variant& v, int series = 1);
    void typeAndEnter(const QString& text);
    Werkblad* sheet() { return t->program->Werkblad.get(); }
    Variabelen& V() { return t->program->Variabelen; }

    std::unique_ptr<TestProgram> t;
};

void tst_Werkblad::init() { t = std::make_unique<TestProgram>(Variant::pramilo()); }
void tst_Werkblad::cleanup() { t.reset(); }

void tst_Werkblad::start(const Variant& v, int series)
{
    t = std::make_unique<TestProgram>(v);
    chooseSeries(**t, series);
    QVERIFY(QTest::qWaitForWindowActive(sheet()));
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
}

void tst_Werkblad::typeAndEnter(const QString& text)
{
    QTest::keyClicks(&sheet()->txtRes, text);
    QTest::keyClick(&sheet()->txtRes, Qt::Key_Return);
}

void tst_Werkblad::loadShowsExerciseOneAndLeavesTheClockStill()
{
    chooseSeries(**t, 1);
    Werkblad* w = sheet();
    QCOMPARE(w->txtOefNr.Text(), QStringLiteral("1"));
    QCOMPARE(w->txtJuist.Text(), QStringLiteral("0"));
    QCOMPARE(w->txtFacA.Text(), QStringLiteral("8"));
    QCOMPARE(w->txtFacB.Text(), QStringLiteral("3"));
    QCOMPARE(w->lblMaal.Caption(), QStringLiteral("X"));
    QVERIFY(w->cmdStart.isVisible());
    QVERIFY(!w->txtRes.isVisible());
    QCOMPARE(w->txtRes.Text(), QStringLiteral(" "));
    QCOMPARE(t->clock->timesRead, 0);
    QCOMPARE(w->txtRes.maxLength(), 4);
    QCOMPARE(w->txtRes.toolTip(), QStringLiteral("Tik resultaat en druk zo snel mogelijk op ENTER"));
    QCOMPARE(w->Width(), 9480 + 2 * 60);
    QCOMPARE(w->Height(), 7185 + 2 * 60);
}

void tst_Werkblad::startStartsTheClockAndHandsTheFocusToTheAnswerBox()
{
    t->clock->set(100.2);
    chooseSeries(**t, 1);
    QVERIFY(QTest::qWaitForWindowActive(sheet()));
    // START holds the focus first, so the keyboard alone starts the test.
    QCOMPARE(QApplication::focusWidget(), &sheet()->cmdStart);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(V().ExerciseStart, 100);
    QVERIFY(!sheet()->cmdStart.isVisible());
    QVERIFY(sheet()->txtRes.isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), &sheet()->txtRes);
    QCOMPARE(sheet()->txtRes.Text(), QStringLiteral(" "));
    QCOMPARE(sheet()->txtOefNr.Text(), QStringLiteral("1"));
}

void tst_Werkblad::aWholeTestRecordsEveryExerciseAndEndsOnTheResults_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Pramilo") << "Pramilo";
    QTest::newRow("Sudeval") << "Sudeval";
}

void tst_Werkblad::aWholeTestRecordsEveryExerciseAndEndsOnTheResults()
{
    QFETCH(QString, program);
    const Variant& v = variantNamed(program);
    start(v, 1);
    const SeriesTable& s = v.seriesTable(1);

    // What the worksheet shows while the last message is up.
    QString shownDuringMessage;
    bool resultsLoadedDuringMessage = true;
    t->boxes->onShow = [&](const ShownBox& b) {
        if (b.title == QLatin1String("Gedaan!")) {
            shownDuringMessage = sheet()->txtOefNr.Text() + "/" + sheet()->txtJuist.Text() + "/" +
                                 sheet()->txtRes.Text();
            resultsLoadedDuringMessage = t->program->Resultaten.isLoaded();
        }
    };

    int right = 0;
    for (int i = 1; i <= 50; ++i) {
        const int expected = v.ExpectedAnswer(s[i - 1].a, s[i - 1].b);
        QCOMPARE(sheet()->txtOefNr.Text(), QString::number(i));
        QCOMPARE(sheet()->txtFacA.Text(), QString::number(v.FirstShown(s[i - 1].a, s[i - 1].b)));
        QCOMPARE(sheet()->txtFacB.Text(), QString::number(s[i - 1].b));
        if (i == 1) {
            typeAndEnter(QString()); // the design blank alone
        } else if (i % 4 == 0) {
            typeAndEnter(QString::number(expected + 1));
        } else if (i % 7 == 0) {
            typeAndEnter("0" + QString::number(expected)); // a leading zero
            ++right;
        } else {
            typeAndEnter(QString::number(expected));
            ++right;
        }
    }

    const QString text1 = v.ExerciseText(s[0].a, s[0].b);
    QCOMPARE(V().ResultLines[1], text1 + " = ..........0");
    QCOMPARE(V().PupilAnswers[1], int16_t(0));
    const int e7 = v.ExpectedAnswer(s[6].a, s[6].b);
    QCOMPARE(V().ResultLines[7], v.ExerciseText(s[6].a, s[6].b) + " = " + QString::number(e7));
    const int e8 = v.ExpectedAnswer(s[7].a, s[7].b);
    QCOMPARE(V().ResultLines[8],
             v.ExerciseText(s[7].a, s[7].b) + " = .........." + QString::number(e8 + 1));
    QCOMPARE(V().CorrectCount, int16_t(right));
    QCOMPARE(V().ExerciseNumber, int16_t(51));
    QCOMPARE(V().TotalSeconds, int16_t(0));
    QCOMPARE(V().TimeStars[50], QStringLiteral("*"));

    QCOMPARE(t->boxes->shown.size(), size_t(1));
    QCOMPARE(t->boxes->shown.back(), (ShownBox{"OK,Je bent klaar!", 0, "Gedaan!"}));
    QVERIFY(!resultsLoadedDuringMessage);
    QCOMPARE(shownDuringMessage, QStringLiteral("50/%1/").arg(right - (50 % 4 == 0 ? 0 : 1)));
    QVERIFY(t->program->Resultaten.isLoaded());
    QVERIFY(t->program->Resultaten.get()->isVisible());
    QVERIFY(sheet()->isVisible());
    QCOMPARE(sheet()->txtOefNr.Text(), QStringLiteral("51"));
    QCOMPARE(sheet()->txtJuist.Text(), QString::number(right));
    QCOMPARE(sheet()->txtFacA.Text(), QStringLiteral("0"));
    QCOMPARE(sheet()->txtFacB.Text(), QStringLiteral("0"));
    QVERIFY(sheet()->txtRes.isVisible());
    QCOMPARE(sheet()->txtRes.Text(), QString());
}

void tst_Werkblad::roundedReadingsTimeAnExercise()
{
    t->clock->set(10.4);
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    QCOMPARE(V().ExerciseStart, 10);
    t->clock->set(15.6);
    typeAndEnter("24");
    QCOMPARE(V().ExerciseEnd, 16);
    QCOMPARE(V().ExerciseElapsed, 6);
    QCOMPARE(V().ExerciseSeconds[1], int16_t(6));
    QCOMPARE(V().TimeStars[1], QStringLiteral("**"));
    QCOMPARE(V().TotalSeconds, int16_t(6));
    QCOMPARE(V().ResultLines[1], QStringLiteral("8 x 3 = 24"));

    // Ties go to the even second: 12.5 reads 12, 13.5 reads 14.
    t->clock->set(12.5);
    typeAndEnter("35");
    QCOMPARE(V().ExerciseEnd, 12);
    QCOMPARE(V().ExerciseSeconds[2], int16_t(-4));
    QCOMPARE(V().TimeStars[2], QStringLiteral("*****"));
    QCOMPARE(V().TotalSeconds, int16_t(2));
    t->clock->set(13.5);
    typeAndEnter("0");
    QCOMPARE(V().ExerciseSeconds[3], int16_t(2));
}

void tst_Werkblad::anEmptyEnterKeepsTheExerciseAndRestartsItsClock()
{
    t->clock->set(0);
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    const SeriesTable& s = Variant::pramilo().seriesTable(1);
    for (int i = 1; i <= 11; ++i) {
        t->clock->set(i * 3);
        typeAndEnter(QString::number(s[i - 1].a * s[i - 1].b));
    }
    QCOMPARE(V().ExerciseNumber, int16_t(12));
    const auto answersBefore = V().PupilAnswers;
    const auto linesBefore = V().ResultLines;

    t->clock->set(33 + 7); // seven seconds into exercise 12
    typeAndEnter(QString());
    QCOMPARE(t->boxes->shown.back(), (ShownBox{"Vul een getal in!", 0, "Let op!"}));
    QCOMPARE(V().ExerciseNumber, int16_t(12));
    QCOMPARE(V().CorrectCount, int16_t(11));
    QCOMPARE(V().PupilAnswers, answersBefore);
    QCOMPARE(V().ResultLines, linesBefore);
    QCOMPARE(V().TotalSeconds, int16_t(40));
    QCOMPARE(V().ExerciseSeconds[12], int16_t(7));
    QCOMPARE(V().TimeStars[12], QStringLiteral("**"));
    QCOMPARE(sheet()->txtOefNr.Text(), QStringLiteral("12"));
    QCOMPARE(sheet()->txtRes.Text(), QString());

    t->clock->set(40 + 3);
    typeAndEnter("48"); // a wrong answer to 8 x 1
    QCOMPARE(V().ExerciseSeconds[12], int16_t(3));
    QCOMPARE(V().TimeStars[12], QStringLiteral("*"));
    QCOMPARE(V().TotalSeconds, int16_t(43));
    QCOMPARE(V().CorrectCount, int16_t(11));
    QCOMPARE(V().ExerciseNumber, int16_t(13));
    QCOMPARE(V().ResultLines[12], QStringLiteral("8 x 1 = ..........48"));
    QCOMPARE(t->boxes->shown.size(), size_t(1));
}

void tst_Werkblad::onlyDigitsBackspaceAndEnterReachTheBox_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::newRow("a letter") << int(Qt::Key_A) << 0 << "a";
    QTest::newRow("a blank") << int(Qt::Key_Space) << 0 << " ";
    QTest::newRow("a minus sign") << int(Qt::Key_Minus) << 0 << "-";
    QTest::newRow("a point") << int(Qt::Key_Period) << 0 << ".";
    QTest::newRow("a comma") << int(Qt::Key_Comma) << 0 << ",";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << "\x1b";
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16";
    QTest::newRow("a character above 256") << 0x20AC << 0 << QString(QChar(0x20AC));
}

void tst_Werkblad::onlyDigitsBackspaceAndEnterReachTheBox()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QApplication::clipboard()->setText(QStringLiteral("77"));
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    TextBox& box = sheet()->txtRes;
    box.putText(QStringLiteral("1"));
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    // Codes above 256 pass the rule and the box takes them as typed.
    QCOMPARE(box.Text(), key == 0x20AC ? QStringLiteral("1") + text : QStringLiteral("1"));
    QVERIFY(t->boxes->shown.empty());
    QCOMPARE(V().ExerciseNumber, int16_t(1));

    QTest::keyClick(&box, Qt::Key_2);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_4);
    QCOMPARE(box.Text(), key == 0x20AC ? QStringLiteral("1") + text + "4" : QStringLiteral("14"));
}

void tst_Werkblad::composedCharactersPassTheKeyRule()
{
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00E9-x24"));
    QApplication::sendEvent(&sheet()->txtRes, &composed);
    QCOMPARE(sheet()->txtRes.Text(), QStringLiteral(" 24"));
    QVERIFY(t->boxes->shown.empty());
}

void tst_Werkblad::aFifthDigitDoesNotFit()
{
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    sheet()->txtRes.putText(QString());
    QTest::keyClicks(&sheet()->txtRes, "12345");
    QCOMPARE(sheet()->txtRes.Text(), QStringLiteral("1234"));
    QTest::keyClick(&sheet()->txtRes, Qt::Key_Enter); // the keypad's Enter
    QCOMPARE(V().PupilAnswers[1], int16_t(1234));
    QCOMPARE(V().ResultLines[1], QStringLiteral("8 x 3 = ..........1234"));
}

void tst_Werkblad::digitsBesideTheDesignBlankAndLeadingZerosGiveTheirNumber()
{
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    typeAndEnter("24"); // after the design blank: " 24"
    QCOMPARE(V().PupilAnswers[1], int16_t(24));
    QCOMPARE(V().ResultLines[1], QStringLiteral("8 x 3 = 24"));
    typeAndEnter("035");
    QCOMPARE(V().ResultLines[2], QStringLiteral("7 x 5 = 35"));
    typeAndEnter("53"); // 6 x 0
    QCOMPARE(V().ResultLines[3], QStringLiteral("6 x 0 = ..........53"));
    QCOMPARE(V().CorrectCount, int16_t(2));
}

void tst_Werkblad::aSecondSeriesChoiceChangesOnlyTheSeries()
{
    t->clock->set(5);
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    t->clock->set(9);
    typeAndEnter("24");
    typeAndEnter("35");
    Werkblad* first = sheet();
    const int reads = t->clock->timesRead;

    chooseSeries(**t, 2);
    QCOMPARE(sheet(), first); // not loaded anew
    QCOMPARE(V().SeriesNumber, int16_t(2));
    QCOMPARE(V().ExerciseNumber, int16_t(3));
    QCOMPARE(V().CorrectCount, int16_t(2));
    QCOMPARE(V().TotalSeconds, int16_t(4));
    QCOMPARE(t->clock->timesRead, reads);
    QVERIFY(!sheet()->cmdStart.isVisible());
    // The display keeps exercise 3 of series 1 until the next Enter...
    QCOMPARE(sheet()->txtFacA.Text(), QStringLiteral("6"));
    QCOMPARE(sheet()->txtFacB.Text(), QStringLiteral("0"));
    // ...which checks against series 2 (7 x 0) and shows its exercise 4.
    typeAndEnter("0");
    QCOMPARE(V().ResultLines[3], QStringLiteral("7 x 0 = 0"));
    QCOMPARE(sheet()->txtFacA.Text(), QStringLiteral("6"));
    QCOMPARE(sheet()->txtFacB.Text(), QStringLiteral("5"));
}

void tst_Werkblad::aFinishedTestTakesNoMoreAnswers()
{
    t->clock->set(0);
    chooseSeries(**t, 4);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    for (int i = 1; i <= 50; ++i)
        typeAndEnter("7");
    QCOMPARE(V().ExerciseNumber, int16_t(51));
    const Variabelen before = V();
    const size_t boxes = t->boxes->shown.size();

    t->clock->set(100);
    typeAndEnter("12");
    typeAndEnter(QString());
    QCOMPARE(V().ExerciseNumber, int16_t(51));
    QCOMPARE(V().PupilAnswers, before.PupilAnswers);
    QCOMPARE(V().ResultLines, before.ResultLines);
    QCOMPARE(V().ExerciseSeconds, before.ExerciseSeconds);
    QCOMPARE(V().TimeStars, before.TimeStars);
    QCOMPARE(V().TotalSeconds, before.TotalSeconds);
    QCOMPARE(V().CorrectCount, before.CorrectCount);
    QCOMPARE(t->boxes->shown.size(), boxes);
    QCOMPARE(sheet()->txtRes.Text(), QString());
}

void tst_Werkblad::aTestAcrossMidnightKeepsItsTimes()
{
    t->clock->set(86390.2);
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    t->clock->set(3.0);
    typeAndEnter("24");
    QCOMPARE(V().ExerciseSeconds[1], int16_t(13));
    QCOMPARE(V().TimeStars[1], QStringLiteral("***"));
    QCOMPARE(V().TotalSeconds, int16_t(13));

    // A clock set back a little keeps its small negative time.
    t->clock->set(1.0);
    typeAndEnter("35");
    QCOMPARE(V().ExerciseSeconds[2], int16_t(-2));
    QCOMPARE(V().TimeStars[2], QStringLiteral("*****"));
    QCOMPARE(V().TotalSeconds, int16_t(11));
}

void tst_Werkblad::timesBeyondSixteenBitsAreHeldAtTheLimit()
{
    t->clock->set(0);
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    t->clock->set(40000);
    typeAndEnter("24");
    QCOMPARE(V().ExerciseElapsed, 40000);
    QCOMPARE(V().ExerciseSeconds[1], int16_t(32767));
    QCOMPARE(V().TimeStars[1], QStringLiteral("*****"));
    QCOMPARE(V().TotalSeconds, int16_t(32767));
    t->clock->set(40010);
    typeAndEnter("35");
    QCOMPARE(V().ExerciseSeconds[2], int16_t(10));
    QCOMPARE(V().TotalSeconds, int16_t(32767));
    QCOMPARE(V().ExerciseNumber, int16_t(3));
}

void tst_Werkblad::pastedTextOutsideSixteenBitsIsNoAnswer()
{
    chooseSeries(**t, 1);
    QTest::mouseClick(&sheet()->cmdStart, Qt::LeftButton);
    TextBox& box = sheet()->txtRes;
    for (const QString& pasted : {QStringLiteral("9E9"), QStringLiteral("-9D9"), QStringLiteral("1E10")}) {
        box.putText(QString());
        QApplication::clipboard()->setText(pasted);
        box.paste(); // what the context menu's Paste does
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(t->boxes->shown.back(), (ShownBox{"Vul een getal in!", 0, "Let op!"}));
        QCOMPARE(box.Text(), QString());
        QCOMPARE(V().ExerciseNumber, int16_t(1));
        QCOMPARE(V().ResultLines[1], QString());
    }
    // Pasted text that fits is read as typed text would be.
    QApplication::clipboard()->setText(QStringLiteral("-5"));
    box.paste();
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(V().ResultLines[1], QStringLiteral("8 x 3 = ..........-5"));
    QCOMPARE(V().ExerciseNumber, int16_t(2));
}

void tst_Werkblad::theRealMessageBoxHoldsTheHandlerUntilConfirmed()
{
    TestProgram withRealBoxes(Variant::pramilo(), RealMessageBoxes | RealPrinter);
    Program& program = *withRealBoxes;
    chooseSeries(program, 1);
    Werkblad* w = program.Werkblad.get();
    QTest::mouseClick(&w->cmdStart, Qt::LeftButton);
    w->txtRes.putText(QString());

    // Recorded while the box is up and checked once it is gone: a failed
    // check in here would leave the box open until the test times out.
    bool boxUp = false;
    QString seen;
    int16_t exerciseWhileUp = -1;
    bool enterClosedIt = false;
    QTimer answer; // dies with the test, so it cannot fire into a later one
    answer.setSingleShot(true);
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxUp = true;
            seen = box->windowTitle() + "|" + box->text() + "|" +
                   QString::number(int(box->icon()));
            exerciseWhileUp = program.Variabelen.ExerciseNumber;
            QTest::keyClick(box, Qt::Key_Return);
            enterClosedIt = !box->isVisible();
        }
        if (QWidget* still = QApplication::activeModalWidget())
            still->close();
    });
    answer.start(50);
    QTest::keyClick(&w->txtRes, Qt::Key_Return);
    QVERIFY2(boxUp, "no message box was up");
    QCOMPARE(seen, QStringLiteral("Let op!|Vul een getal in!|%1").arg(int(QMessageBox::NoIcon)));
    // The handler was still waiting: nothing after the message had run.
    QCOMPARE(exerciseWhileUp, int16_t(1));
    QVERIFY(enterClosedIt);
}

void tst_Werkblad::aThreeDigitDividendIsShownWhole()
{
    t = std::make_unique<TestProgram>(Variant::sudeval());
    t->program->Variabelen.ExerciseNumber = 36;
    chooseSeries(*t->program, 2);
    MultiLineTextBox& box = sheet()->txtFacA;
    QCOMPARE(box.Text(), QStringLiteral("100"));
    // One line that fits the box: a broken "10" over "0" would show as 10.
    QVERIFY(QFontMetrics(box.font()).horizontalAdvance(box.Text()) <= box.contentsRect().width());
    QCOMPARE(box.document()->lineCount(), 1);
    // Two digits keep the design size.
    QCOMPARE(sheet()->txtFacB.font().pixelSize(), 48);
    typeAndEnter("10"); // on to 4 : 4, drawn at the design size again
    QCOMPARE(box.Text(), QStringLiteral("4"));
    QCOMPARE(box.font().pixelSize(), 48);
}

QTEST_MAIN(tst_Werkblad)
#include "tst_werkblad.moc"
