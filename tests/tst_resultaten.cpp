#include "fakes.h"
#include "forms/Resultaten.h"
#include "forms/frmEindscherm.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

namespace {

const ShownBox kReminder{"Kijk of de printer gereed is!", 0, "Let op!"};

} // namespace

class tst_Resultaten : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loadSplitsTheTotalTimeAndShowsTheAverage_data();
    void loadSplitsTheTotalTimeAndShowsTheAverage();
    void loadShowsTheCountAndTwiceItAsThePercentage_data();
    void loadShowsTheCountAndTwiceItAsThePercentage();
    void theTitleAddressesThePupilAndStaysCentred_data();
    void theTitleAddressesThePupilAndStaysCentred();
    void onlyTheTwoButtonsTakeTheFocusAndJaHasItFirst();
    void enterOrSpaceOnTheShownScreenStartsPrinting_data();
    void enterOrSpaceOnTheShownScreenStartsPrinting();
    void neenTwiceShowsTheEndScreenAndChangesNothing();
    void jaRemindsBeforePrintingOnEveryClick();
    void jaPrintsInTheOrderOfItsSteps();
    void jaPrintsTheReportLinesInTheirFonts_data();
    void jaPrintsTheReportLinesInTheirFonts();
    void afterPrintingTheTotalsAreZeroWhileTheScreenKeepsItsFigures();
    void thePrintedDateIsTheDayOfPrinting();
    void aPrintThatDoesNotReachThePrinterChangesNothing_data();
    void aPrintThatDoesNotReachThePrinterChangesNothing();

private:
    // Loads and shows the results as the worksheet does after the 50th answer.
    void showResults(int correct = 45, int totalSeconds = 163, const QString& name = "Jan");
    Resultaten* screen() { return t->program->Resultaten.get(); }
    Variabelen& V() { return t->program->Variabelen; }
    QStringList figures();

    std::unique_ptr<TestProgram> t;
};

void tst_Resultaten::init() { t = std::make_unique<TestProgram>(Variant::pramilo()); }
void tst_Resultaten::cleanup() { t.reset(); }

void tst_Resultaten::showResults(int correct, int totalSeconds, const QString& name)
{
    V().PupilName = name;
    V().PupilClass = QStringLiteral("4");
    V().SeriesNumber = 2;
    V().ExerciseNumber = 51;
    V().CorrectCount = int16_t(correct);
    V().TotalSeconds = int16_t(totalSeconds);
    for (int i = 1; i <= 50; ++i) {
        V().TimeStars[i] = QStringLiteral("**");
        V().ResultLines[i] = QStringLiteral("%1 x 2 = %2").arg(i % 10).arg(2 * (i % 10));
        V().ExerciseSeconds[i] = int16_t(i % 9);
    }
    t->program->Resultaten.Load();
    t->program->Resultaten.Show();
    QVERIFY(QTest::qWaitForWindowActive(screen()));
}

QStringList tst_Resultaten::figures()
{
    Resultaten* r = screen();
    return {r->lblTitel.Caption(), r->lblJuiste.Caption(), r->lblProcent2.Caption(),
            r->lblTijd.Caption(), r->lblGemiddeld.Caption()};
}

void tst_Resultaten::loadSplitsTheTotalTimeAndShowsTheAverage_data()
{
    QTest::addColumn<int>("totalSeconds");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("rest");
    QTest::addColumn<QString>("tijd");
    QTest::addColumn<QString>("gemiddeld");
    QTest::newRow("163: two decimals") << 163 << 2 << 43 << " 2 min. en 43 sec." << " 3.26  seconden";
    QTest::newRow("7: no zero before the point") << 7 << 0 << 7 << " 0 min. en 7 sec." << " .14  seconden";
    QTest::newRow("120: whole minutes") << 120 << 2 << 0 << " 2 min. en 0 sec." << " 2.4  seconden";
    QTest::newRow("50: no decimal point") << 50 << 0 << 50 << " 0 min. en 50 sec." << " 1  seconden";
    QTest::newRow("0: nothing at all") << 0 << 0 << 0 << " 0 min. en 0 sec." << " 0  seconden";
    QTest::newRow("32767: the largest total") << 32767 << 546 << 7 << " 546 min. en 7 sec."
                                              << " 655.34  seconden";
    QTest::newRow("-4: a clock set back rounds the minutes down")
        << -4 << -1 << 56 << " -1 min. en 56 sec." << "-.08  seconden";
}

