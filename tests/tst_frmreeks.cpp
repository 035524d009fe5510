#include "fakes.h"
#include "forms/Werkblad.h"
#include "forms/frmReeks.h"
#include "forms/sch640x480.h"
#include "forms/series_choice.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

namespace {
const ShownBox kNameMessage{"Vul je naam in!", 16, "Let op!"};
const ShownBox kKeyMessage{"Een cijfer van 2 to 6 a.u b.", 16, "Let op!"};
const ShownBox kClassMessage{"Vul het juiste cijfer in voor je klas!", 16, "Let op!"};
} // namespace

class tst_FrmReeks : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void enterInTheNameBoxNeedsTwoCharacters_data();
    void enterInTheNameBoxNeedsTwoCharacters();
    void theStoredNameLacksTheKeyTypedLast_data();
    void theStoredNameLacksTheKeyTypedLast();
    void aBackspaceIsStoredOnlyAtTheNextKey();
    void tabMovesBetweenTheTwoBoxes();

    void enterInTheClassBoxAcceptsTwoToSixOnly_data();
    void enterInTheClassBoxAcceptsTwoToSixOnly();
    void aRefusedKeyEmptiesTheBoxAfterItsMessage_data();
    void aRefusedKeyEmptiesTheBoxAfterItsMessage();
    void codesBelowZeroAndAbove256PassTheKeyRule_data();
    void codesBelowZeroAndAbove256PassTheKeyRule();
    void composedCharactersPassTheKeyRulesToo();
    void aValidClassAgainRunsTheSameSteps();
    void theButtonsStayAfterARefusedKeyOrAWrongClass();
    void aClassBeforeAnyNameKeepsTheStoredName();

    void aSeriesButtonOpensTheWorksheetOnItsSeries_data();
    void aSeriesButtonOpensTheWorksheetOnItsSeries();
    void cmdKies2InPramiloStoresItsPairsAndShowsSevenAndFour();
    void choosingASeriesStoresAllFiftyPairsAndOpensTheWorksheet_data();
    void choosingASeriesStoresAllFiftyPairsAndOpensTheWorksheet();
    void aLaterSeriesLeavesNothingOfTheEarlierOne();

private:
    frmReeks* form() { return t->program->frmReeks.get(); }
    Variabelen& V() { return t->program->Variabelen; }
    QWidget* focus() { return QApplication::focusWidget(); }
    void acceptClass(const QString& digit = QStringLiteral("4"));

    std::unique_ptr<TestProgram> t;
};



void tst_FrmReeks::init()
{
    t = std::make_unique<TestProgram>(Variant::pramilo());
    t->program->start();
    QTest::mouseClick(&t->program->sch640x480.get()->Command1, Qt::LeftButton);
    QVERIFY(form());
    QVERIFY(QTest::qWaitForWindowActive(form()));
}

void tst_FrmReeks::cleanup() { t.reset(); }

void tst_FrmReeks::acceptClass(const QString& digit)
{
    QTest::mouseClick(&form()->txtKlas, Qt::LeftButton);
    QTest::keyClicks(&form()->txtKlas, digit);
    QTest::keyClick(&form()->txtKlas, Qt::Key_Return);
    QVERIFY(form()->cmdKies1.isVisible());
}

void tst_FrmReeks::enterInTheNameBoxNeedsTwoCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("message");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty: refused without a message") << "" << false << false;
    QTest::newRow("one letter: refused with a message") << "K" << true << false;
    QTest::newRow("one blank: refused with a message") << " " << true << false;
    QTest::newRow("two blanks: accepted") << "  " << false << true;
    QTest::newRow("a name: accepted") << "Anna" << false << true;
}

void tst_FrmReeks::enterInTheNameBoxNeedsTwoCharacters()
{
    QFETCH(QString, name);
    QFETCH(bool, message);
    QFETCH(bool, accepted);
    QCOMPARE(focus(), &form()->txtNaam);
    QTest::keyClicks(&form()->txtNaam, name);
    QTest::keyClick(&form()->txtNaam, Qt::Key_Return);
    QCOMPARE(t->boxes->shown, message ? std::vector<ShownBox>{kNameMessage} : std::vector<ShownBox>{});
    QCOMPARE(focus(), accepted ? static_cast<QWidget*>(&form()->txtKlas) : &form()->txtNaam);
    QCOMPARE(form()->txtNaam.Text(), name);
    QCOMPARE(V().PupilName, name);
}

