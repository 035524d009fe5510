#include "fakes.h"
#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "forms/frmEindscherm.h"
#include "forms/series_choice.h"
#include "pdf_text.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>

#include <algorithm>
#include <optional>

// "JA !" through the system's default printer. tools/test.sh sets up cups-pdf
// queues writing into the folder TAFELS_PDF_DIR: PDF (A4, the default),
// PDF_Letter and PDF_A5. A test makes one of them its default printer by
// naming it in PRINTER, as a teacher's own settings would, and reads back the
// PDF the queue writes.

namespace {

bool queueEmpty() { return runTool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty(); }

// Seconds for exercise i: every star band, one- and two-digit times.
int secondsOf(int i) { return (i * 7) % 23; }

// The queue's paper and printable area in points, as the queue reports them.
struct Paper {
    QSizeF size;
    QMarginsF margins;
    double left() const { return margins.left(); }
    double right() const { return size.width() - margins.right(); }
    double bottom() const { return size.height() - margins.bottom(); }
    // The same paper turned a quarter to the left: its left edge on top.
    Paper landscape() const
    {
        return {size.transposed(), QMarginsF(margins.bottom(), margins.left(), margins.top(), margins.right())};
    }
};

Paper paperOf(const QPrinterInfo& info)
{
    QPrinter printer(info);
    printer.setPageSize(info.defaultPageSize());
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    return {info.defaultPageSize().sizePoints(), layout.minimumMargins()};
}

// The default face at a size, measured in points as a printer lays it out.
class Face {
public:
    explicit Face(double points, bool bold = false)
    {
        QFont font;
        font.setPointSizeF(points);
        font.setBold(bold);
        // Metrics keep the device's resolution, not the device.
        QBuffer sink;
        QPdfWriter device(&sink);
        device.setResolution(kDpi);
        metrics_.emplace(font, &device);
    }
    double column() const { return metrics_->averageCharWidth() * 72 / kDpi; }
    double width(const QString& text) const { return metrics_->horizontalAdvance(text) * 72 / kDpi; }

private:
    static constexpr int kDpi = 1200;
    std::optional<QFontMetricsF> metrics_;
};

// The font size a word was printed at, from its printed width.
double printedSize(const PdfWord& word, double points, bool bold = false)
{
    return points * (word.right - word.x) / Face(points, bold).width(word.text);
}

// All lines of all pages, in order.
std::vector<PdfLine> allLines(const std::vector<PdfPage>& pages)
{
    std::vector<PdfLine> lines;
    for (const PdfPage& page : pages)
        lines.insert(lines.end(), page.begin(), page.end());
    return lines;
}

// Where a word is found: line and place in the line.
struct Found {
    size_t line = 0;
    size_t word = 0;
    bool ok = false;
};

Found find(const std::vector<PdfLine>& lines, const QString& text, size_t from = 0)
{
    for (size_t l = from; l < lines.size(); ++l)
        for (size_t w = 0; w < lines[l].size(); ++w)
            if (lines[l][w].text == text)
                return {l, w, true};
    return {};
}

// Two positions in points, the same within a tolerance.
bool near(double actual, double expected, double tolerance = 1.0)
{
    return qAbs(actual - expected) <= tolerance;
}

QString located(const QString& what, double actual, double expected)
{
    return QStringLiteral("%1 at %2, expected %3").arg(what).arg(actual).arg(expected);
}

} // namespace

class tst_RealPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void jaPrintsTheWholeReportOnTheDefaultPrintersOwnPaper_data();
    void jaPrintsTheWholeReportOnTheDefaultPrintersOwnPaper();
    void aLongNameAndClassArePrintedWholeOnEveryPaper_data();
    void aLongNameAndClassArePrintedWholeOnEveryPaper();

private:
    // Makes queue the default printer of this process, with its paper.
    bool useQueue(const QString& queue, Paper& paper);
    // Clicks "JA !" under a job title of its own and returns the PDF written.
    QString printed(Resultaten* r);

    QString pdfDir;
};

void tst_RealPrinter::initTestCase()
{
    pdfDir = qEnvironmentVariable("TAFELS_PDF_DIR");
    QVERIFY2(!pdfDir.isEmpty() && QDir(pdfDir).exists(),
             "The printing tests print on the cups-pdf queues that tools/test.sh sets up");
}

void tst_RealPrinter::cleanup() { qunsetenv("PRINTER"); }

