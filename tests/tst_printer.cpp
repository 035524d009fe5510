#include "fakes.h"
#include "forms/Resultaten.h"
#include "pdf_text.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

// The printer object's pages, painted into a PDF file and read back, and the
// print path on a system without any printer.

namespace {

// The pdfFilePrinter's printable area: A4 less 10 points all round.
constexpr double kLeft = 10;
constexpr double kRight = 595.276 - 10;

bool allWithinTheSides(const std::vector<PdfPage>& pages)
{
    for (const PdfPage& page : pages)
        for (const PdfLine& line : page)
            for (const PdfWord& word : line)
                if (word.x < kLeft - 0.5 || word.right > kRight + 0.5)
                    return false;
    return true;
}

// A name of n characters: names with accents, hyphens and blanks, and one
// long run without a blank that the edge must cut.
QString longName(int n)
{
    QString name = QStringLiteral("Anne-Sophie Zoë Éloïse Van den Bossche-Verhaeghe ")
                   + QString(60, QLatin1Char('w')) + QLatin1Char(' ');
    while (name.size() < n)
        name += QStringLiteral("Kristoffersen-Ødegård ");
    return name.left(n);
}

} // namespace

class tst_Printer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void linesPastTheBottomGoOnTheNextPage();
    void aTabLeftOfThePrintPositionGoesToItsColumnOnTheNextLine();
    void aLongNameAndClassGoOnAtTheLeftEdgeOfTheFollowingLines();
    void textPastTheRightEdgeMovesWholeToTheNextLine();
    void textWrappedPastTheBottomGoesOnOnTheNextPage();
    void thePageTurnsLandscapeOnlyWhenPortraitCannotHoldAColumn_data();
    void thePageTurnsLandscapeOnlyWhenPortraitCannotHoldAColumn();
    void aDocumentThatCannotBeginIsNotPrinted();
    void printingWithoutAnyPrinterTellsThePupilAndResetsNothing();

private:
    QTemporaryDir dir;
};

void tst_Printer::initTestCase()
{
    QVERIFY(dir.isValid());
    // No print server for this process: the system has no printer at all.
    qputenv("CUPS_SERVER", QFile::encodeName(dir.filePath(QStringLiteral("no-cupsd.sock"))));
}

void tst_Printer::linesPastTheBottomGoOnTheNextPage()
{
    const QString path = dir.filePath(QStringLiteral("long.pdf"));
    std::unique_ptr<Printer> printer = pdfFilePrinter(path);
    printer->setFontSize(10);
    printer->setCurrentY(250);
    for (int16_t i = 1; i <= 150; ++i)
        printer->Print({Tab{5}, QStringLiteral("regel"), PrintedInteger{i}});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);

    const std::vector<PdfPage> pages = pdfPages(path);
    QVERIFY(pages.size() >= 2);
    int expected = 1;
    for (const PdfPage& page : pages) {
        // Each page begins at the top of the printable area, below the margin.
        QVERIFY(!page.empty());
        QVERIFY(page.front().front().y < (&page == &pages.front() ? 40 : 25));
        for (const PdfLine& line : page) {
            QCOMPARE(line.size(), size_t(2));
            QCOMPARE(line[0].text, QStringLiteral("regel"));
            QCOMPARE(line[1].text, QString::number(expected++));
        }
        QVERIFY(page.back().front().y < 842 - 10);
    }
    QCOMPARE(expected, 151);
}

