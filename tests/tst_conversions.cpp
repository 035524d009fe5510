#include "state/conversions.h"

#include <QTest>

#include <clocale>
#include <limits>

class tst_Conversions : public QObject {
    Q_OBJECT
private slots:
    void valReadsTheLeadingNumberAndSkipsBlanks_data();
    void valReadsTheLeadingNumberAndSkipsBlanks();
    void cintAndClngRoundTiesToEven_data();
    void cintAndClngRoundTiesToEven();
    void cintRefusesWhatA16BitIntegerCannotHold();
    void strWritesASignBlankAndNoNeedlessZeros_data();
    void strWritesASignBlankAndNoNeedlessZeros();
    void cstrWritesDigitsWithoutBlanks();
    void intIsTheFloor();
    void clampHoldsValuesAtThe16BitLimits();
    void noConversionFollowsTheProcessLocale_data();
    void noConversionFollowsTheProcessLocale();
};

void tst_Conversions::valReadsTheLeadingNumberAndSkipsBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("a leading blank") << " 24" << 24.0;
    QTest::newRow("leading zeros") << "035" << 35.0;
    QTest::newRow("one blank alone") << " " << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("a blank between digits") << "4 4" << 44.0;
    QTest::newRow("letters after the digits") << "12abc" << 12.0;
    QTest::newRow("letters first") << "abc12" << 0.0;
    QTest::newRow("a minus sign") << "-3" << -3.0;
    QTest::newRow("a fraction") << "2.5" << 2.5;
    QTest::newRow("a fraction after a blank") << " 1.5" << 1.5;
    QTest::newRow("a fraction that rounds to another answer") << "35.5" << 35.5;
    QTest::newRow("a comma is no point") << "35,5" << 35.0;
    QTest::newRow("a plus sign") << "+7" << 7.0;
    QTest::newRow("a point without digits before it") << "-.25" << -0.25;
    QTest::newRow("a point alone") << "." << 0.0;
    QTest::newRow("an exponent") << "9E9" << 9e9;
    QTest::newRow("a D exponent") << "1D3" << 1000.0;
    QTest::newRow("an E without digits") << "7E" << 7.0;
    QTest::newRow("hexadecimal") << "&H1F" << 31.0;
    QTest::newRow("hexadecimal wraps at 16 bits") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("a tab and a line feed") << "\t1\n2" << 12.0;
    QTest::newRow("a carriage return ends the number") << "1\r2" << 1.0;
    QTest::newRow("a huge exponent is no number") << "9E999" << 0.0;
    QTest::newRow("a tiny exponent is 0") << "1E-999" << 0.0;
}

void tst_Conversions::valReadsTheLeadingNumberAndSkipsBlanks()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(vb::Val(text), value);
}

void tst_Conversions::cintAndClngRoundTiesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("2.5 goes down to 2") << 2.5 << 2;
    QTest::newRow("3.5 goes up to 4") << 3.5 << 4;
    QTest::newRow("12.5 goes down to 12") << 12.5 << 12;
    QTest::newRow("13.5 goes up to 14") << 13.5 << 14;
    QTest::newRow("10.4 goes down") << 10.4 << 10;
    QTest::newRow("15.6 goes up") << 15.6 << 16;
    QTest::newRow("-2.5 goes to -2") << -2.5 << -2;
    QTest::newRow("0.5 goes to 0") << 0.5 << 0;
}

void tst_Conversions::cintAndClngRoundTiesToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(vb::CInt(value), std::optional<int16_t>(rounded));
    QCOMPARE(vb::CLng(value), std::optional<int32_t>(rounded));
}