bool tst_RealPrinter::useQueue(const QString& queue, Paper& paper)
{
    qputenv("PRINTER", queue.toLocal8Bit());
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.printerName() != queue) {
        qWarning("Queue %s is not set up: run the tests through tools/test.sh", qPrintable(queue));
        return false;
    }
    paper = paperOf(info);
    return true;
}

QString tst_RealPrinter::printed(Resultaten* r)
{
    // cups-pdf names its file after the job's title, the program's name: one
    // of each test and row, none the beginning of another, letters and digits
    // only, which cups-pdf keeps as they are.
    const QString jobTitle = QStringLiteral("RealPrinter%1%2End")
                                 .arg(QString::fromLatin1(QTest::currentTestFunction()).left(12),
                                      QString::fromLatin1(QTest::currentDataTag())
                                          .remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]"))));
    for (const QString& old : QDir(pdfDir).entryList({"*" + jobTitle + "*"}, QDir::Files))
        QFile::remove(pdfDir + "/" + old);
    QCoreApplication::setApplicationName(jobTitle);
    QTest::mouseClick(&r->cmdAfdrukken, Qt::LeftButton);
    const auto mine = [&] {
        const QStringList pdfs =
            QDir(pdfDir).entryList({QStringLiteral("*%1*.pdf").arg(jobTitle)}, QDir::Files);
        return pdfs.size() == 1 ? pdfDir + "/" + pdfs[0] : QString();
    };
    // The job was queued before the click returned: once no job is left, the
    // queue has written the whole file.
    QElapsedTimer waited;
    waited.start();
    while (!(queueEmpty() && !mine().isEmpty()) && waited.elapsed() < 60000)
        QTest::qWait(50);
    return mine();
}

void tst_RealPrinter::jaPrintsTheWholeReportOnTheDefaultPrintersOwnPaper_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("landscape");
    // A4 and Letter hold every column in portrait; A5 only in landscape.
    QTest::newRow("Pramilo on A4, portrait") << "Pramilo" << "TEST MAALTAFELS" << "PDF" << false;
    QTest::newRow("Sudeval on A4, portrait") << "Sudeval" << "TEST DEELTAFELS" << "PDF" << false;
    QTest::newRow("Sudeval on Letter, portrait") << "Sudeval" << "TEST DEELTAFELS" << "PDF_Letter" << false;
    QTest::newRow("Pramilo on A5, landscape") << "Pramilo" << "TEST MAALTAFELS" << "PDF_A5" << true;
}

