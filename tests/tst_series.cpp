#include "state/variant.h"
#include "variants.h"

#include <QTest>

#include <set>

class tst_Series : public QObject {
    Q_OBJECT
private slots:
    void everyMultiplicationPairLiesWithinTheTables();
    void divisionTablesHaveNoDivisorZero();
    void divisionDiffersFromMultiplicationOnlyWhereBWasZero();
    void tablesHoldTheirLandmarkExercises_data();
    void tablesHoldTheirLandmarkExercises();
    void variantsFixTheirOwnPoints();
};

void tst_Series::everyMultiplicationPairLiesWithinTheTables()
{
    int minProduct = 1000, maxProduct = -1;
    for (int k = 1; k <= kSeriesCount; ++k) {
        int zeroProducts = 0;
        for (const OperandPair& p : Variant::pramilo().seriesTable(k)) {
            QVERIFY(p.a >= 0 && p.a <= 10);
            QVERIFY(p.b >= 0 && p.b <= 10);
            minProduct = std::min(minProduct, p.a * p.b);
            maxProduct = std::max(maxProduct, p.a * p.b);
            zeroProducts += p.a * p.b == 0;
        }
        QCOMPARE(zeroProducts, k == 4 ? 7 : 6);
    }
    QCOMPARE(minProduct, 0);
    QCOMPARE(maxProduct, 100);
}

void tst_Series::divisionTablesHaveNoDivisorZero()
{
    int zeroQuotients = 0;
    for (int k = 1; k <= kSeriesCount; ++k)
        for (const OperandPair& p : Variant::sudeval().seriesTable(k)) {
            QVERIFY(p.b >= 1 && p.b <= 10);
            QVERIFY(p.a >= 0 && p.a <= 10);
            zeroQuotients += p.a == 0;
        }
    QCOMPARE(zeroQuotients, 14);
}

void tst_Series::divisionDiffersFromMultiplicationOnlyWhereBWasZero()
{
    int replaced = 0;
    for (int k = 1; k <= kSeriesCount; ++k)
        for (int i = 0; i < kExercisesPerSeries; ++i) {
            const OperandPair m = Variant::pramilo().seriesTable(k)[i];
            const OperandPair d = Variant::sudeval().seriesTable(k)[i];
            QCOMPARE(d.a, m.a);
            if (m.b == 0)
                ++replaced;
            else
                QCOMPARE(d.b, m.b);
        }
    QCOMPARE(replaced, 18);
}

void tst_Series::tablesHoldTheirLandmarkExercises_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("exercise");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::newRow("Pramilo 1.1 is 8 x 3") << "Pramilo" << 1 << 1 << 8 << 3;
    QTest::newRow("Pramilo 2.14 is 0 x 0") << "Pramilo" << 2 << 14 << 0 << 0;
    QTest::newRow("Pramilo 2.20 and 2.43 repeat 10, 9 (a)") << "Pramilo" << 2 << 20 << 10 << 9;
    QTest::newRow("Pramilo 2.20 and 2.43 repeat 10, 9 (b)") << "Pramilo" << 2 << 43 << 10 << 9;
    QTest::newRow("Pramilo 2.36 is 10 x 10") << "Pramilo" << 2 << 36 << 10 << 10;
    QTest::newRow("Pramilo 4.1 is 0 x 6") << "Pramilo" << 4 << 1 << 0 << 6;
    QTest::newRow("Pramilo 5.2 is 10 x 10") << "Pramilo" << 5 << 2 << 10 << 10;
    QTest::newRow("Pramilo 5.26 is 10 x 0") << "Pramilo" << 5 << 26 << 10 << 0;
    QTest::newRow("Pramilo 3.50 is 4 x 7") << "Pramilo" << 3 << 50 << 4 << 7;
    QTest::newRow("Sudeval 1.3 is 6 : 1") << "Sudeval" << 1 << 3 << 6 << 1;
    QTest::newRow("Sudeval 2.36 is 100 : 10") << "Sudeval" << 2 << 36 << 10 << 10;
    QTest::newRow("Sudeval 2.41 is 10 : 1") << "Sudeval" << 2 << 41 << 10 << 1;
    QTest::newRow("Sudeval 4.1 is 0 : 6") << "Sudeval" << 4 << 1 << 0 << 6;
    QTest::newRow("Sudeval 5.26 is 80 : 8") << "Sudeval" << 5 << 26 << 10 << 8;
    QTest::newRow("Sudeval 5.47 is 7 : 7") << "Sudeval" << 5 << 47 << 1 << 7;
    QTest::newRow("Sudeval 4.33 and 4.44 repeat 9, 6") << "Sudeval" << 4 << 33 << 9 << 6;
}

void tst_Series::tablesHoldTheirLandmarkExercises()
{
    QFETCH(QString, program);
    QFETCH(int, series);
    QFETCH(int, exercise);
    const OperandPair p = variantNamed(program).seriesTable(series)[exercise - 1];
    QTEST(int(p.a), "a");
    QTEST(int(p.b), "b");
}

void tst_Series::variantsFixTheirOwnPoints()
{
    const Variant& p = Variant::pramilo();
    const Variant& s = Variant::sudeval();
    QCOMPARE(p.name, QStringLiteral("Pramilo"));
    QCOMPARE(s.name, QStringLiteral("Sudeval"));
    QCOMPARE(p.operatorCaption, QStringLiteral("X"));
    QCOMPARE(s.operatorCaption, QStringLiteral(":"));
    QCOMPARE(p.operatorPlace, QRect(4320, 1800, 852, 852));
    QCOMPARE(s.operatorPlace, QRect(4305, 1800, 855, 855));
    QCOMPARE(p.reportTitle, QStringLiteral("TEST MAALTAFELS"));
    QCOMPARE(s.reportTitle, QStringLiteral("TEST DEELTAFELS"));
    QVERIFY(p.titlePicture != s.titlePicture);
}




QTEST_APPLESS_MAIN(tst_Series)
#include "tst_series.moc"