void tst_Printer::aTabLeftOfThePrintPositionGoesToItsColumnOnTheNextLine()
{
    const QString path = dir.filePath(QStringLiteral("tabs.pdf"));
    std::unique_ptr<Printer> printer = pdfFilePrinter(path);
    const QString longName = QStringLiteral("Wolfgang Amadeus Theophilus van Oostvlaanderen");
    printer->setFontSize(13);
    printer->Print({Tab{10}, QStringLiteral("Naam: "), longName, Tab{60}, QStringLiteral("Klas: "),
                    QStringLiteral("4")});
    printer->Print({Tab{60}, QStringLiteral("volgende")});
    printer->Print({Tab{10}, QStringLiteral("tien"), Tab{10}, QStringLiteral("weer")});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);

    const std::vector<PdfPage> pages = pdfPages(path);
    QCOMPARE(pages.size(), size_t(1));
    const PdfPage& page = pages[0];
    QCOMPARE(page.size(), size_t(5));
    const double lineHeight = page[1][0].y - page[0][0].y;
    QVERIFY(lineHeight > 10);
    QCOMPARE(page[0].back().text, QStringLiteral("Oostvlaanderen"));
    // "Klas:" went down one line, to column 60 ...
    QCOMPARE(page[1][0].text, QStringLiteral("Klas:"));
    QCOMPARE(page[1][1].text, QStringLiteral("4"));
    // ... and the next line follows below it, its column 60 at the same place.
    QCOMPARE(page[2][0].text, QStringLiteral("volgende"));
    QVERIFY(qAbs(page[2][0].y - page[1][0].y - lineHeight) < 0.5);
    QVERIFY(qAbs(page[2][0].x - page[1][0].x) < 0.5);
    // Column 10 again, right at column 10: also on the next line.
    QCOMPARE(page[3][0].text, QStringLiteral("tien"));
    QCOMPARE(page[4][0].text, QStringLiteral("weer"));
    QVERIFY(qAbs(page[4][0].x - page[3][0].x) < 0.5);
    QVERIFY(qAbs(page[3][0].x - page[0][0].x) < 0.5);
}

void tst_Printer::aLongNameAndClassGoOnAtTheLeftEdgeOfTheFollowingLines()
{
    const QString path = dir.filePath(QStringLiteral("name.pdf"));
    std::unique_ptr<Printer> printer = pdfFilePrinter(path);
    const QString name = longName(200);
    const QString klas = QStringLiteral("Klas 5B van meester Janssens, Sint-Jozefsinstituut ")
                         + QString(40, QLatin1Char('x'));
    printer->setFontSize(13);
    printer->Print({Tab{10}, QStringLiteral("Naam van de leerling:  "), name, Tab{60},
                    QStringLiteral("Klas:  "), klas});
    printer->Print({Tab{10}, QStringLiteral("Datum")});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);

    const std::vector<PdfPage> pages = pdfPages(path);
    QCOMPARE(pages.size(), size_t(1));
    const PdfPage& page = pages[0];
    QCOMPARE(printedCharacters(pages),
             withoutBlanks(QStringLiteral("Naam van de leerling:") + name + "Klas:" + klas + "Datum"));
    QVERIFY(allWithinTheSides(pages));
    // The name fills line after line from the left edge; so does the class.
    QVERIFY(page.size() >= 5);
    for (size_t i = 1; i + 1 < page.size(); ++i) {
        const bool klasBegins = page[i][0].text == QLatin1String("Klas:");
        if (!klasBegins)
            QVERIFY2(qAbs(page[i][0].x - kLeft) < 0.5, qPrintable(page[i][0].text));
    }
    // "Klas:" at column 60, "Datum" at column 10 of the line after the class.
    QPdfWriter device(dir.filePath(QStringLiteral("metrics.pdf")));
    device.setResolution(1200);
    QFont font;
    font.setPointSizeF(13);
    const double column = QFontMetricsF(font, &device).averageCharWidth() * 72 / 1200;
    const auto klasWord = std::find_if(page.begin(), page.end(), [](const PdfLine& line) {
        return std::any_of(line.begin(), line.end(),
                           [](const PdfWord& w) { return w.text == QLatin1String("Klas:"); });
    });
    QVERIFY(klasWord != page.end());
    for (const PdfWord& w : *klasWord)
        if (w.text == QLatin1String("Klas:"))
            QVERIFY2(qAbs(w.x - (kLeft + 59 * column)) < 0.5, qPrintable(QString::number(w.x)));
    QCOMPARE(page.back().size(), size_t(1));
    QCOMPARE(page.back()[0].text, QStringLiteral("Datum"));
    QVERIFY(qAbs(page.back()[0].x - page[0][0].x) < 0.5);
}

