// What the system's locale may change and what it may not. The suite runs
// under C.UTF-8 and under nl_BE.UTF-8, whose decimal point is a comma: a
// pasted number is still read with "." as its point, and only the report's
// date is written the locale's way.
#include "fakes.h"
#include "forms/Resultaten.h"
#include "forms/Werkblad.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"
#include "forms/series_choice.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {
const ShownBox kClassMessage{"Vul het juiste cijfer in voor je klas!", 16, "Let op!"};
} // namespace

class tst_Locale : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void aPastedClassIsReadWithThePointAsDecimalPoint_data();
    void aPastedClassIsReadWithThePointAsDecimalPoint();
    void aPastedAnswerIsReadWithThePointAsDecimalPoint_data();
    void aPastedAnswerIsReadWithThePointAsDecimalPoint();
    void theReportsDateIsTheSystemsShortDate();

private:
    // What the context menu's Paste does: the text arrives past the key rules.
    static void paste(TextBox& box, const QString& text);

    std::unique_ptr<TestProgram> t;
};

void tst_Locale::cleanup() { t.reset(); }

void tst_Locale::paste(TextBox& box, const QString& text)
{
    box.putText(QString());
    QApplication::clipboard()->setText(text);
    box.paste();
}

void tst_Locale::aPastedClassIsReadWithThePointAsDecimalPoint_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("blank 1.5 rounds to 2") << " 1.5" << true;
    QTest::newRow("6.5 rounds to the even 6") << "6.5" << true;
    QTest::newRow("6.6 rounds to 7") << "6.6" << false;
    QTest::newRow("1.4 rounds to 1") << "1.4" << false;
    QTest::newRow("a comma is no point: 6,9 is 6") << "6,9" << true;
}

void tst_Locale::aPastedClassIsReadWithThePointAsDecimalPoint()
{
    QFETCH(QString, pasted);
    QFETCH(bool, accepted);
    t = std::make_unique<TestProgram>(Variant::pramilo());
    t->program->start();
    QTest::mouseClick(&t->program->sch640x480.get()->Command1, Qt::LeftButton);
    frmReeks* form = t->program->frmReeks.get();
    QVERIFY(form);
    QTest::mouseClick(&form->txtKlas, Qt::LeftButton);
    paste(form->txtKlas, pasted);
    QTest::keyClick(&form->txtKlas, Qt::Key_Return);

    QCOMPARE(form->cmdKies1.isVisible(), accepted);
    QCOMPARE(t->boxes->shown.empty(), accepted);
    if (!accepted)
        QCOMPARE(t->boxes->shown.back(), kClassMessage);
}

void tst_Locale::aPastedAnswerIsReadWithThePointAsDecimalPoint_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("right");
    QTest::newRow("35.5 rounds to 36, wrong") << "35.5" << "7 x 5 = ..........36" << 1;
    QTest::newRow("34.5 rounds to the even 34, wrong") << "34.5" << "7 x 5 = ..........34" << 1;
    QTest::newRow("34.6 rounds to 35, right") << "34.6" << "7 x 5 = 35" << 2;
    QTest::newRow("a comma is no point: 35,9 is 35, right") << "35,9" << "7 x 5 = 35" << 2;
}

void tst_Locale::aPastedAnswerIsReadWithThePointAsDecimalPoint()
{
    QFETCH(QString, pasted);
    QFETCH(QString, line);
    QFETCH(int, right);
    t = std::make_unique<TestProgram>(Variant::pramilo());
    chooseSeries(*t->program, 1);
    Werkblad* sheet = t->program->Werkblad.get();
    QTest::mouseClick(&sheet->cmdStart, Qt::LeftButton);
    QTest::keyClicks(&sheet->txtRes, QStringLiteral("24")); // 8 x 3, right
    QTest::keyClick(&sheet->txtRes, Qt::Key_Return);
    QCOMPARE(sheet->txtFacA.Text() + " x " + sheet->txtFacB.Text(), QStringLiteral("7 x 5"));

    paste(sheet->txtRes, pasted);
    QTest::keyClick(&sheet->txtRes, Qt::Key_Return);
    QCOMPARE(t->program->Variabelen.ResultLines[2], line);
    QCOMPARE(sheet->txtJuist.Text(), QString::number(right));
}

void tst_Locale::theReportsDateIsTheSystemsShortDate()
{
    // The locale the environment names, in the order the C library takes.
    QByteArray locale = qgetenv("LC_ALL");
    if (locale.isEmpty())
        locale = qgetenv("LC_TIME");
    if (locale.isEmpty())
        locale = qgetenv("LANG");
    const QHash<QByteArray, QString> shortDates{
        {"C.UTF-8", QStringLiteral("9 Dec 2026")},
        {"nl_BE.UTF-8", QStringLiteral("9/12/2026")},
        {"nl_NL.UTF-8", QStringLiteral("09-12-2026")},
    };
    if (!shortDates.contains(locale))
        QSKIP("no short date is written down here for this locale");

    t = std::make_unique<TestProgram>(Variant::pramilo());
    t->clock->date = QDate(2026, 12, 9);
    Variabelen& V = t->program->Variabelen;
    V.PupilName = QStringLiteral("Jan");
    V.ExerciseNumber = 51;
    V.TotalSeconds = 163;
    t->program->Resultaten.Load();
    t->program->Resultaten.Show();
    QTest::mouseClick(&t->program->Resultaten->cmdAfdrukken, Qt::LeftButton);

    const auto& lines = t->printer->lines;
    QCOMPARE(lines.size(), size_t(60));
    QCOMPARE(describe(lines[3].items),
             QStringLiteral("Tab(10) \"Datum van de test: \" <%1> Tab(60) \"Reeks nr.: \" [ 0 ]")
                 .arg(shortDates.value(locale)));
    // The average beside it keeps its point.
    QCOMPARE(describe(lines[6].items),
             QStringLiteral("Tab(10) \"Gemiddelde tijd per oefening: \" \" 3.26\" \" seconde(n).\""));
}

QTEST_MAIN(tst_Locale)
#include "tst_locale.moc"