void tst_RealPrinter::jaPrintsTheWholeReportOnTheDefaultPrintersOwnPaper()
{
    QFETCH(QString, program);
    QFETCH(QString, title);
    QFETCH(QString, queue);
    QFETCH(bool, landscape);
    Paper sheet;
    QVERIFY(useQueue(queue, sheet));
    const Paper paper = landscape ? sheet.landscape() : sheet;
    const Variant& v = variantNamed(program);

    TestProgram t(v, RealPrinter);
    FakeClock* c = t.clock;
    RecordingMessageBoxes* b = t.boxes;
    Program& p = *t;
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

    const QString pdf = printed(r);
    QCOMPARE(b->prompts(), QStringList({"OK,Je bent klaar!", "Kijk of de printer gereed is!"}));
    QCOMPARE(V.TotalSeconds, int16_t(0));
    QVERIFY(p.frmEindscherm.isLoaded() && p.frmEindscherm.get()->isVisible());
    QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");

    // Every sheet is the queue's own paper, in the default face throughout.
    const std::vector<QSizeF> sizes = pdfPageSizes(pdf);
    QVERIFY(!sizes.empty());
    for (const QSizeF& size : sizes)
        QVERIFY2(near(size.width(), sheet.size.width(), 1.5) && near(size.height(), sheet.size.height(), 1.5),
                 qPrintable(QStringLiteral("sheet %1 x %2").arg(size.width()).arg(size.height())));
    const QString face = withoutBlanks(QFontInfo(QFont()).family());
    const QStringList fonts = pdfFontNames(pdf);
    QVERIFY(!fonts.isEmpty());
    for (const QString& font : fonts)
        QVERIFY2(font.contains(face), qPrintable(font + " is not " + face));

    // A landscape page comes out turned onto the sheet, reading upwards: the
    // title's words stand one above the other.
    const std::vector<PdfPage> asPrinted = pdfPages(pdf);
    QVERIFY(!asPrinted.empty() && !asPrinted[0].empty());
    const std::vector<PdfLine> sheetLines = allLines(asPrinted);
    const Found test = find(sheetLines, QStringLiteral("TEST"));
    QVERIFY(test.ok);
    const PdfWord& testWord = sheetLines[test.line][test.word];
    QCOMPARE(testWord.bottom - testWord.y > testWord.right - testWord.x, landscape);
    const std::vector<PdfPage> pages = landscape ? pdfPagesTurnedBack(pdf) : asPrinted;

    // Every character of the 60 lines, in order.
    QStringList expected{
        withoutBlanks(title),
        QStringLiteral("Naamvandeleerling:LotteVermeulenKlas:5"),
        "Datumvandetest:" + withoutBlanks(QLocale::system().toString(c->date, QLocale::ShortFormat)) +
            "Reeksnr.:3",
        QStringLiteral("Totaalop50:%1goedInprocenten:%2procent").arg(40).arg(80),
        QStringLiteral("Totaletijdvandetest:%1minuten%2seconde(n).").arg(total / 60).arg(total % 60),
        "Gemiddeldetijdperoefening:" + QString::number(total / 50.0) + "seconde(n).",
        QStringLiteral("Oef.nr.:Tijd(*=0-5sec)OefeningSeconden"),
    };
    expected << rows;
    QCOMPARE(printedCharacters(pages), expected.join(QString()));

    // Nothing outside the printable area.
    for (const PdfPage& page : pages)
        for (const PdfLine& line : page)
            for (const PdfWord& word : line)
                QVERIFY2(word.x >= paper.left() - 0.5 && word.right <= paper.right() + 0.5 &&
                             word.y >= paper.margins.top() && word.bottom <= paper.bottom(),
                         qPrintable(word.text));

    // Each of the 57 lines with text on a line of its own: nothing went on at
    // the next line.
    const std::vector<PdfLine> lines = allLines(pages);
    QCOMPARE(lines.size(), size_t(57));

    // The title whole at the top: 250 twips below the printable area's top,
    // from column 7 of the bold 18-point face.
    const PdfLine& titleLine = lines[0];
    QCOMPARE(titleLine.size(), size_t(2));
    const Face title18(18, true);
    const double titleTop = paper.margins.top() + 12.5;
    QVERIFY2(titleLine[0].y >= titleTop && titleLine[0].y < titleTop + 5,
             qPrintable(located("title top", titleLine[0].y, titleTop)));
    QVERIFY2(near(titleLine[0].x, paper.left() + 6 * title18.column()),
             qPrintable(located("title", titleLine[0].x, paper.left() + 6 * title18.column())));

    // The true font sizes, from the printed widths of the title, the data
    // lines and the column header.
    const Found leerling = find(lines, QStringLiteral("leerling:"));
    const Found oefening = find(lines, QStringLiteral("Oefening"));
    QVERIFY(leerling.ok && oefening.ok);
    const double size18 = printedSize(titleLine[1], 18, true);
    const double size13 = printedSize(lines[leerling.line][leerling.word], 13);
    const double size10 = printedSize(lines[oefening.line][oefening.word], 10);
    QVERIFY2(near(size18, 18, 0.2) && near(size13, 13, 0.2) && near(size10, 10, 0.2),
             qPrintable(QStringLiteral("%1 %2 %3 pt").arg(size18).arg(size13).arg(size10)));

    // Column n begins n - 1 average character widths right of the left edge
    // of the printable area; an integer's digits one blank further.
    const Face data13(13);
    const Face table10(10);
    const auto columnX = [&](const Face& face, int column, double lead = 0) {
        return paper.left() + (column - 1) * face.column() + lead;
    };
    const auto placed = [&](const PdfWord& word, const Face& face, int column, double lead = 0) {
        const double x = columnX(face, column, lead);
        return near(word.x, x) ? QString() : located(word.text, word.x, x);
    };
    // The word `text` on line n begins at the column.
    const auto at = [&](size_t n, const QString& text, const Face& face, int column) {
        const PdfLine& line = lines[n];
        const auto word = std::find_if(line.begin(), line.end(), [&](const PdfWord& w) { return w.text == text; });
        return word == line.end() ? QStringLiteral("%1 not on line %2").arg(text).arg(n)
                                  : placed(*word, face, column);
    };
    QCOMPARE(at(1, QStringLiteral("Naam"), data13, 10), QString());
    QCOMPARE(at(1, QStringLiteral("Klas:"), data13, 60), QString());
    QCOMPARE(at(2, QStringLiteral("Datum"), data13, 10), QString());
    QCOMPARE(at(2, QStringLiteral("Reeks"), data13, 60), QString());
    QCOMPARE(at(3, QStringLiteral("Totaal"), data13, 10), QString());
    QCOMPARE(at(3, QStringLiteral("In"), data13, 60), QString());
    QCOMPARE(at(4, QStringLiteral("Totale"), data13, 10), QString());
    QCOMPARE(at(5, QStringLiteral("Gemiddelde"), data13, 10), QString());
    QCOMPARE(at(6, QStringLiteral("Oef."), table10, 25), QString());
    QCOMPARE(at(6, QStringLiteral("Tijd"), table10, 35), QString());
    QCOMPARE(at(6, QStringLiteral("Oefening"), table10, 55), QString());
    QCOMPARE(at(6, QStringLiteral("Seconden"), table10, 80), QString());

    // The rows: the number and the seconds one blank right of columns 27 and
    // 85, the stars at 40 and the result line at 55.
    const double blank = table10.width(QStringLiteral(" "));
    for (int i = 1; i <= 50; ++i) {
        const size_t n = size_t(6 + i);
        const PdfLine& row = lines[n];
        QVERIFY(row.size() >= 4);
        QCOMPARE(row.front().text, QString::number(i));
        QCOMPARE(placed(row.front(), table10, 27, blank), QString());
        QVERIFY(row[1].text.startsWith(QLatin1Char('*')));
        QCOMPARE(placed(row[1], table10, 40), QString());
        QCOMPARE(placed(row[2], table10, 55), QString());
        QCOMPARE(row.back().text, QString::number(secondsOf(i)));
        QCOMPARE(placed(row.back(), table10, 85, blank), QString());
    }

    // The figures, for comparing papers.
    const auto xOf = [&](const char* text) {
        const Found at = find(lines, QString::fromLatin1(text));
        return at.ok ? lines[at.line][at.word].x : -1.0;
    };
    const PdfLine& row1 = lines[7];
    qInfo("%s %s %.1f x %.1f: title top %.1f, title x %.1f; data x %.1f %.1f; header x %.1f %.1f %.1f %.1f; "
          "row 1 x %.1f %.1f %.1f %.1f; printed at %.2f, %.2f and %.2f pt; %zu page(s)",
          qPrintable(queue), landscape ? "landscape" : "portrait", paper.size.width(), paper.size.height(),
          titleLine[0].y, titleLine[0].x, xOf("Naam"), xOf("Klas:"), xOf("Oef."), xOf("Tijd"), xOf("Oefening"),
          xOf("Seconden"), row1[0].x, row1[1].x, row1[2].x, row1.back().x, size18, size13, size10, pages.size());
}