void tst_Printer::textPastTheRightEdgeMovesWholeToTheNextLine()
{
    const QString path = dir.filePath(QStringLiteral("edge.pdf"));
    std::unique_ptr<Printer> printer = pdfFilePrinter(path);
    // At 18 points column 85 lies past the right edge of the page, turned
    // landscape or not, so the page stays portrait.
    printer->setFontSize(18);
    printer->Print({Tab{7}, QStringLiteral("TITEL"), Tab{85}, QStringLiteral("Seconden")});
    printer->Print({Tab{30}, QStringLiteral("woorden"),
                    QStringLiteral(" die over de rechterrand van de bladzijde zouden lopen"), PrintedInteger{12}});
    printer->Print({QStringLiteral("volgende")});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);

    const std::vector<PdfPage> pages = pdfPages(path);
    QCOMPARE(pages.size(), size_t(1));
    const PdfPage& page = pages[0];
    QVERIFY(allWithinTheSides(pages));
    QStringList lines;
    for (const PdfLine& line : page) {
        QStringList words;
        for (const PdfWord& w : line)
            words << w.text;
        lines << words.join(QLatin1Char(' '));
    }
    QCOMPARE(lines, QStringList({"TITEL", "Seconden", "woorden",
                                 "die over de rechterrand van de bladzijde zouden lopen 12", "volgende"}));
    // A text that does not fit where it begins but fits a line of its own
    // starts that line, and the next item follows it there.
    QVERIFY(qAbs(page[1][0].x - kLeft) < 0.5);
    QVERIFY(page[2][0].x > kLeft + 100);
    QVERIFY(page[3][0].x < kLeft + 18); // after the blank the text begins with
    QVERIFY(qAbs(page[4][0].x - kLeft) < 0.5);
}

void tst_Printer::textWrappedPastTheBottomGoesOnOnTheNextPage()
{
    const QString path = dir.filePath(QStringLiteral("bottom.pdf"));
    std::unique_ptr<Printer> printer = pdfFilePrinter(path);
    printer->setFontSize(13);
    // One line above the bottom of the printable area (822 points high).
    printer->setCurrentY((822 - 20) * 20);
    const QString name = longName(200);
    printer->Print({QStringLiteral("Naam:  "), name});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);

    const std::vector<PdfPage> pages = pdfPages(path);
    QCOMPARE(pages.size(), size_t(2));
    QCOMPARE(pages[0].size(), size_t(1));
    QVERIFY(pages[1].size() >= 2 && !pages[1][0].empty());
    QVERIFY(pages[1][0].front().y < 25);
    QCOMPARE(printedCharacters(pages), withoutBlanks("Naam:" + name));
    QVERIFY(allWithinTheSides(pages));
}

void tst_Printer::thePageTurnsLandscapeOnlyWhenPortraitCannotHoldAColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<bool>("landscape");
    // At 18 points column 40 ends within a portrait line, column 60 only
    // within a landscape one; a name of 70 characters wraps only in portrait,
    // one of 200 in either.
    QTest::newRow("columns that fit in portrait stay portrait") << 40 << 3 << false;
    QTest::newRow("a column past the right edge turns the page") << 60 << 3 << true;
    QTest::newRow("a name that wraps only in portrait stays portrait") << 40 << 70 << false;
    QTest::newRow("a name that wraps either way stays portrait") << 40 << 200 << false;
    QTest::newRow("a wide column turns the page, the name wrapping still") << 60 << 200 << true;
}

