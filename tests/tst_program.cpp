#include "fakes.h"
#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "forms/frmEindscherm.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"
#include "forms/series_choice.h"

#include <QTest>

// The forms' single instances, their Load, Show and Unload, and a window
// manager that closes windows under the program's feet.
class tst_Program : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void aNewProgramStartsWithEveryFieldZeroOrEmpty();
    void loadRunsTheLoadHandlerOnceAndUnloadForgetsTheForm();
    void unloadingAFormThatIsNotLoadedDoesNothing();
    void outerSizesAreInTwipsAtFifteenToAPixel();
    void closingAnyFormDuringATestLeavesTheTestRunning_data();
    void closingAnyFormDuringATestLeavesTheTestRunning();
    void closingTheWorksheetLetsASeriesButtonOpenItAgain();
    void closingTheLastFormEndsTheProgram();

private:
    Program& P() { return *t->program; }
    std::unique_ptr<TestProgram> t;
};

void tst_Program::init() { t = std::make_unique<TestProgram>(Variant::pramilo()); }
void tst_Program::cleanup() { t.reset(); }

void tst_Program::aNewProgramStartsWithEveryFieldZeroOrEmpty()
{
    const Variabelen& V = P().Variabelen;
    for (int i = 0; i <= 51; ++i) {
        QCOMPARE(V.FactorA[i], int16_t(0));
        QCOMPARE(V.FactorB[i], int16_t(0));
        QCOMPARE(V.PupilAnswers[i], int16_t(0));
        QCOMPARE(V.ExerciseSeconds[i], int16_t(0));
        QVERIFY(V.ResultLines[i].isEmpty());
        QVERIFY(V.TimeStars[i].isEmpty());
    }
    QVERIFY(V.PupilName.isEmpty() && V.PupilClass.isEmpty());
    QCOMPARE(V.ExerciseNumber + V.CorrectCount + V.TotalSeconds + V.TotalMinutes +
                 V.TotalRestSeconds + V.SeriesNumber,
             0);
    QCOMPARE(V.ExerciseStart + V.ExerciseEnd + V.ExerciseElapsed, 0);
    QVERIFY(!P().anyFormLoaded());
}

void tst_Program::loadRunsTheLoadHandlerOnceAndUnloadForgetsTheForm()
{
    chooseSeries(P(), 1);
    Werkblad* first = P().Werkblad.get();
    P().Variabelen.ExerciseNumber = 7;
    P().Werkblad.Load(); // loaded: its Load handler does not run again
    QCOMPARE(P().Werkblad.get(), first);
    QCOMPARE(first->txtOefNr.Text(), QStringLiteral("1"));
    QTest::mouseClick(&first->cmdStart, Qt::LeftButton);

    P().Werkblad.Unload();
    QVERIFY(!P().Werkblad.isLoaded());
    QVERIFY(!first->isVisible());
    // The next Load starts from the design state and runs the handler again.
    P().Werkblad.Load();
    QCOMPARE(P().Werkblad->txtOefNr.Text(), QStringLiteral("7"));
    QVERIFY(P().Werkblad->cmdStart.isVisibleTo(P().Werkblad.get()));
    QCOMPARE(P().Werkblad->txtRes.Text(), QStringLiteral(" "));
}

void tst_Program::unloadingAFormThatIsNotLoadedDoesNothing()
{
    P().sch640x480.Unload();
    P().Resultaten.Unload();
    QVERIFY(!P().anyFormLoaded());
    QCOMPARE(t->ender->ends, 0);
}

void tst_Program::outerSizesAreInTwipsAtFifteenToAPixel()
{
    P().frmReeks.setHeight(6800);
    P().frmReeks.setWidth(9600);
    QVERIFY(P().frmReeks.isLoaded()); // naming the size loads the form
    QCOMPARE(P().frmReeks.get()->width(), 640);
    QCOMPARE(P().frmReeks.get()->height(), 453);
    QCOMPARE(P().frmReeks.Width(), 9600);
    QCOMPARE(P().frmReeks.Height(), 6795); // whole pixels only
}

void tst_Program::closingAnyFormDuringATestLeavesTheTestRunning_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("the start screen") << "sch640x480";
    QTest::newRow("the pupil form") << "frmReeks";
    QTest::newRow("the end screen of an earlier pupil") << "frmEindscherm";
}

void tst_Program::closingAnyFormDuringATestLeavesTheTestRunning()
{
    QFETCH(QString, form);
    P().frmEindscherm.Show();
    P().sch640x480.Show();
    P().frmReeks.Show();
    chooseSeries(P(), 1);
    Werkblad* w = P().Werkblad.get();
    QTest::mouseClick(&w->cmdStart, Qt::LeftButton);
    QTest::keyClicks(&w->txtRes, "24");
    QTest::keyClick(&w->txtRes, Qt::Key_Return);

    FormSlotBase& slot = form == "sch640x480" ? static_cast<FormSlotBase&>(P().sch640x480)
                       : form == "frmReeks"   ? static_cast<FormSlotBase&>(P().frmReeks)
                                              : static_cast<FormSlotBase&>(P().frmEindscherm);
    QVERIFY(slot.form()->close() == false); // the form unloads itself instead
    QVERIFY(!slot.isLoaded());
    QCOMPARE(t->ender->ends, 0);

    for (int i = 2; i <= 50; ++i) {
        QTest::keyClicks(&w->txtRes, "1");
        QTest::keyClick(&w->txtRes, Qt::Key_Return);
    }
    QCOMPARE(P().Variabelen.ExerciseNumber, int16_t(51));
    QVERIFY(P().Resultaten.isLoaded());
    QCOMPARE(P().Variabelen.ResultLines[1], QStringLiteral("8 x 3 = 24"));
}

void tst_Program::closingTheWorksheetLetsASeriesButtonOpenItAgain()
{
    chooseSeries(P(), 1);
    Werkblad* w = P().Werkblad.get();
    QTest::mouseClick(&w->cmdStart, Qt::LeftButton);
    QTest::keyClicks(&w->txtRes, "24");
    QTest::keyClick(&w->txtRes, Qt::Key_Return);
    w->close();
    QVERIFY(!P().Werkblad.isLoaded());

    chooseSeries(P(), 1);
    QCOMPARE(P().Werkblad->txtOefNr.Text(), QStringLiteral("2"));
    QTest::mouseClick(&P().Werkblad->cmdStart, Qt::LeftButton);
    QTest::keyClicks(&P().Werkblad->txtRes, "35");
    QTest::keyClick(&P().Werkblad->txtRes, Qt::Key_Return);
    QCOMPARE(P().Variabelen.ResultLines[2], QStringLiteral("7 x 5 = 35"));
    QCOMPARE(P().Variabelen.CorrectCount, int16_t(2));
}

void tst_Program::closingTheLastFormEndsTheProgram()
{
    P().frmEindscherm.Show();
    P().frmReeks.Show();
    P().frmReeks.get()->close();
    QCOMPARE(t->ender->ends, 0);
    P().frmEindscherm.get()->close();
    QCOMPARE(t->ender->ends, 1);
}

QTEST_MAIN(tst_Program)
#include "tst_program.moc"
