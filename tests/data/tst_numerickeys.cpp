#include "common/testregistry.h"
#include "data/numerickeys.h"

#include <QtTest>

// Which typed characters each key set lets through; a refused key becomes the null character.
class TestNumericKeys : public QObject
{
    Q_OBJECT

private slots:
    void sets_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("number");
        QTest::addColumn<bool>("numberEsc");
        QTest::addColumn<bool>("decimal");
        QTest::addColumn<bool>("digits");
        //                                       Number NumberEsc Decimal Digits
        QTest::newRow("0") << QChar(u'0') << true << true << true << true;
        QTest::newRow("5") << QChar(u'5') << true << true << true << true;
        QTest::newRow("9") << QChar(u'9') << true << true << true << true;
        QTest::newRow("backspace") << QChar(8) << true << true << true << true;
        QTest::newRow("-") << QChar(u'-') << true << true << false << false;
        QTest::newRow(".") << QChar(u'.') << true << true << true << false;
        QTest::newRow("escape") << QChar(27) << false << true << false << false;
        QTest::newRow("a") << QChar(u'a') << false << false << false << false;
        QTest::newRow("blank") << QChar(u' ') << false << false << false << false;
        QTest::newRow("enter") << QChar(13) << false << false << false << false;
        QTest::newRow("tab") << QChar(9) << false << false << false << false;
        QTest::newRow(",") << QChar(u',') << false << false << false << false;
        QTest::newRow("+") << QChar(u'+') << false << false << false << false;
        QTest::newRow("/ (47)") << QChar(u'/') << false << false << false << false;
        QTest::newRow(": (58)") << QChar(u':') << false << false << false << false;
        QTest::newRow("full-width 1") << QChar(0xFF11) << false << false << false << false;
        QTest::newRow("Arabic-Indic 1") << QChar(0x0661) << false << false << false << false;
        QTest::newRow("元") << QChar(0x5143) << false << false << false << false;
        QTest::newRow("null") << QChar() << false << false << false << false;
    }

    void sets()
    {
        QFETCH(QChar, key);
        const auto expect = [&](bool passes) { return passes ? key : QChar(); };
        QFETCH(bool, number);
        QFETCH(bool, numberEsc);
        QFETCH(bool, decimal);
        QFETCH(bool, digits);
        QCOMPARE(NumericKeyFilter(key), expect(number));
        QCOMPARE(NumericKeyFilterEsc(key), expect(numberEsc));
        QCOMPARE(filterNumericKey(key, NumericKeys::Number), expect(number));
        QCOMPARE(filterNumericKey(key, NumericKeys::NumberEsc), expect(numberEsc));
        QCOMPARE(filterNumericKey(key, NumericKeys::Decimal), expect(decimal));
        QCOMPARE(filterNumericKey(key, NumericKeys::Digits), expect(digits));
    }
};

LANTING_TEST(TestNumericKeys)
#include "tst_numerickeys.moc"