void tst_RealPrinter::aLongNameAndClassArePrintedWholeOnEveryPaper_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("klasLength");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("pageCount");
    // The name or the class wraps in every row: only the columns turn A5.
    // Past what one page holds, the report goes on to a second portrait page.
    QTest::newRow("A4, name of 55") << "PDF" << 55 << 1 << false << 1;
    QTest::newRow("A4, name of 80") << "PDF" << 80 << 1 << false << 1;
    QTest::newRow("A4, class of 30") << "PDF" << 15 << 30 << false << 1;
    QTest::newRow("A4, name of 200, class of 110") << "PDF" << 200 << 110 << false << 1;
    QTest::newRow("Letter, name of 55") << "PDF_Letter" << 55 << 1 << false << 1;
    QTest::newRow("Letter, name of 80") << "PDF_Letter" << 80 << 1 << false << 1;
    QTest::newRow("Letter, class of 30") << "PDF_Letter" << 15 << 30 << false << 1;
    QTest::newRow("Letter, name of 200") << "PDF_Letter" << 200 << 1 << false << 1;
    QTest::newRow("Letter, name of 200, class of 110") << "PDF_Letter" << 200 << 110 << false << 2;
    QTest::newRow("A5, name of 200, class of 110") << "PDF_A5" << 200 << 110 << true << 2;
}