void tst_Conversions::cintRefusesWhatA16BitIntegerCannotHold()
{
    QCOMPARE(vb::CInt(32767.0), std::optional<int16_t>(32767));
    QCOMPARE(vb::CInt(32767.4), std::optional<int16_t>(32767));
    QCOMPARE(vb::CInt(32767.5), std::nullopt);
    QCOMPARE(vb::CInt(-32768.0), std::optional<int16_t>(-32768));
    QCOMPARE(vb::CInt(-32768.6), std::nullopt);
    QCOMPARE(vb::CInt(9e9), std::nullopt);
    QCOMPARE(vb::CInt(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    QCOMPARE(vb::CLng(86399.6), std::optional<int32_t>(86400));
    QCOMPARE(vb::CLng(3e9), std::nullopt);
}

void tst_Conversions::strWritesASignBlankAndNoNeedlessZeros_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("163 / 50") << 163 / 50.0 << " 3.26";
    QTest::newRow("7 / 50 has no zero before the point") << 7 / 50.0 << " .14";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("120 / 50 has no trailing zero") << 120 / 50.0 << " 2.4";
    QTest::newRow("50 / 50 has no point") << 50 / 50.0 << " 1";
    QTest::newRow("32767 / 50") << 32767 / 50.0 << " 655.34";
    QTest::newRow("75 / 50") << 75 / 50.0 << " 1.5";
    QTest::newRow("a negative value takes the minus in the blank's place") << -3 / 50.0 << "-.06";
    QTest::newRow("-32768 / 50") << -32768 / 50.0 << "-655.36";
    QTest::newRow("a third keeps 15 digits") << 1 / 3.0 << " .333333333333333";
    QTest::newRow("large values use an exponent") << 1e16 << " 1E+16";
}

void tst_Conversions::strWritesASignBlankAndNoNeedlessZeros()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(vb::Str(value), text);
}

void tst_Conversions::cstrWritesDigitsWithoutBlanks()
{
    QCOMPARE(vb::CStr(0), QStringLiteral("0"));
    QCOMPARE(vb::CStr(51), QStringLiteral("51"));
    QCOMPARE(vb::CStr(-7), QStringLiteral("-7"));
    QCOMPARE(vb::CStr(-32768), QStringLiteral("-32768"));
}

void tst_Conversions::intIsTheFloor()
{
    QCOMPARE(vb::Int(163 / 60.0), 2.0);
    QCOMPARE(vb::Int(32767 / 60.0), 546.0);
    QCOMPARE(vb::Int(-1 / 60.0), -1.0);
    QCOMPARE(vb::Len(QStringLiteral("  ")), 2);
}

void tst_Conversions::clampHoldsValuesAtThe16BitLimits()
{
    QCOMPARE(vb::clampToInt16(32767), int16_t(32767));
    QCOMPARE(vb::clampToInt16(32768), int16_t(32767));
    QCOMPARE(vb::clampToInt16(86400), int16_t(32767));
    QCOMPARE(vb::clampToInt16(-40000), int16_t(-32768));
    QCOMPARE(vb::clampToInt16(-5), int16_t(-5));
}

// QApplication sets the C library's locale from the environment at start-up;
// a Dutch one writes and reads numbers with a decimal comma.
void tst_Conversions::noConversionFollowsTheProcessLocale_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::newRow("the environment's locale, as a program takes it") << QByteArray("");
    QTest::newRow("a Belgian Dutch locale with a decimal comma") << QByteArray("nl_BE.UTF-8");
}

void tst_Conversions::noConversionFollowsTheProcessLocale()
{
    QFETCH(QByteArray, locale);
    const bool set = std::setlocale(LC_ALL, locale.constData()) != nullptr;
    const QString point = QString::fromLocal8Bit(std::localeconv()->decimal_point);
    const double onePointFive = vb::Val(QStringLiteral(" 1.5"));
    const double pastedAnswer = vb::Val(QStringLiteral("35.5"));
    const QString average = vb::Str(163 / 50.0);
    const QString below1 = vb::Str(-7 / 50.0);
    const std::optional<int16_t> rounded = vb::CInt(vb::Val(QStringLiteral("2.5")));
    const QString digits = vb::CStr(-32768);
    std::setlocale(LC_ALL, "C");

    QVERIFY2(set, "the locale is not generated: tools/setup.sh generates it");
    if (!locale.isEmpty())
        QCOMPARE(point, QStringLiteral(","));
    QCOMPARE(onePointFive, 1.5);
    QCOMPARE(pastedAnswer, 35.5);
    QCOMPARE(average, QStringLiteral(" 3.26"));
    QCOMPARE(below1, QStringLiteral("-.14"));
    QCOMPARE(rounded, std::optional<int16_t>(2));
    QCOMPARE(digits, QStringLiteral("-32768"));
}

QTEST_APPLESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