void tst_Resultaten::loadSplitsTheTotalTimeAndShowsTheAverage()
{
    QFETCH(int, totalSeconds);
    QFETCH(int, minutes);
    QFETCH(int, rest);
    QFETCH(QString, tijd);
    QFETCH(QString, gemiddeld);
    showResults(45, totalSeconds);
    QCOMPARE(V().TotalMinutes, int16_t(minutes));
    QCOMPARE(V().TotalRestSeconds, int16_t(rest));
    QCOMPARE(V().TotalSeconds, int16_t(totalSeconds));
    QCOMPARE(screen()->lblTijd.Caption(), tijd);
    QCOMPARE(screen()->lblGemiddeld.Caption(), gemiddeld);
}

void tst_Resultaten::loadShowsTheCountAndTwiceItAsThePercentage_data()
{
    QTest::addColumn<int>("correct");
    QTest::addColumn<QString>("juiste");
    QTest::addColumn<QString>("procent");
    QTest::newRow("none right") << 0 << "0" << "0";
    QTest::newRow("45 right") << 45 << "45" << "90";
    QTest::newRow("all right") << 50 << "50" << "100";
}

void tst_Resultaten::loadShowsTheCountAndTwiceItAsThePercentage()
{
    QFETCH(int, correct);
    QFETCH(QString, juiste);
    QFETCH(QString, procent);
    showResults(correct);
    QCOMPARE(screen()->lblJuiste.Caption(), juiste);
    QCOMPARE(screen()->lblProcent2.Caption(), procent);
    QCOMPARE(screen()->lbl50.Caption(), QStringLiteral("50"));
    // The box keeps its place and grows to the right only where the figure
    // would be cut: "100" must not read as "10".
    const QRect design = design::pixels({6840, 2280, 612, 492});
    const Label& box = screen()->lblProcent2;
    QCOMPARE(box.geometry().topLeft(), design.topLeft());
    QCOMPARE(box.height(), design.height());
    QCOMPARE(box.width(), std::max(design.width(), box.sizeHint().width()));
    QVERIFY(box.fontMetrics().horizontalAdvance(procent) <= box.contentsRect().width());
}

void tst_Resultaten::theTitleAddressesThePupilAndStaysCentred_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("fits");
    QTest::newRow("a name") << "Jan" << "Jan, hier zijn je resultaten:" << true;
    QTest::newRow("an empty name leaves the comma first") << "" << ", hier zijn je resultaten:"
                                                          << true;
    const QString longName(60, QLatin1Char('M'));
    QTest::newRow("a title wider than the form") << longName << longName + ", hier zijn je resultaten:"
                                                 << false;
}

void tst_Resultaten::theTitleAddressesThePupilAndStaysCentred()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(bool, fits);
    showResults(45, 163, name);
    const Label& l = screen()->lblTitel;
    QCOMPARE(l.Caption(), title);
    QCOMPARE(V().PupilName, name);
    QCOMPARE(l.width(), l.sizeHint().width());
    QCOMPARE(l.y(), design::px(240));
    if (fits) {
        // About the centre of its design box, 4560 + 168 / 2 twips.
        QVERIFY(qAbs(l.geometry().center().x() - design::px(4644)) <= 1);
    } else {
        // It starts at the form's left edge; the form cuts it at the right.
        QCOMPARE(l.x(), 0);
        QVERIFY(l.width() > screen()->client()->width());
    }
}

void tst_Resultaten::onlyTheTwoButtonsTakeTheFocusAndJaHasItFirst()
{
    showResults();
    Resultaten* r = screen();
    QTRY_COMPARE(QApplication::focusWidget(), &r->cmdAfdrukken);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &r->cmdNAfdrukken);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &r->cmdAfdrukken);

    // The ten labels of the table take no input; the title and the question do.
    for (Label* l : {&r->lblTotaal, &r->lbl50, &r->lblJuist, &r->lblJuiste, &r->lblProcent,
                     &r->lblProcent2, &r->lblTijdtotaal, &r->lblTijd, &r->lblGemiddelde,
                     &r->lblGemiddeld})
        QVERIFY2(!l->isEnabled(), qPrintable(l->text()));
    QVERIFY(r->lblTitel.isEnabled());
    QVERIFY(r->lblAfdruk.isEnabled());
    QVERIFY(t->boxes->shown.empty());
}