void tst_FrmReeks::theStoredNameLacksTheKeyTypedLast_data()
{
    QTest::addColumn<QString>("leave");
    QTest::addColumn<QString>("stored");
    QTest::newRow("left by a mouse click: two letters") << "click" << "Bo";
    QTest::newRow("left by Tab: two letters") << "tab" << "Bo";
    QTest::newRow("confirmed by Enter: the whole name") << "enter" << "Bob";
}

void tst_FrmReeks::theStoredNameLacksTheKeyTypedLast()
{
    QFETCH(QString, leave);
    QFETCH(QString, stored);
    QTest::keyClicks(&form()->txtNaam, QStringLiteral("Bob"));
    if (leave == QLatin1String("click"))
        QTest::mouseClick(&form()->txtKlas, Qt::LeftButton);
    else if (leave == QLatin1String("tab"))
        QTest::keyClick(&form()->txtNaam, Qt::Key_Tab);
    else
        QTest::keyClick(&form()->txtNaam, Qt::Key_Return);
    QCOMPARE(focus(), &form()->txtKlas);
    QCOMPARE(V().PupilName, stored);
    QCOMPARE(form()->txtNaam.Text(), QStringLiteral("Bob"));
}

void tst_FrmReeks::aBackspaceIsStoredOnlyAtTheNextKey()
{
    QTest::keyClicks(&form()->txtNaam, QStringLiteral("Anna"));
    QTest::keyClick(&form()->txtNaam, Qt::Key_Backspace);
    QCOMPARE(form()->txtNaam.Text(), QStringLiteral("Ann"));
    QCOMPARE(V().PupilName, QStringLiteral("Anna"));
    QTest::keyClicks(&form()->txtNaam, QStringLiteral("e"));
    QCOMPARE(V().PupilName, QStringLiteral("Ann"));
}

void tst_FrmReeks::tabMovesBetweenTheTwoBoxes()
{
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), &form()->txtKlas);
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), &form()->txtNaam);
    // Once shown, the series buttons come first in the tab order.
    acceptClass();
    QCOMPARE(focus(), &form()->cmdKies1);
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), &form()->cmdKies2);
}

void tst_FrmReeks::enterInTheClassBoxAcceptsTwoToSixOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted"); // in place of the box's text, by the context menu
    QTest::addColumn<bool>("accepted");
    QTest::newRow("the design blank alone is 0") << "" << "" << false;
    QTest::newRow("2 beside the design blank") << "2" << "" << true;
    QTest::newRow("6 beside the design blank") << "6" << "" << true;
    QTest::newRow("44") << "44" << "" << false;
    QTest::newRow("the digit 6 typed five times, past 16 bits") << "66666" << "" << false;
    QTest::newRow("32768 pasted, past 16 bits") << "" << "32768" << false;
    QTest::newRow("-32769 pasted, past 16 bits") << "" << "-32769" << false;
    QTest::newRow("twenty digits pasted") << "" << "99999999999999999999" << false;
    QTest::newRow("an exponent pasted") << "" << "4E10" << false;
    QTest::newRow("pasted text passes no key rule: 5b is 5") << "" << "5b" << true;
}