void tst_Printer::thePageTurnsLandscapeOnlyWhenPortraitCannotHoldAColumn()
{
    QFETCH(int, column);
    QFETCH(int, nameLength);
    QFETCH(bool, landscape);
    const QString path = dir.filePath(QStringLiteral("turn.pdf"));
    std::unique_ptr<Printer> printer = pdfFilePrinter(path);
    const QString name = longName(nameLength);
    printer->setCurrentY(250);
    printer->setFontSize(18);
    printer->Print({Tab{7}, QStringLiteral("TITEL"), Tab{int16_t(column)}, QStringLiteral("Seconden")});
    printer->setFontSize(13);
    printer->Print({Tab{10}, QStringLiteral("Naam:  "), name});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);

    const QSizeF a4(595.276, 841.89);
    const QSizeF expected = landscape ? a4.transposed() : a4;
    const std::vector<QSizeF> sizes = pdfPageSizes(path);
    QCOMPARE(sizes.size(), size_t(1));
    QVERIFY2(qAbs(sizes[0].width() - expected.width()) < 1 && qAbs(sizes[0].height() - expected.height()) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(sizes[0].width()).arg(sizes[0].height())));
    const std::vector<PdfPage> pages = pdfPages(path);
    QCOMPARE(printedCharacters(pages), withoutBlanks("TITELSeconden" + QStringLiteral("Naam:") + name));
    // "Seconden" holds its column beside the title, 10 points in on either side.
    QPdfWriter device(dir.filePath(QStringLiteral("metrics.pdf")));
    device.setResolution(1200);
    QFont font;
    font.setPointSizeF(18);
    const double width = QFontMetricsF(font, &device).averageCharWidth() * 72 / 1200;
    const PdfLine& first = pages[0][0];
    QCOMPARE(first.size(), size_t(2));
    QVERIFY2(qAbs(first[0].x - (10 + 6 * width)) < 0.5, qPrintable(QString::number(first[0].x)));
    QVERIFY2(qAbs(first[1].x - (10 + (column - 1) * width)) < 0.5, qPrintable(QString::number(first[1].x)));
    for (const PdfLine& line : pages[0])
        for (const PdfWord& word : line)
            QVERIFY2(word.x >= 10 - 0.5 && word.right <= expected.width() - 10 + 0.5, qPrintable(word.text));

    // The next document is laid out anew: a short line stays portrait.
    printer->Print({QStringLiteral("volgende")});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);
    const std::vector<QSizeF> next = pdfPageSizes(path);
    QCOMPARE(next.size(), size_t(1));
    QVERIFY(qAbs(next[0].width() - a4.width()) < 1);
    QCOMPARE(printedCharacters(pdfPages(path)), QStringLiteral("volgende"));
}

void tst_Printer::aDocumentThatCannotBeginIsNotPrinted()
{
    std::unique_ptr<Printer> printer = pdfFilePrinter(dir.filePath(QStringLiteral("no/such/folder.pdf")));
    printer->setCurrentY(250);
    printer->Print({QStringLiteral("TEST")});
    QCOMPARE(printer->EndDoc(), PrintOutcome::Failed);
    // A document with nothing printed sends nothing and fails nothing.
    QCOMPARE(printer->EndDoc(), PrintOutcome::Printed);
}

void tst_Printer::printingWithoutAnyPrinterTellsThePupilAndResetsNothing()
{
    TestProgram t(Variant::pramilo());
    t->services.printer = defaultPrinter();
    auto& V = t->Variabelen;
    V.PupilName = QStringLiteral("Jan");
    V.CorrectCount = 45;
    V.TotalSeconds = 163;
    t->Resultaten.Load();
    t->Resultaten.Show();
    Resultaten* r = t->Resultaten.get();
    QVERIFY(QTest::qWaitForWindowActive(r));
    const QStringList figures{r->lblJuiste.Caption(), r->lblProcent2.Caption(), r->lblTijd.Caption(),
                              r->lblGemiddeld.Caption()};

    const ShownBox reminder{"Kijk of de printer gereed is!", 0, "Let op!"};
    const ShownBox noPrinter{"Er is geen printer gevonden. Je proef is niet afgedrukt.", 16, "Let op!"};
    for (int attempt = 1; attempt <= 2; ++attempt) {
        QTest::mouseClick(&r->cmdAfdrukken, Qt::LeftButton);
        QCOMPARE(t.boxes->shown.size(), size_t(2 * attempt));
        QCOMPARE(t.boxes->shown[2 * attempt - 2], reminder);
        QCOMPARE(t.boxes->shown[2 * attempt - 1], noPrinter);
        QCOMPARE(V.TotalMinutes, int16_t(2));
        QCOMPARE(V.TotalRestSeconds, int16_t(43));
        QCOMPARE(V.TotalSeconds, int16_t(163));
        QVERIFY(!t->frmEindscherm.isLoaded());
        QCOMPARE(QStringList({r->lblJuiste.Caption(), r->lblProcent2.Caption(), r->lblTijd.Caption(),
                              r->lblGemiddeld.Caption()}),
                 figures);
    }
}

QTEST_MAIN(tst_Printer)
#include "tst_printer.moc"
