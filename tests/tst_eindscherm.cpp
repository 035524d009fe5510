#include "fakes.h"
#include "forms/Werkblad.h"
#include "forms/frmEindscherm.h"
#include "forms/frmReeks.h"
#include "forms/series_choice.h"

#include <QApplication>
#include <QTest>

class tst_Eindscherm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void theEndButtonHasTheFocusAndTheCreditsStandAsDesigned();
    void nextCandidateLeavesAFreshPupilFormAndZeroCountsAndTimes();
    void nextCandidateKeepsEverythingElseOfThePreviousPupil();
    void theEndButtonUnloadsTheFormsAndEndsForAnyPupil_data();
    void theEndButtonUnloadsTheFormsAndEndsForAnyPupil();
    void enterAtOnceOnTheFirstEndScreenEndsTheProgram();
    void textTypedIntoACreditBoxStaysForTheNextPupil();
    void nextCandidateDuringATestDiscardsIt();

private:
    Program& P() { return *t->program; }
    frmEindscherm* end() { return P().frmEindscherm.get(); }
    // The forms that stand beneath the end screen after a first pupil's test.
    void loadTheFirstPupilsForms();

    std::unique_ptr<TestProgram> t;
};

void tst_Eindscherm::init() { t = std::make_unique<TestProgram>(Variant::pramilo()); }
void tst_Eindscherm::cleanup() { t.reset(); }

void tst_Eindscherm::loadTheFirstPupilsForms()
{
    P().sch640x480.Show();
    P().frmReeks.Show();
    chooseSeries(P(), 1);
    P().Resultaten.Show();
    P().frmEindscherm.Show();
}

void tst_Eindscherm::theEndButtonHasTheFocusAndTheCreditsStandAsDesigned()
{
    P().frmEindscherm.Show();
    QVERIFY(QTest::qWaitForWindowActive(end()));
    QCOMPARE(QApplication::focusWidget(), &end()->Command1);
    QCOMPARE(end()->Command1.Caption(), QStringLiteral("IK WIL HET PROGRAMMA EINDIGEN"));
    QCOMPARE(end()->Command2.Caption(), QStringLiteral("DE VOLGENDE KANDIDAAT A.U B."));
    // A one-line name and a three-line address, every line closed by a break.
    QCOMPARE(end()->Text2.Text().count(u'\n'), 1);
    QVERIFY(end()->Text2.Text().endsWith(u'\n'));
    QCOMPARE(end()->Text1.Text().count(u'\n'), 3);
    QVERIFY(end()->Text1.Text().endsWith(u'\n'));
    QVERIFY(!end()->Text1.isReadOnly());
    QVERIFY(!end()->Text2.isReadOnly());
    QCOMPARE(end()->Width(), 9510 + 2 * 60);
    QCOMPARE(end()->Height(), 7185 + 2 * 60);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &end()->Command2);
}

void tst_Eindscherm::nextCandidateLeavesAFreshPupilFormAndZeroCountsAndTimes()
{
    loadTheFirstPupilsForms();
    const frmReeks* firstPupilForm = P().frmReeks.get();
    auto& V = P().Variabelen;
    V.ExerciseNumber = 51;
    V.CorrectCount = 44;
    V.TotalSeconds = 163;
    V.TotalMinutes = 2;
    V.TotalRestSeconds = 43;

    QTest::mouseClick(&end()->Command2, Qt::LeftButton);

    QVERIFY(!P().sch640x480.isLoaded());
    QVERIFY(!P().Werkblad.isLoaded());
    QVERIFY(!P().Resultaten.isLoaded());
    QVERIFY(P().frmReeks.isLoaded());
    QVERIFY(P().frmReeks.get() != firstPupilForm);
    QVERIFY(P().frmReeks.get()->isVisible());
    // Shown at its design size: only START on the start screen sizes it.
    QCOMPARE(P().frmReeks.Width(), 9480 + 2 * 60);
    QCOMPARE(P().frmReeks.Height(), 7185 + 2 * 60);
    QVERIFY(end()->isVisible());
    QCOMPARE(V.ExerciseNumber, int16_t(0));
    QCOMPARE(V.CorrectCount, int16_t(0));
    QCOMPARE(V.TotalSeconds, int16_t(0));
    QCOMPARE(V.TotalMinutes, int16_t(0));
    QCOMPARE(V.TotalRestSeconds, int16_t(0));
    QCOMPARE(t->ender->ends, 0);
    QVERIFY(t->boxes->shown.empty());
}

