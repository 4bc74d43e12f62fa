#include "common/scriptedprompt.h"
#include "common/testregistry.h"
#include "data/textformat.h"
#include "data/ui/fieldcheck.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

namespace {

// A window with the box under test and another box that holds the focus before the check.
struct Form
{
    QWidget window;
    QLineEdit *box = new QLineEdit(&window);
    QLineEdit *other = new QLineEdit(&window);

    explicit Form(const QString &text)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        box->setText(text);
    }

    bool show()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        other->setFocus();
        return QApplication::focusWidget() == other;
    }
};

} // namespace

class TestFieldCheck : public QObject
{
    Q_OBJECT

private slots:
    // value < 0: the text is refused.
    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "12" << true << 12.0;
        QTest::newRow("decimal") << "1500.50" << true << 1500.5;
        QTest::newRow("negative") << "-3.5" << true << -3.5;
        QTest::newRow("blanks around") << " 7 " << true << 7.0;
        QTest::newRow("empty gives the empty value") << "" << true << 42.0;
        QTest::newRow("blank gives the empty value") << "   " << true << 42.0;
        QTest::newRow("letters") << "12a" << false << 0.0;
        QTest::newRow("two points") << "1..2" << false << 0.0;
        QTest::newRow("two signs") << "--1" << false << 0.0;
        QTest::newRow("lone minus") << "-" << false << 0.0;
        QTest::newRow("thousands separator") << "1,500" << false << 0.0;
    }

    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(double, value);
        ScriptedPrompt prompt;
        Form form(text);
        QVERIFY(form.show());
        const std::optional<double> result = readNumber(form.box, 42);
        QCOMPARE(result.has_value(), accepted);
        if (accepted) {
            QCOMPARE(*result, value);
            QVERIFY(prompt.shown().isEmpty());
            QCOMPARE(QApplication::focusWidget(), form.other);
        } else {
            QCOMPARE(prompt.texts(), QStringList{textformat::notANumberMessage(text)});
            QVERIFY(prompt.lastText().contains(text));
            QCOMPARE(QApplication::focusWidget(), form.box);
        }
        QCOMPARE(form.box->text(), text);
    }

    void integers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("value");
        QTest::newRow("integer") << "30" << true << 30;
        QTest::newRow("negative") << "-2" << true << -2;
        QTest::newRow("empty") << "" << true << 5;
        QTest::newRow("decimal") << "2.5" << false << 0;
        QTest::newRow("letters") << "x" << false << 0;
        QTest::newRow("too large") << "99999999999" << false << 0;
    }

    void integers()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(int, value);
        ScriptedPrompt prompt;
        Form form(text);
        QVERIFY(form.show());
        const std::optional<int> result = readInteger(form.box, 5);
        QCOMPARE(result.has_value(), accepted);
        if (accepted) {
            QCOMPARE(*result, value);
            QVERIFY(prompt.shown().isEmpty());
        } else {
            QCOMPARE(prompt.texts(), QStringList{textformat::notANumberMessage(text)});
            QCOMPARE(QApplication::focusWidget(), form.box);
        }
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("value");
        QTest::newRow("iso") << "2024-03-05" << QDate(2024, 3, 5);
        QTest::newRow("single digits") << "2024-3-5" << QDate(2024, 3, 5);
        QTest::newRow("leap day") << "2024-02-29" << QDate(2024, 2, 29);
        QTest::newRow("no leap day") << "2023-02-29" << QDate();
        QTest::newRow("month 13") << "2024-13-01" << QDate();
        QTest::newRow("slashes") << "2024/03/05" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("words") << "明天" << QDate();
    }

    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, value);
        ScriptedPrompt prompt;
        Form form(text);
        QVERIFY(form.show());
        const std::optional<QDate> result = readDate(form.box);
        QCOMPARE(result.has_value(), value.isValid());
        if (value.isValid()) {
            QCOMPARE(*result, value);
            QVERIFY(prompt.shown().isEmpty());
            QCOMPARE(QApplication::focusWidget(), form.other);
        } else {
            QCOMPARE(prompt.texts(), QStringList{textformat::notADateMessage(text)});
            QCOMPARE(prompt.shown().constFirst().title, applicationTitle());
            QCOMPARE(QApplication::focusWidget(), form.box);
        }
    }
};

LANTING_TEST(TestFieldCheck)
#include "tst_fieldcheck.moc"