void tst_FrmReeks::enterInTheClassBoxAcceptsTwoToSixOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(bool, accepted);
    TextBox& box = form()->txtKlas;
    QTest::mouseClick(&box, Qt::LeftButton);
    QTest::keyClicks(&box, typed);
    if (!pasted.isEmpty()) {
        box.putText(QString());
        QApplication::clipboard()->setText(pasted);
        box.paste();
    }
    const QString text = box.Text();
    QTest::keyClick(&box, Qt::Key_Return);

    QCOMPARE(box.Text(), text);
    QCOMPARE(V().PupilClass, text);
    for (CommandButton* b : {&form()->cmdKies1, &form()->cmdKies2, &form()->cmdKies3,
                             &form()->cmdKies4, &form()->cmdKies5})
        QCOMPARE(b->isVisible(), accepted);
    if (accepted) {
        QVERIFY(t->boxes->shown.empty());
        QCOMPARE(focus(), &form()->cmdKies1);
        QCOMPARE(form()->lblKies.Caption(), QStringLiteral("KIES EEN REEKS"));
        QCOMPARE(form()->lblKies.palette().color(QPalette::Window), QColor(12, 0, 0));
        QCOMPARE(form()->lblKies.palette().color(QPalette::WindowText), QColor(Qt::white));
    } else {
        QCOMPARE(t->boxes->shown, std::vector<ShownBox>{kClassMessage});
        QCOMPARE(focus(), &box);
        QCOMPARE(form()->lblKies.Caption(), QStringLiteral(" "));
    }
}

void tst_FrmReeks::aRefusedKeyEmptiesTheBoxAfterItsMessage_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::newRow("the digit 0") << int(Qt::Key_0) << 0 << "0";
    QTest::newRow("the digit 1") << int(Qt::Key_1) << 0 << "1";
    QTest::newRow("the digit 7") << int(Qt::Key_7) << 0 << "7";
    QTest::newRow("the digit 8") << int(Qt::Key_8) << 0 << "8";
    QTest::newRow("the digit 9") << int(Qt::Key_9) << 0 << "9";
    QTest::newRow("a letter") << int(Qt::Key_A) << 0 << "a";
    QTest::newRow("a blank") << int(Qt::Key_Space) << 0 << " ";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << "\x1b";
    QTest::newRow("Ctrl+V pastes nothing") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16";
    QTest::newRow("a character of code 256") << 0x100 << 0 << QString(QChar(0x100));
}

void tst_FrmReeks::aRefusedKeyEmptiesTheBoxAfterItsMessage()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QApplication::clipboard()->setText(QStringLiteral("3"));
    TextBox& box = form()->txtKlas;
    QTest::mouseClick(&box, Qt::LeftButton);
    QTest::keyClicks(&box, QStringLiteral("4"));
    QCOMPARE(V().PupilClass, QStringLiteral(" "));

    QString textDuringMessage;
    t->boxes->onShow = [&](const ShownBox&) { textDuringMessage = box.Text(); };
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(t->boxes->shown, std::vector<ShownBox>{kKeyMessage});
    QCOMPARE(textDuringMessage, QStringLiteral(" 4")); // the message comes first
    QCOMPARE(box.Text(), QString());
    QCOMPARE(V().PupilClass, QString());
    QCOMPARE(focus(), &box);
    QVERIFY(!form()->cmdKies1.isVisible());
}

void tst_FrmReeks::codesBelowZeroAndAbove256PassTheKeyRule_data()
{
    QTest::addColumn<QString>("character");
    QTest::newRow("code 257") << QString(QChar(0x101));
    QTest::newRow("the euro sign, code 8364") << QString(QChar(0x20AC));
    QTest::newRow("a full-width zero, code -240") << QString(QChar(0xFF10));
}

void tst_FrmReeks::codesBelowZeroAndAbove256PassTheKeyRule()
{
    QFETCH(QString, character);
    TextBox& box = form()->txtKlas;
    QTest::mouseClick(&box, Qt::LeftButton);
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key(0), character, Qt::NoModifier);
    QVERIFY(t->boxes->shown.empty());
    QCOMPARE(box.Text(), " " + character);
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(t->boxes->shown, std::vector<ShownBox>{kClassMessage});
    QCOMPARE(V().PupilClass, " " + character);
}