void tst_RealPrinter::aLongNameAndClassArePrintedWholeOnEveryPaper()
{
    QFETCH(QString, queue);
    QFETCH(int, nameLength);
    QFETCH(int, klasLength);
    QFETCH(bool, landscape);
    QFETCH(int, pageCount);
    Paper sheet;
    QVERIFY(useQueue(queue, sheet));
    const Paper paper = landscape ? sheet.landscape() : sheet;

    TestProgram t(Variant::pramilo());
    t->services.printer = defaultPrinter();
    auto& V = t->Variabelen;
    QString name = QStringLiteral("Anne-Sophie Zoë Éloïse Van den Bossche-Verhaeghe ") +
                   QString(60, QLatin1Char('w')) + QLatin1Char(' ');
    // No letters that the face joins into one glyph, as in "ff": the
    // spooler's conversion keeps no text for such a glyph.
    while (name.size() < nameLength)
        name += QStringLiteral("Kristensen-Ødegård ");
    name.truncate(nameLength);
    const QString klas = (QStringLiteral("5B van meester Janssens, Sint-Jozefsinstituut Oostende ") +
                          QString(60, QLatin1Char('k')))
                             .left(klasLength);
    V.PupilName = name;
    V.PupilClass = klas;
    for (int i = 1; i <= 50; ++i) {
        V.TimeStars[i] = QStringLiteral("**");
        V.ResultLines[i] = QStringLiteral("7 x 8 = 56");
        V.ExerciseSeconds[i] = 7;
    }
    t->Resultaten.Load();
    t->Resultaten.Show();
    Resultaten* r = t->Resultaten.get();
    QVERIFY(QTest::qWaitForWindowActive(r));

    const QString pdf = printed(r);
    QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
    QVERIFY(t->frmEindscherm.isLoaded());

    const std::vector<QSizeF> sizes = pdfPageSizes(pdf);
    QCOMPARE(sizes.size(), size_t(pageCount));
    for (const QSizeF& size : sizes)
        QVERIFY(near(size.width(), sheet.size.width(), 1.5) && near(size.height(), sheet.size.height(), 1.5));
    // A landscape page stands turned on the sheet: the title's word is upright.
    const std::vector<PdfLine> sheetLines = allLines(pdfPages(pdf));
    const Found test = find(sheetLines, QStringLiteral("TEST"));
    QVERIFY(test.ok);
    const PdfWord& testWord = sheetLines[test.line][test.word];
    QCOMPARE(testWord.bottom - testWord.y > testWord.right - testWord.x, landscape);
    const std::vector<PdfPage> pages = landscape ? pdfPagesTurnedBack(pdf) : pdfPages(pdf);
    const QString all = printedCharacters(pages);
    QVERIFY2(all.contains(withoutBlanks("Naam van de leerling:" + name + "Klas:" + klas + "Datum")),
             qPrintable(all.left(400)));
    for (const PdfPage& page : pages)
        for (const PdfLine& line : page)
            for (const PdfWord& word : line)
                QVERIFY2(word.x >= paper.left() - 0.5 && word.right <= paper.right() + 0.5,
                         qPrintable(word.text));
    // The name and the class go on at the left edge of the lines after their
    // first, "Klas:" at its column.
    const std::vector<PdfLine> lines = allLines(pages);
    const Found naam = find(lines, QStringLiteral("Naam"));
    const Found klasLabel = find(lines, QStringLiteral("Klas:"), naam.line);
    const Found datum = find(lines, QStringLiteral("Datum"), naam.line);
    QVERIFY(naam.ok && klasLabel.ok && datum.ok && datum.line > naam.line + 1);
    const PdfWord& klasWord = lines[klasLabel.line][klasLabel.word];
    const double column60 = paper.left() + 59 * Face(13).column();
    QVERIFY2(near(klasWord.x, column60), qPrintable(located("Klas:", klasWord.x, column60)));
    for (size_t l = naam.line + 1; l < datum.line; ++l)
        if (l != klasLabel.line || klasLabel.word > 0)
            QVERIFY2(near(lines[l][0].x, paper.left()),
                     qPrintable(located(lines[l][0].text, lines[l][0].x, paper.left())));
    // Read turned back, the rows stand whole: each ends in its seconds at
    // column 85, which only a landscape A5 page holds.
    const Found oefening = find(lines, QStringLiteral("Oefening"));
    QVERIFY(oefening.ok && lines.size() > oefening.line + 1);
    const PdfLine& row1 = lines[oefening.line + 1];
    QCOMPARE(row1.front().text, QStringLiteral("1"));
    QCOMPARE(row1.back().text, QStringLiteral("7"));
    const Face table10(10);
    QVERIFY2(near(row1.back().x, paper.left() + 84 * table10.column() + table10.width(QStringLiteral(" "))),
             qPrintable(QString::number(row1.back().x)));
}

QTEST_MAIN(tst_RealPrinter)
#include "tst_real_printer.moc"
