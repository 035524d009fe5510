#include "Resultaten.h"
#include "Werkblad.h"
#include "fakes.h"
#include "frmEindscherm.h"
#include "pdf_text.h"
#include "series_choice.h"

#include <QDir>
#include <QLocale>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTest>

// "JA !" through the system's default printer, which tools/test.sh makes a
// cups-pdf queue writing into the folder TAFELS_PDF_DIR; the PDF is read back.

namespace {

bool queueEmpty() { return runTool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty(); }

// Seconds for exercise i: every star band, one- and two-digit times.
int secondsOf(int i) { return (i * 7) % 23; }

QString withoutBlanks(QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s"))); }

} // namespace

class tst_RealPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void jaPrintsTheWholeReportOnTheDefaultPrinter_data();
    void jaPrintsTheWholeReportOnTheDefaultPrinter();

private:
    QString pdfDir;
};

void tst_RealPrinter::initTestCase()
{
    pdfDir = qEnvironmentVariable("TAFELS_PDF_DIR");
    if (pdfDir.isEmpty() || QPrinterInfo::defaultPrinter().isNull()) {
        if (qEnvironmentVariable("CI") == QLatin1String("true"))
            QFAIL("CI prints on the cups-pdf queue that tools/test.sh makes the default printer");
        QSKIP("No cups-pdf queue as the default printer: run the tests through tools/test.sh");
    }
}

void tst_RealPrinter::jaPrintsTheWholeReportOnTheDefaultPrinter_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("title");
    QTest::newRow("Pramilo") << "Pramilo" << "TEST MAALTAFELS";
    QTest::newRow("Sudeval") << "Sudeval" << "TEST DEELTAFELS";
}