void tst_Eindscherm::nextCandidateKeepsEverythingElseOfThePreviousPupil()
{
    loadTheFirstPupilsForms();
    auto& V = P().Variabelen;
    V.PupilName = QStringLiteral("Lotte");
    V.PupilClass = QStringLiteral("4");
    V.PupilAnswers[7] = 12;
    V.ResultLines[7] = QStringLiteral("6 x 9 = ..........12");
    V.TimeStars[7] = QStringLiteral("**");
    V.ExerciseSeconds[7] = 8;
    V.ExerciseStart = 500;
    const Variabelen before = V;

    QTest::keyClick(&end()->Command2, Qt::Key_Return);

    QCOMPARE(V.PupilName, before.PupilName);
    QCOMPARE(V.PupilClass, before.PupilClass);
    QCOMPARE(V.SeriesNumber, int16_t(1));
    QCOMPARE(V.FactorA, before.FactorA);
    QCOMPARE(V.FactorB, before.FactorB);
    QCOMPARE(V.PupilAnswers, before.PupilAnswers);
    QCOMPARE(V.ResultLines, before.ResultLines);
    QCOMPARE(V.TimeStars, before.TimeStars);
    QCOMPARE(V.ExerciseSeconds, before.ExerciseSeconds);
    QCOMPARE(V.ExerciseStart, before.ExerciseStart);
}

void tst_Eindscherm::theEndButtonUnloadsTheFormsAndEndsForAnyPupil_data()
{
    QTest::addColumn<bool>("firstPupil");
    QTest::newRow("the first pupil, start screen still loaded") << true;
    QTest::newRow("a later pupil, start screen long gone") << false;
}

void tst_Eindscherm::theEndButtonUnloadsTheFormsAndEndsForAnyPupil()
{
    QFETCH(bool, firstPupil);
    loadTheFirstPupilsForms();
    if (!firstPupil) {
        QTest::mouseClick(&end()->Command2, Qt::LeftButton);
        chooseSeries(P(), 2);
        P().Resultaten.Show();
        P().frmEindscherm.Show();
    }
    QTest::mouseClick(&end()->Command1, Qt::LeftButton);
    QCOMPARE(t->ender->ends, 1);
    QVERIFY(!P().anyFormLoaded());
    QVERIFY(t->boxes->shown.empty());
}

void tst_Eindscherm::enterAtOnceOnTheFirstEndScreenEndsTheProgram()
{
    loadTheFirstPupilsForms();
    QVERIFY(QTest::qWaitForWindowActive(end()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(t->ender->ends, 1);
}

void tst_Eindscherm::textTypedIntoACreditBoxStaysForTheNextPupil()
{
    loadTheFirstPupilsForms();
    end()->Text1.setFocus();
    QTest::keyClicks(&end()->Text1, "Klas 4B");
    const QString typed = end()->Text1.Text();
    QVERIFY(typed.contains(QStringLiteral("Klas 4B")));

    QTest::mouseClick(&end()->Command2, Qt::LeftButton);
    chooseSeries(P(), 3);
    P().Resultaten.Show();
    P().frmEindscherm.Load(); // loaded already: nothing happens
    P().frmEindscherm.Show();
    QCOMPARE(end()->Text1.Text(), typed);
}

void tst_Eindscherm::nextCandidateDuringATestDiscardsIt()
{
    loadTheFirstPupilsForms();
    P().Resultaten.Unload();
    QTest::mouseClick(&P().Werkblad->cmdStart, Qt::LeftButton);
    for (const char* answer : {"24", "35", "0"}) {
        QTest::keyClicks(&P().Werkblad->txtRes, answer);
        QTest::keyClick(&P().Werkblad->txtRes, Qt::Key_Return);
    }
    QCOMPARE(P().Variabelen.CorrectCount, int16_t(3));

    QTest::mouseClick(&end()->Command2, Qt::LeftButton);
    QVERIFY(!P().Werkblad.isLoaded());
    QCOMPARE(P().Variabelen.ExerciseNumber, int16_t(0));
    QCOMPARE(P().Variabelen.CorrectCount, int16_t(0));

    chooseSeries(P(), 1);
    QCOMPARE(P().Werkblad->txtOefNr.Text(), QStringLiteral("1"));
    QCOMPARE(P().Werkblad->txtJuist.Text(), QStringLiteral("0"));
    QVERIFY(P().Werkblad->cmdStart.isVisible());
}

QTEST_MAIN(tst_Eindscherm)
#include "tst_eindscherm.moc"
