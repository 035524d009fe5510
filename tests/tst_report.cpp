#include "report/results_report.h"
#include "state/results.h"
#include "state/variant.h"
#include "variants.h"

#include <QLocale>
#include <QTest>

namespace {

const QDate kToday{2026, 12, 9};

// What the line prints from each Tab on, as "column:text".
QStringList segments(const PrintLine& items)
{
    QStringList out;
    for (const PrintItem& item : items) {
        if (const auto* tab = std::get_if<Tab>(&item))
            out << QString::number(tab->column) + ":";
        else if (!out.isEmpty())
            out.back() += printedText(item);
        else
            out << printedText(item);
    }
    return out;
}

// A finished test of series 3: 45 right, 163 seconds, exercise i took i % 23
// seconds; every tenth answer wrong.
Variabelen finishedTest(const Variant& v)
{
    Variabelen V;
    V.PupilName = QStringLiteral("Jan");
    V.PupilClass = QStringLiteral("4");
    V.SeriesNumber = 3;
    V.CorrectCount = 45;
    V.TotalSeconds = 163;
    V.TotalMinutes = 2;
    V.TotalRestSeconds = 43;
    const SeriesTable& s = v.seriesTable(3);
    for (int i = 1; i <= 50; ++i) {
        const auto [a, b] = s[i - 1];
        const int answer = v.ExpectedAnswer(a, b) + (i % 10 == 0 ? 1 : 0);
        V.ExerciseSeconds[i] = int16_t(i % 23);
        V.TimeStars[i] = QString(1 + i % 5, QLatin1Char('*'));
        V.ResultLines[i] = v.ExerciseText(a, b) + (i % 10 == 0 ? " = .........." : " = ") +
                           QString::number(answer);
    }
    return V;
}

} // namespace

class tst_Report : public QObject {
    Q_OBJECT
private slots:
    void averageTextIsTheExactQuotientAfterASignBlank_data();
    void averageTextIsTheExactQuotientAfterASignBlank();
    void theTotalTimeSplitsIntoWholeMinutesAndTheSecondsLeft_data();
    void theTotalTimeSplitsIntoWholeMinutesAndTheSecondsLeft();
    void itemsPrintTheirCharactersAndIntegersTheirBlanks_data();
    void itemsPrintTheirCharactersAndIntegersTheirBlanks();
    void aFinishedTestGivesSixtyLinesOfItsFields_data();
    void aFinishedTestGivesSixtyLinesOfItsFields();
    void theDataLinesPrintTheFieldsAsStored_data();
    void theDataLinesPrintTheFieldsAsStored();
};

void tst_Report::averageTextIsTheExactQuotientAfterASignBlank_data()
{
    QTest::addColumn<int>("totalSeconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0: a whole zero") << 0 << " 0";
    QTest::newRow("7: no zero before the point") << 7 << " .14";
    QTest::newRow("75: no trailing zero") << 75 << " 1.5";
    QTest::newRow("100: no point for a whole value") << 100 << " 2";
    QTest::newRow("163: two decimals") << 163 << " 3.26";
    QTest::newRow("32767: the largest total") << 32767 << " 655.34";
    QTest::newRow("-4: a clock set back gives a minus sign") << -4 << "-.08";
}

void tst_Report::averageTextIsTheExactQuotientAfterASignBlank()
{
    QFETCH(int, totalSeconds);
    QFETCH(QString, text);
    QCOMPARE(AverageText(int16_t(totalSeconds)), text);
}

void tst_Report::theTotalTimeSplitsIntoWholeMinutesAndTheSecondsLeft_data()
{
    QTest::addColumn<int>("totalSeconds");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("59: no whole minute") << 59 << 0 << 59;
    QTest::newRow("60: one minute, no seconds") << 60 << 1 << 0;
    QTest::newRow("163") << 163 << 2 << 43;
    QTest::newRow("32767: the largest total") << 32767 << 546 << 7;
    QTest::newRow("-4: the minute below, seconds up from it") << -4 << -1 << 56;
}

void tst_Report::theTotalTimeSplitsIntoWholeMinutesAndTheSecondsLeft()
{
    QFETCH(int, totalSeconds);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    const MinutesAndSeconds split = SplitTotalTime(int16_t(totalSeconds));
    QCOMPARE(int(split.minutes), minutes);
    QCOMPARE(int(split.seconds), seconds);
}

void tst_Report::itemsPrintTheirCharactersAndIntegersTheirBlanks_data()
{
    QTest::addColumn<PrintItem>("item");
    QTest::addColumn<QString>("printed");
    QTest::newRow("45 between two blanks") << PrintItem(PrintedInteger{45}) << " 45 ";
    QTest::newRow("0 between two blanks") << PrintItem(PrintedInteger{0}) << " 0 ";
    QTest::newRow("minus 3 in place of the sign blank") << PrintItem(PrintedInteger{-3}) << "-3 ";
    QTest::newRow("the smallest 16-bit value") << PrintItem(PrintedInteger{-32768}) << "-32768 ";
    QTest::newRow("text with its own blanks unchanged")
        << PrintItem(QStringLiteral(" minuten ")) << " minuten ";
    QTest::newRow("a Tab prints nothing") << PrintItem(Tab{60}) << "";
    QTest::newRow("a date in the system's short format")
        << PrintItem(kToday) << QLocale::system().toString(kToday, QLocale::ShortFormat);
}

