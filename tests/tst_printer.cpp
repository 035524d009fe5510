#include "Resultaten.h"
#include "fakes.h"
#include "pdf_text.h"

#include <QTemporaryDir>
#include <QTest>

// The printer object's pages, painted into a PDF file and read back, and the
// print path on a system without any printer.

class tst_Printer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void linesPastTheBottomGoOnTheNextPage();
    void aTabLeftOfThePrintPositionGoesToItsColumnOnTheNextLine();
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
