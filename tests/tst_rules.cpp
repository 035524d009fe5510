#include "state/frmreeks_rules.h"
#include "state/variant.h"
#include "state/werkblad_rules.h"

#include <QTest>

class tst_Rules : public QObject {
    Q_OBJECT
private slots:
    void digitKeyFilterDropsAllButDigitsBackspaceAndEnter_data();
    void digitKeyFilterDropsAllButDigitsBackspaceAndEnter();
    void theClassKeyRuleRefusesFourRangesOfCodes_data();
    void theClassKeyRuleRefusesFourRangesOfCodes();
    void starRatingBands_data();
    void starRatingBands();
    void resultLineJoinsExerciseSeparatorAndAnswer();
    void elapsedSecondsCrossMidnightButNotASetBackClock_data();
    void elapsedSecondsCrossMidnightButNotASetBackClock();
    void variantsShowExpectAndWriteTheirArithmetic_data();
    void variantsShowExpectAndWriteTheirArithmetic();
};

void tst_Rules::digitKeyFilterDropsAllButDigitsBackspaceAndEnter_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("kept");
    QTest::newRow("-32768, a code below 0, passes") << -32768 << true;
    QTest::newRow("-1 passes") << -1 << true;
    QTest::newRow("0 is dropped") << 0 << false;
    QTest::newRow("7 is dropped") << 7 << false;
    QTest::newRow("8, Backspace, passes") << 8 << true;
    QTest::newRow("9, Tab, is dropped") << 9 << false;
    QTest::newRow("12 is dropped") << 12 << false;
    QTest::newRow("13, Enter, passes") << 13 << true;
    QTest::newRow("14 is dropped") << 14 << false;
    QTest::newRow("22, Ctrl+V, is dropped") << 22 << false;
    QTest::newRow("27, Escape, is dropped") << 27 << false;
    QTest::newRow("32, a blank, is dropped") << 32 << false;
    QTest::newRow("45, a minus, is dropped") << 45 << false;
    QTest::newRow("47 is dropped") << 47 << false;
    QTest::newRow("48, the digit 0, passes") << 48 << true;
    QTest::newRow("57, the digit 9, passes") << 57 << true;
    QTest::newRow("58 is dropped") << 58 << false;
    QTest::newRow("97, a letter, is dropped") << 97 << false;
    QTest::newRow("256 is dropped") << 256 << false;
    QTest::newRow("257 passes") << 257 << true;
    QTest::newRow("32767 passes") << 32767 << true;
}

void tst_Rules::digitKeyFilterDropsAllButDigitsBackspaceAndEnter()
{
    QFETCH(int, code);
    QFETCH(bool, kept);
    QCOMPARE(int(DigitKeyFilter(int16_t(code))), kept ? code : 0);
}

void tst_Rules::theClassKeyRuleRefusesFourRangesOfCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("refused");
    QTest::newRow("-32768, the lowest code, passes") << -32768 << false;
    QTest::newRow("-1 passes") << -1 << false;
    QTest::newRow("0 is refused") << 0 << true;
    QTest::newRow("7 is refused") << 7 << true;
    QTest::newRow("8, Backspace, passes") << 8 << false;
    QTest::newRow("9, Tab, is refused") << 9 << true;
    QTest::newRow("12 is refused") << 12 << true;
    QTest::newRow("13, Enter, passes") << 13 << false;
    QTest::newRow("14 is refused") << 14 << true;
    QTest::newRow("32, a blank, is refused") << 32 << true;
    QTest::newRow("49, the digit 1, is refused") << 49 << true;
    QTest::newRow("50, the digit 2, passes") << 50 << false;
    QTest::newRow("54, the digit 6, passes") << 54 << false;
    QTest::newRow("55, the digit 7, is refused") << 55 << true;
    QTest::newRow("255 is refused") << 255 << true;
    QTest::newRow("256 is refused") << 256 << true;
    QTest::newRow("257 passes") << 257 << false;
    QTest::newRow("32767, the highest code, passes") << 32767 << false;
}

void tst_Rules::theClassKeyRuleRefusesFourRangesOfCodes()
{
    QFETCH(int, code);
    QFETCH(bool, refused);
    QCOMPARE(ClassKeyRejected(int16_t(code)), refused);
}