void tst_Report::itemsPrintTheirCharactersAndIntegersTheirBlanks()
{
    QFETCH(PrintItem, item);
    QFETCH(QString, printed);
    QCOMPARE(printedText(item), printed);
}

void tst_Report::aFinishedTestGivesSixtyLinesOfItsFields_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("title");
    QTest::newRow("Pramilo") << "Pramilo" << "TEST MAALTAFELS";
    QTest::newRow("Sudeval") << "Sudeval" << "TEST DEELTAFELS";
}

void tst_Report::aFinishedTestGivesSixtyLinesOfItsFields()
{
    QFETCH(QString, program);
    QFETCH(QString, title);
    const Variant& v = variantNamed(program);
    const Variabelen V = finishedTest(v);
    const std::vector<PrintLine> report = ResultsReport(V, v.reportTitle, kToday);
    QCOMPARE(report.size(), size_t(60));

    const QString date = QLocale::system().toString(kToday, QLocale::ShortFormat);
    const QList<QStringList> head{
        {"7:" + title},
        {},
        {"10:Naam van de leerling:  Jan", "60:Klas:  4"},
        {"10:Datum van de test: " + date, "60:Reeks nr.:  3 "},
        {"10:Totaal op 50:  45  goed", "60:In procenten:  90  procent"},
        {"10:Totale tijd van de test:  2  minuten  43  seconde(n)."},
        {"10:Gemiddelde tijd per oefening:  3.26 seconde(n)."},
        {},
        {"25:Oef. nr.:", "35:Tijd (* = 0-5sec)", "55:Oefening", "80:Seconden"},
        {},
    };
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(segments(report[n - 1]), head[n - 1]);
    for (int i = 1; i <= 50; ++i)
        QCOMPARE(segments(report[10 + i - 1]),
                 QStringList({QStringLiteral("27: %1 ").arg(i), "40:" + V.TimeStars[i],
                              "55:" + V.ResultLines[i],
                              QStringLiteral("85: %1 ").arg(V.ExerciseSeconds[i])}));
}

void tst_Report::theDataLinesPrintTheFieldsAsStored_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("klas");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("totalSeconds");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("rest");
    QTest::addColumn<QStringList>("lines"); // lines 3, 5, 6 and 7, segments joined by "|"

    const QString longName(120, QLatin1Char('W'));
    QTest::newRow("an empty name and class leave their labels")
        << "" << "" << 45 << 163 << 2 << 43
        << QStringList{"10:Naam van de leerling:  |60:Klas:  ", "10:Totaal op 50:  45  goed|60:In procenten:  90  procent",
                       "10:Totale tijd van de test:  2  minuten  43  seconde(n).",
                       "10:Gemiddelde tijd per oefening:  3.26 seconde(n)."};
    QTest::newRow("a long name is printed whole")
        << longName << "6" << 50 << 50 << 0 << 50
        << QStringList{"10:Naam van de leerling:  " + longName + "|60:Klas:  6",
                       "10:Totaal op 50:  50  goed|60:In procenten:  100  procent",
                       "10:Totale tijd van de test:  0  minuten  50  seconde(n).",
                       "10:Gemiddelde tijd per oefening:  1 seconde(n)."};
    QTest::newRow("no right answers print 0 twice")
        << "Ann" << "2" << 0 << 0 << 0 << 0
        << QStringList{"10:Naam van de leerling:  Ann|60:Klas:  2", "10:Totaal op 50:  0  goed|60:In procenten:  0  procent",
                       "10:Totale tijd van de test:  0  minuten  0  seconde(n).",
                       "10:Gemiddelde tijd per oefening:  0 seconde(n)."};
    QTest::newRow("minutes and seconds as the results screen left them")
        << "Ann" << "2" << 1 << 163 << 0 << 0
        << QStringList{"10:Naam van de leerling:  Ann|60:Klas:  2", "10:Totaal op 50:  1  goed|60:In procenten:  2  procent",
                       "10:Totale tijd van de test:  0  minuten  0  seconde(n).",
                       "10:Gemiddelde tijd per oefening:  3.26 seconde(n)."};
    QTest::newRow("a clock set back gives minus signs")
        << "Ann" << "2" << 1 << -4 << -1 << 56
        << QStringList{"10:Naam van de leerling:  Ann|60:Klas:  2", "10:Totaal op 50:  1  goed|60:In procenten:  2  procent",
                       "10:Totale tijd van de test: -1  minuten  56  seconde(n).",
                       "10:Gemiddelde tijd per oefening: -.08 seconde(n)."};
}

void tst_Report::theDataLinesPrintTheFieldsAsStored()
{
    QFETCH(QString, name);
    QFETCH(QString, klas);
    QFETCH(int, correct);
    QFETCH(int, totalSeconds);
    QFETCH(int, minutes);
    QFETCH(int, rest);
    QFETCH(QStringList, lines);

    Variabelen V = finishedTest(Variant::sudeval());
    V.PupilName = name;
    V.PupilClass = klas;
    V.CorrectCount = int16_t(correct);
    V.TotalSeconds = int16_t(totalSeconds);
    V.TotalMinutes = int16_t(minutes);
    V.TotalRestSeconds = int16_t(rest);
    const std::vector<PrintLine> report = ResultsReport(V, Variant::sudeval().reportTitle, kToday);
    QStringList got;
    for (int n : {3, 5, 6, 7})
        got << segments(report[n - 1]).join(QLatin1Char('|'));
    QCOMPARE(got, lines);
}

QTEST_APPLESS_MAIN(tst_Report)
#include "tst_report.moc"