void tst_Resultaten::enterOrSpaceOnTheShownScreenStartsPrinting_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("the keypad's Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void tst_Resultaten::enterOrSpaceOnTheShownScreenStartsPrinting()
{
    QFETCH(int, key);
    showResults();
    QTRY_COMPARE(QApplication::focusWidget(), &screen()->cmdAfdrukken);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(t->boxes->shown, std::vector<ShownBox>{kReminder});
    QCOMPARE(t->printer->calls.count(QStringLiteral("EndDoc")), 1);
    QVERIFY(t->program->frmEindscherm.isLoaded());
}

void tst_Resultaten::neenTwiceShowsTheEndScreenAndChangesNothing()
{
    showResults();
    const Variabelen before = V();
    QTest::mouseClick(&screen()->cmdNAfdrukken, Qt::LeftButton);
    frmEindscherm* end = t->program->frmEindscherm.get();
    QVERIFY(end && end->isVisible());
    QVERIFY(screen()->isVisible());

    QTest::mouseClick(&screen()->cmdNAfdrukken, Qt::LeftButton);
    QCOMPARE(t->program->frmEindscherm.get(), end);
    QVERIFY(end->isVisible());
    QVERIFY(t->boxes->shown.empty());
    QVERIFY(t->printer->calls.isEmpty());
    QCOMPARE(V().TotalSeconds, before.TotalSeconds);
    QCOMPARE(V().TotalMinutes, before.TotalMinutes);
    QCOMPARE(V().TotalRestSeconds, before.TotalRestSeconds);
    QCOMPARE(V().CorrectCount, before.CorrectCount);
    QCOMPARE(V().ExerciseNumber, before.ExerciseNumber);
}

void tst_Resultaten::jaRemindsBeforePrintingOnEveryClick()
{
    showResults();
    QList<qsizetype> callsAtReminder;
    t->boxes->onShow = [&](const ShownBox& b) {
        if (b == kReminder)
            callsAtReminder << t->printer->calls.size();
    };
    QTest::mouseClick(&screen()->cmdAfdrukken, Qt::LeftButton);
    const qsizetype oneDocument = t->printer->calls.size();
    QTest::mouseClick(&screen()->cmdAfdrukken, Qt::LeftButton);
    QCOMPARE(callsAtReminder, QList<qsizetype>({0, oneDocument}));
    QCOMPARE(t->printer->calls.size(), 2 * oneDocument);
    QCOMPARE(t->boxes->shown, std::vector<ShownBox>({kReminder, kReminder}));
}

void tst_Resultaten::jaPrintsInTheOrderOfItsSteps()
{
    showResults();
    QTest::mouseClick(&screen()->cmdAfdrukken, Qt::LeftButton);
    QStringList expected{"CurrentY 250", "FontSize 18",      "Setting16 2",        "FontBold on",
                         "Setting32 0",  "FontUnderline on", "Print",              "FontSize 13",
                         "Print",        "Setting32 2",      "FontBold off",       "FontUnderline off"};
    for (int line = 3; line <= 8; ++line)
        expected << "Print";
    expected << "FontSize 10" << "FontUnderline on" << "Print" << "Print" << "FontUnderline off";
    for (int row = 1; row <= 50; ++row)
        expected << "Print";
    expected << "EndDoc";
    QCOMPARE(t->printer->calls, expected);
}

void tst_Resultaten::jaPrintsTheReportLinesInTheirFonts_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("title");
    QTest::newRow("Pramilo") << "Pramilo" << "TEST MAALTAFELS";
    QTest::newRow("Sudeval") << "Sudeval" << "TEST DEELTAFELS";
}

void tst_Resultaten::jaPrintsTheReportLinesInTheirFonts()
{
    QFETCH(QString, program);
    QFETCH(QString, title);
    t = std::make_unique<TestProgram>(variantNamed(program));
    t->clock->date = QDate(2026, 12, 9);
    showResults(45, 163);
    QTest::mouseClick(&screen()->cmdAfdrukken, Qt::LeftButton);

    // The report's table of lines: each line's font and items, as printed.
    const PrintFont titleFont{18, true, true};
    const PrintFont blankAfterTitle{13, true, true};
    const PrintFont data{13, false, false};
    const PrintFont header{10, false, true};
    const PrintFont row{10, false, false};
    const QString date = "<" + QLocale::system().toString(QDate(2026, 12, 9), QLocale::ShortFormat) + ">";
    std::vector<std::pair<PrintFont, QString>> expected{
        {titleFont, QStringLiteral("Tab(7) \"%1\"").arg(title)},
        {blankAfterTitle, ""},
        {data, "Tab(10) \"Naam van de leerling:  \" \"Jan\" Tab(60) \"Klas:  \" \"4\""},
        {data, "Tab(10) \"Datum van de test: \" " + date + " Tab(60) \"Reeks nr.: \" [ 2 ]"},
        {data, "Tab(10) \"Totaal op 50: \" [ 45 ] \" goed\" Tab(60) \"In procenten: \" [ 90 ] \" procent\""},
        {data, "Tab(10) \"Totale tijd van de test: \" [ 2 ] \" minuten \" [ 43 ] \" seconde(n).\""},
        {data, "Tab(10) \"Gemiddelde tijd per oefening: \" \" 3.26\" \" seconde(n).\""},
        {data, ""},
        {header, "Tab(25) \"Oef. nr.:\" Tab(35) \"Tijd (* = 0-5sec)\" Tab(55) \"Oefening\" Tab(80) \"Seconden\""},
        {header, ""},
    };
    for (int i = 1; i <= 50; ++i)
        expected.push_back({row, QStringLiteral("Tab(27) [ %1 ] Tab(40) \"**\" Tab(55) \"%2 x 2 = %3\" Tab(85) [ %4 ]")
                                     .arg(i).arg(i % 10).arg(2 * (i % 10)).arg(i % 9)});

    const auto& printed = t->printer->lines;
    QCOMPARE(printed.size(), expected.size());
    for (size_t n = 0; n < printed.size(); ++n) {
        QVERIFY2(printed[n].font == expected[n].first, qPrintable(QStringLiteral("line %1").arg(n + 1)));
        QCOMPARE(describe(printed[n].items), expected[n].second);
    }
}