void tst_Rules::starRatingBands_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("stars");
    QTest::newRow("0") << 0 << "*";
    QTest::newRow("5") << 5 << "*";
    QTest::newRow("6") << 6 << "**";
    QTest::newRow("10") << 10 << "**";
    QTest::newRow("11") << 11 << "***";
    QTest::newRow("15") << 15 << "***";
    QTest::newRow("16") << 16 << "****";
    QTest::newRow("20") << 20 << "****";
    QTest::newRow("21") << 21 << "*****";
    QTest::newRow("a whole day") << 86400 << "*****";
    QTest::newRow("-1, a clock set back") << -1 << "*****";
}

void tst_Rules::starRatingBands()
{
    QFETCH(int, seconds);
    QFETCH(QString, stars);
    QCOMPARE(StarRating(seconds), stars);
}

void tst_Rules::resultLineJoinsExerciseSeparatorAndAnswer()
{
    QCOMPARE(ResultLine(QStringLiteral("7 x 5"), true, 35), QStringLiteral("7 x 5 = 35"));
    QCOMPARE(ResultLine(QStringLiteral("7 x 5"), false, 53), QStringLiteral("7 x 5 = ..........53"));
    QCOMPARE(ResultLine(QStringLiteral("24 : 3"), false, 6), QStringLiteral("24 : 3 = ..........6"));
    QCOMPARE(ResultLine(QStringLiteral("8 x 3"), false, -12), QStringLiteral("8 x 3 = ..........-12"));
}

void tst_Rules::elapsedSecondsCrossMidnightButNotASetBackClock_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("elapsed");
    QTest::newRow("an ordinary exercise") << 10 << 16 << 6;
    QTest::newRow("a clock set back three seconds") << 5000 << 4997 << -3;
    QTest::newRow("across midnight") << 86395 << 4 << 9;
    QTest::newRow("across midnight at the last second") << 86399 << 0 << 1;
    QTest::newRow("twelve hours back is still a set-back clock") << 43200 << 0 << -43200;
    QTest::newRow("just over twelve hours back is the next day") << 43201 << 0 << 43199;
    QTest::newRow("a long wait within the day") << 0 << 40000 << 40000;
}

void tst_Rules::elapsedSecondsCrossMidnightButNotASetBackClock()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, elapsed);
    QCOMPARE(ElapsedSeconds(start, end), elapsed);
}

void tst_Rules::variantsShowExpectAndWriteTheirArithmetic_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("text");
    QTest::newRow("Pramilo 8 x 3") << "Pramilo" << 8 << 3 << 8 << 3 << 24 << "8 x 3";
    QTest::newRow("Sudeval 24 : 3") << "Sudeval" << 8 << 3 << 24 << 3 << 8 << "24 : 3";
    QTest::newRow("Pramilo 0 x 6") << "Pramilo" << 0 << 6 << 0 << 6 << 0 << "0 x 6";
    QTest::newRow("Sudeval 0 : 6") << "Sudeval" << 0 << 6 << 0 << 6 << 0 << "0 : 6";
    QTest::newRow("Pramilo 10 x 10") << "Pramilo" << 10 << 10 << 10 << 10 << 100 << "10 x 10";
    QTest::newRow("Sudeval 100 : 10") << "Sudeval" << 10 << 10 << 100 << 10 << 10 << "100 : 10";
    QTest::newRow("Pramilo element 51 shows 0 and 0") << "Pramilo" << 0 << 0 << 0 << 0 << 0 << "0 x 0";
    QTest::newRow("Sudeval element 51 shows 0 and 0") << "Sudeval" << 0 << 0 << 0 << 0 << 0 << "0 : 0";
}

void tst_Rules::variantsShowExpectAndWriteTheirArithmetic()
{
    QFETCH(QString, program);
    QFETCH(int, a);
    QFETCH(int, b);
    const Variant& v = program == QLatin1String("Sudeval") ? Variant::sudeval() : Variant::pramilo();
    QTEST(int(v.FirstShown(a, b)), "first");
    QTEST(int(v.SecondShown(a, b)), "second");
    QTEST(int(v.ExpectedAnswer(a, b)), "expected");
    QTEST(v.ExerciseText(a, b), "text");
}

QTEST_APPLESS_MAIN(tst_Rules)
#include "tst_rules.moc"