void tst_FrmReeks::composedCharactersPassTheKeyRulesToo()
{
    // A dead key and a letter, composed by the input method: the name box
    // takes the result, the class box refuses it as a typed letter.
    TextBox& name = form()->txtNaam;
    QTest::mouseClick(&name, Qt::LeftButton);
    QTest::keyClicks(&name, QStringLiteral("Ren"));
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00EA"));
    QApplication::sendEvent(&name, &composed);
    QCOMPARE(name.Text(), QStringLiteral("Ren\u00EA"));
    QCOMPARE(V().PupilName, QStringLiteral("Ren"));

    TextBox& klas = form()->txtKlas;
    QTest::mouseClick(&klas, Qt::LeftButton);
    QApplication::sendEvent(&klas, &composed);
    QCOMPARE(t->boxes->shown, std::vector<ShownBox>{kKeyMessage});
    QCOMPARE(klas.Text(), QString());
}

void tst_FrmReeks::aValidClassAgainRunsTheSameSteps()
{
    acceptClass(QStringLiteral("3"));
    QTest::mouseClick(&form()->txtKlas, Qt::LeftButton);
    QTest::keyClick(&form()->txtKlas, Qt::Key_Return);
    QVERIFY(t->boxes->shown.empty());
    QCOMPARE(focus(), &form()->cmdKies1);
    QCOMPARE(form()->lblKies.Caption(), QStringLiteral("KIES EEN REEKS"));
    QVERIFY(form()->cmdKies5.isVisible());
}

void tst_FrmReeks::theButtonsStayAfterARefusedKeyOrAWrongClass()
{
    acceptClass(QStringLiteral("3"));
    QTest::mouseClick(&form()->txtKlas, Qt::LeftButton);
    QTest::keyClicks(&form()->txtKlas, QStringLiteral("x"));
    QTest::keyClick(&form()->txtKlas, Qt::Key_Return);
    QCOMPARE(t->boxes->prompts(),
             (QStringList{kKeyMessage.prompt, kClassMessage.prompt}));
    QCOMPARE(form()->txtKlas.Text(), QString());
    for (CommandButton* b : {&form()->cmdKies1, &form()->cmdKies2, &form()->cmdKies3,
                             &form()->cmdKies4, &form()->cmdKies5})
        QVERIFY(b->isVisible());
    QCOMPARE(form()->lblKies.Caption(), QStringLiteral("KIES EEN REEKS"));

    // A series button still starts a test, with the empty class.
    QTest::mouseClick(&form()->cmdKies3, Qt::LeftButton);
    QVERIFY(t->program->Werkblad.isLoaded());
    QCOMPARE(V().SeriesNumber, int16_t(3));
    QCOMPARE(V().PupilClass, QString());
}

void tst_FrmReeks::aClassBeforeAnyNameKeepsTheStoredName()
{
    V().PupilName = QStringLiteral("Piet"); // the previous pupil's
    acceptClass();
    QCOMPARE(V().PupilName, QStringLiteral("Piet"));
    QCOMPARE(form()->txtNaam.Text(), QString());
}

void tst_FrmReeks::aSeriesButtonOpensTheWorksheetOnItsSeries_data()
{
    QTest::addColumn<int>("K");
    QTest::addColumn<QString>("press");
    QTest::newRow("cmdKies1 by Enter, where the focus lands") << 1 << "enter";
    QTest::newRow("cmdKies1 by a click") << 1 << "click";
    QTest::newRow("cmdKies3 by Space after Tab") << 3 << "space";
    QTest::newRow("cmdKies4 by a click") << 4 << "click";
    QTest::newRow("cmdKies5 by a click") << 5 << "click";
}