void tst_RealPrinter::jaPrintsTheWholeReportOnTheDefaultPrinter()
{
    QFETCH(QString, program);
    QFETCH(QString, title);
    const Variant& v = variantNamed(program);

    Services s = Services::system();
    auto clock = std::make_unique<FakeClock>();
    auto boxes = std::make_unique<RecordingMessageBoxes>();
    FakeClock* c = clock.get();
    RecordingMessageBoxes* b = boxes.get();
    s.clock = std::move(clock);
    s.messages = std::move(boxes);
    s.ender = std::make_unique<RecordingEnder>();
    Program p(v, std::move(s));
    auto& V = p.Variabelen;
    V.PupilName = QStringLiteral("Lotte Vermeulen");
    V.PupilClass = QStringLiteral("5");

    // A whole test through the worksheet, every fifth answer wrong.
    const SeriesTable& series = v.seriesTable(3);
    double now = 30000;
    c->set(now);
    chooseSeries(p, 3);
    Werkblad* w = p.Werkblad.get();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::mouseClick(&w->cmdStart, Qt::LeftButton);
    QStringList rows;
    int total = 0;
    for (int i = 1; i <= 50; ++i) {
        now += secondsOf(i);
        total += secondsOf(i);
        c->set(now);
        const auto [a, bb] = series[i - 1];
        const int expected = v.ExpectedAnswer(a, bb);
        const int answer = i % 5 == 0 ? expected + 1 : expected;
        QTest::keyClicks(&w->txtRes, QString::number(answer));
        QTest::keyClick(&w->txtRes, Qt::Key_Return);
        const QString stars = QString(secondsOf(i) <= 5    ? 1
                                      : secondsOf(i) <= 10 ? 2
                                      : secondsOf(i) <= 15 ? 3
                                      : secondsOf(i) <= 20 ? 4
                                                           : 5,
                                      QLatin1Char('*'));
        rows << withoutBlanks(QStringLiteral("%1%2%3=%4%5%6")
                                  .arg(i)
                                  .arg(stars, v.ExerciseText(a, bb), i % 5 == 0 ? ".........." : "")
                                  .arg(answer)
                                  .arg(secondsOf(i)));
    }
    Resultaten* r = p.Resultaten.get();
    QVERIFY(r && r->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), &r->cmdAfdrukken);

    for (const QString& old : QDir(pdfDir).entryList({QStringLiteral("*.pdf")}, QDir::Files))
        QFile::remove(pdfDir + "/" + old);
    QTest::mouseClick(&r->cmdAfdrukken, Qt::LeftButton);
    QCOMPARE(b->prompts(), QStringList({"OK,Je bent klaar!", "Kijk of de printer gereed is!"}));
    QCOMPARE(V.TotalSeconds, int16_t(0));
    QVERIFY(p.frmEindscherm.isLoaded() && p.frmEindscherm.get()->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(queueEmpty(), 60000);
    QStringList pdfs;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(pdfs = QDir(pdfDir).entryList({QStringLiteral("*.pdf")}, QDir::Files)).isEmpty(), 10000);
    QCOMPARE(pdfs.size(), 1);
    const QString pdf = pdfDir + "/" + pdfs[0];

    // The text, line by line. The PDF's text keeps no exact blanks, and an
    // empty line leaves no line of its own: those are checked below by place.
    QStringList lines;
    for (const QString& line : pdfLayoutText(pdf).split(QLatin1Char('\n')))
        if (!withoutBlanks(line).isEmpty())
            lines << withoutBlanks(line);
    const int right = 40;
    QStringList expected{
        withoutBlanks(title),
        QStringLiteral("Naamvandeleerling:LotteVermeulenKlas:5"),
        "Datumvandetest:" + withoutBlanks(QLocale::system().toString(c->date, QLocale::ShortFormat)) +
            "Reeksnr.:3",
        QStringLiteral("Totaalop50:%1goedInprocenten:%2procent").arg(right).arg(2 * right),
        QStringLiteral("Totaletijdvandetest:%1minuten%2seconde(n).").arg(total / 60).arg(total % 60),
        "Gemiddeldetijdperoefening:" + QString::number(total / 50.0) + "seconde(n).",
        QStringLiteral("Oef.nr.:Tijd(*=0-5sec)OefeningSeconden"),
    };
    expected << rows;
    QCOMPARE(lines, expected);

    const std::vector<PdfPage> pages = pdfPages(pdf);
    QCOMPARE(pages.size(), size_t(1));
    const PdfPage& placed = pages[0];
    QCOMPARE(placed.size(), size_t(57));
    const PdfWord& test = placed[0][0];
    const PdfWord& naam = placed[1][0];
    const PdfWord& klas = placed[1][6];
    const PdfWord& datum = placed[2][0];
    const PdfWord& reeks = placed[2][placed[2].size() - 3];
    const PdfWord& gemiddelde = placed[5][0];
    const PdfLine& header = placed[6];
    QCOMPARE(klas.text, QStringLiteral("Klas:"));
    QCOMPARE(reeks.text, QStringLiteral("Reeks"));
    QCOMPARE(header.size(), size_t(8));
    const PdfWord& oef = header[0];
    const PdfWord& tijd = header[2];
    const PdfWord& oefening = header[6];
    const PdfWord& seconden = header[7];

    // Header columns 25, 35, 55, 80 at 10 points give the column width.
    const double col10 = (oefening.x - oef.x) / (55 - 25);
    QVERIFY(col10 > 3 && col10 < 8);
    QVERIFY(qAbs(tijd.x - (oef.x + 10 * col10)) < 0.5);
    QVERIFY(qAbs(seconden.x - (oef.x + 55 * col10)) < 0.5);
    // Columns 10 and 60 at 13 points, 7 at 18: the same n further right.
    const double col13 = (klas.x - naam.x) / (60 - 10);
    QVERIFY(qAbs(col13 / col10 - 13.0 / 10.0) < 0.02);
    QVERIFY(qAbs(reeks.x - klas.x) < 0.5);
    QVERIFY(qAbs(datum.x - naam.x) < 0.5);
    const double left = naam.x - 9 * col13;
    QVERIFY(qAbs(oef.x - (left + 24 * col10)) < 1.0);
    // The bold title's average character is somewhat wider than a plain one.
    const double boldWidening = (test.x - left) / 6 / (col13 * 18 / 13);
    QVERIFY2(boldWidening >= 1.0 && boldWidening < 1.2, qPrintable(QString::number(boldWidening)));

    // Rows: the number and the seconds one blank right of columns 27 and 85,
    // the stars at 40 and the result line at 55, the same in every row.
    for (int i = 1; i <= 50; ++i) {
        const PdfLine& row = placed[6 + i];
        QVERIFY(row.size() >= 4);
        const PdfWord& number = row[0];
        const PdfWord& stars = row[1];
        const PdfWord& result = row[2];
        const PdfWord& secs = row.back();
        QCOMPARE(number.text, QString::number(i));
        QVERIFY(stars.text.startsWith(QLatin1Char('*')));
        QCOMPARE(secs.text, QString::number(secondsOf(i)));
        const double blank = number.x - (oef.x + 2 * col10);
        QVERIFY2(blank > 0.5 && blank < col10, qPrintable(QString::number(blank)));
        QVERIFY(qAbs(stars.x - (oef.x + 15 * col10)) < 0.5);
        QVERIFY(qAbs(result.x - oefening.x) < 0.5);
        QVERIFY(qAbs(secs.x - (oef.x + 60 * col10 + blank)) < 0.5);
    }

    // The three empty lines: after the title (at 13 points), before the
    // header (13) and after it (10), each one line of its font.
    const double line13 = datum.y - naam.y;
    const double line10 = placed[8][0].y - placed[7][0].y;
    QVERIFY(qAbs(line13 / line10 - 1.3) < 0.05);
    QVERIFY(qAbs((naam.y - test.y) - (line13 * 18 / 13 + line13)) < 1.5);
    QVERIFY(qAbs((oef.y - gemiddelde.y) - 2 * line13) < 1.0);
    QVERIFY(qAbs((placed[7][0].y - oef.y) - 2 * line10) < 1.0);
}

QTEST_MAIN(tst_RealPrinter)
#include "tst_real_printer.moc"