void tst_Resultaten::afterPrintingTheTotalsAreZeroWhileTheScreenKeepsItsFigures()
{
    showResults(45, 163);
    const QStringList shown = figures();
    const Variabelen before = V();
    std::vector<int> totalsDuringPrint;
    t->boxes->onShow = [&](const ShownBox&) {
        totalsDuringPrint = {V().TotalMinutes, V().TotalRestSeconds, V().TotalSeconds};
    };
    QTest::mouseClick(&screen()->cmdAfdrukken, Qt::LeftButton);

    QCOMPARE(totalsDuringPrint, std::vector<int>({2, 43, 163}));
    QCOMPARE(V().TotalMinutes, int16_t(0));
    QCOMPARE(V().TotalRestSeconds, int16_t(0));
    QCOMPARE(V().TotalSeconds, int16_t(0));
    QCOMPARE(V().CorrectCount, before.CorrectCount);
    QCOMPARE(V().ExerciseNumber, before.ExerciseNumber);
    QCOMPARE(figures(), shown);
    QVERIFY(t->program->Resultaten.isLoaded());
    QVERIFY(t->program->frmEindscherm.get()->isVisible());
}

void tst_Resultaten::thePrintedDateIsTheDayOfPrinting()
{
    t->clock->date = QDate(2026, 12, 9);
    showResults();
    t->clock->date = QDate(2026, 12, 10); // the pupil waited past midnight
    QTest::mouseClick(&screen()->cmdAfdrukken, Qt::LeftButton);
    const PrintLine& line4 = t->printer->lines.at(3).items;
    QVERIFY(std::find(line4.begin(), line4.end(), PrintItem(QDate(2026, 12, 10))) != line4.end());
}

void tst_Resultaten::aPrintThatDoesNotReachThePrinterChangesNothing_data()
{
    QTest::addColumn<PrintOutcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::newRow("no printer") << PrintOutcome::NoPrinter
                                << "Er is geen printer gevonden. Je proef is niet afgedrukt.";
    QTest::newRow("a print that fails") << PrintOutcome::Failed
                                        << "Het afdrukken is niet gelukt. Je proef is niet afgedrukt.";
}

void tst_Resultaten::aPrintThatDoesNotReachThePrinterChangesNothing()
{
    QFETCH(PrintOutcome, outcome);
    QFETCH(QString, message);
    showResults(45, 163);
    const QStringList shown = figures();
    t->printer->outcome = outcome;
    QTest::mouseClick(&screen()->cmdAfdrukken, Qt::LeftButton);

    QCOMPARE(t->boxes->shown, std::vector<ShownBox>({kReminder, {message, 16, "Let op!"}}));
    QCOMPARE(V().TotalMinutes, int16_t(2));
    QCOMPARE(V().TotalRestSeconds, int16_t(43));
    QCOMPARE(V().TotalSeconds, int16_t(163));
    QVERIFY(!t->program->frmEindscherm.isLoaded());
    QCOMPARE(figures(), shown);
    QTRY_COMPARE(QApplication::focusWidget(), &screen()->cmdAfdrukken);

    // The pupil tries again once the printer is there.
    t->printer->outcome = PrintOutcome::Printed;
    t->printer->lines.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(t->boxes->shown.size(), size_t(3));
    QCOMPARE(t->boxes->shown.back(), kReminder);
    QCOMPARE(t->printer->lines.size(), size_t(60));
    QCOMPARE(V().TotalSeconds, int16_t(0));
    QVERIFY(t->program->frmEindscherm.get()->isVisible());
}

QTEST_MAIN(tst_Resultaten)
#include "tst_resultaten.moc"