void tst_FrmReeks::aSeriesButtonOpensTheWorksheetOnItsSeries()
{
    QFETCH(int, K);
    QFETCH(QString, press);
    acceptClass();
    CommandButton* buttons[] = {&form()->cmdKies1, &form()->cmdKies2, &form()->cmdKies3,
                                &form()->cmdKies4, &form()->cmdKies5};
    CommandButton* b = buttons[K - 1];
    if (press == QLatin1String("enter")) {
        QTest::keyClick(focus(), Qt::Key_Return);
    } else if (press == QLatin1String("space")) {
        while (focus() != b)
            QTest::keyClick(focus(), Qt::Key_Tab);
        QTest::keyClick(b, Qt::Key_Space);
    } else {
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QCOMPARE(V().SeriesNumber, int16_t(K));
    const SeriesTable& s = Variant::pramilo().seriesTable(K);
    QCOMPARE(V().FactorA[1], s[0].a);
    QCOMPARE(V().FactorB[50], s[49].b);
    Werkblad* sheet = t->program->Werkblad.get();
    QVERIFY(sheet);
    QVERIFY(QTest::qWaitForWindowActive(sheet));
    QCOMPARE(focus(), &sheet->cmdStart);
    // The pupil form stays loaded and shown beneath.
    QVERIFY(form()->isVisible());
    QCOMPARE(V().ExerciseNumber, int16_t(1));
}

void tst_FrmReeks::cmdKies2InPramiloStoresItsPairsAndShowsSevenAndFour()
{
    acceptClass();
    QTest::mouseClick(&form()->cmdKies2, Qt::LeftButton);
    QCOMPARE(V().SeriesNumber, int16_t(2));
    QCOMPARE(V().FactorA[1], int16_t(7));
    QCOMPARE(V().FactorB[1], int16_t(4));
    QCOMPARE(V().FactorA[33], int16_t(3));
    QCOMPARE(V().FactorB[33], int16_t(9));
    QCOMPARE(V().FactorA[50], int16_t(3));
    QCOMPARE(V().FactorB[50], int16_t(8));
    for (int i : {0, 51}) {
        QCOMPARE(V().FactorA[i], int16_t(0));
        QCOMPARE(V().FactorB[i], int16_t(0));
    }
    Werkblad* sheet = t->program->Werkblad.get();
    QCOMPARE(sheet->txtFacA.Text(), QStringLiteral("7"));
    QCOMPARE(sheet->txtFacB.Text(), QStringLiteral("4"));
    QCOMPARE(sheet->txtOefNr.Text(), QStringLiteral("1"));
}

void tst_FrmReeks::choosingASeriesStoresAllFiftyPairsAndOpensTheWorksheet_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Pramilo") << "Pramilo";
    QTest::newRow("Sudeval") << "Sudeval";
}

void tst_FrmReeks::choosingASeriesStoresAllFiftyPairsAndOpensTheWorksheet()
{
    QFETCH(QString, program);
    t = std::make_unique<TestProgram>(variantNamed(program));
    chooseSeries(*t->program, 2);
    const Variabelen& chosen = V();
    QCOMPARE(chosen.SeriesNumber, int16_t(2));
    QCOMPARE(chosen.FactorA[1], int16_t(7));
    QCOMPARE(chosen.FactorB[1], int16_t(4));
    QCOMPARE(chosen.FactorA[33], int16_t(3));
    QCOMPARE(chosen.FactorB[33], int16_t(9));
    QCOMPARE(chosen.FactorA[50], int16_t(3));
    QCOMPARE(chosen.FactorB[50], int16_t(8));
    for (int edge : {0, 51}) {
        QCOMPARE(chosen.FactorA[edge], int16_t(0));
        QCOMPARE(chosen.FactorB[edge], int16_t(0));
    }
    QVERIFY(t->program->Werkblad.isLoaded());
    QVERIFY(t->program->Werkblad.get()->isVisible());
    QCOMPARE(chosen.ExerciseNumber, int16_t(1));
    QCOMPARE(t->program->Werkblad->txtFacA.Text(), program == "Pramilo" ? QStringLiteral("7") : QStringLiteral("28"));
    QCOMPARE(t->program->Werkblad->txtFacB.Text(), QStringLiteral("4"));
    QVERIFY(t->boxes->shown.empty());
}

void tst_FrmReeks::aLaterSeriesLeavesNothingOfTheEarlierOne()
{
    chooseSeries(*t->program, 1);
    chooseSeries(*t->program, 3);
    const SeriesTable& three = Variant::pramilo().seriesTable(3);
    for (int i = 1; i <= 50; ++i) {
        QCOMPARE(V().FactorA[i], three[i - 1].a);
        QCOMPARE(V().FactorB[i], three[i - 1].b);
    }
    QCOMPARE(V().SeriesNumber, int16_t(3));
}

QTEST_MAIN(tst_FrmReeks)
#include "tst_frmreeks.moc"
