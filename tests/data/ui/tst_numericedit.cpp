#include "common/testregistry.h"
#include "data/ui/numericedit.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

Q_DECLARE_METATYPE(NumericKeys)

namespace {

// Counts the key presses that reach the box itself (installed before the number filter, so it runs after it).
class KeySpy : public QObject
{
public:
    QList<int> keys;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            keys.append(static_cast<QKeyEvent *>(event)->key());
        return false;
    }
};

// A dialog with a number box whose Enter moves the focus to the next box, as the entry windows do.
struct NumberDialog
{
    QDialog dialog;
    QLineEdit *box = new QLineEdit(&dialog);
    QLineEdit *next = new QLineEdit(&dialog);
    KeySpy spy;

    explicit NumberDialog(NumericKeys keys)
    {
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(box);
        layout->addWidget(next);
        box->installEventFilter(&spy);
        attachNumericKeys(box, keys);
        QObject::connect(box, &QLineEdit::returnPressed, next, [this] { next->setFocus(); });
    }

    bool show()
    {
        dialog.show();
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            return false;
        box->setFocus();
        return QApplication::focusWidget() == box;
    }
};

// Types the text key by key; characters outside ASCII arrive as an input method would deliver them.
void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(box, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
}

} // namespace

class TestNumericEdit : public QObject
{
    Q_OBJECT

private slots:
    void typing_data()
    {
        QTest::addColumn<NumericKeys>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a") << NumericKeys::Number << "a"
                           << "";
        QTest::newRow("blank") << NumericKeys::Number << " "
                               << "";
        QTest::newRow("-") << NumericKeys::Number << "-"
                           << "-";
        QTest::newRow(".") << NumericKeys::Number << "."
                           << ".";
        QTest::newRow("digits") << NumericKeys::Number << "0123456789"
                                << "0123456789";
        QTest::newRow("mixed") << NumericKeys::Number << "1a2 3,4.5-x"
                               << "1234.5-";
        QTest::newRow("repeated signs stay") << NumericKeys::Number << "--1..2"
                                             << "--1..2";
        QTest::newRow("Chinese") << NumericKeys::Number << "12元"
                                 << "12";
        QTest::newRow("full-width digit") << NumericKeys::Number << "1２"
                                          << "1";
        QTest::newRow("esc set, digits") << NumericKeys::NumberEsc << "0a1-"
                                         << "01-";
        QTest::newRow("decimal refuses -") << NumericKeys::Decimal << "-1.5a"
                                           << "1.5";
        QTest::newRow("digits refuse - and .") << NumericKeys::Digits << "-1.5a"
                                               << "15";
    }

    void typing()
    {
        QFETCH(NumericKeys, keys);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        NumberDialog window(keys);
        QVERIFY(window.show());
        typeText(window.box, typed);
        QCOMPARE(window.box->text(), shown);
    }

    void backspaceDeletes()
    {
        NumberDialog window(NumericKeys::Digits);
        QVERIFY(window.show());
        QTest::keyClicks(window.box, "123");
        QTest::keyClick(window.box, Qt::Key_Backspace);
        QCOMPARE(window.box->text(), QString("12"));
        // Cursor keys and Delete are no characters and work as ever.
        QTest::keyClick(window.box, Qt::Key_Home);
        QTest::keyClick(window.box, Qt::Key_Delete);
        QCOMPARE(window.box->text(), QString("2"));
    }

    void enterMovesFocusAndInsertsNothing_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("Enter") << Qt::Key_Enter;
    }

    void enterMovesFocusAndInsertsNothing()
    {
        QFETCH(Qt::Key, key);
        NumberDialog window(NumericKeys::Number);
        QVERIFY(window.show());
        QTest::keyClicks(window.box, "12");
        QTest::keyClick(window.box, key);
        QCOMPARE(window.box->text(), QString("12"));
        QCOMPARE(QApplication::focusWidget(), window.next);
        QVERIFY(window.dialog.isVisible());
    }

    // Escape passes the Esc set and is refused by the plain one; either way the dialog still closes on it.
    void escape_data()
    {
        QTest::addColumn<NumericKeys>("keys");
        QTest::addColumn<bool>("reachesBox");
        QTest::newRow("NumberEsc") << NumericKeys::NumberEsc << true;
        QTest::newRow("Number") << NumericKeys::Number << false;
    }

    void escape()
    {
        QFETCH(NumericKeys, keys);
        QFETCH(bool, reachesBox);
        NumberDialog window(keys);
        QVERIFY(window.show());
        QTest::keyClicks(window.box, "7");
        window.spy.keys.clear();
        QTest::keyClick(window.box, Qt::Key_Escape);
        QCOMPARE(window.spy.keys.contains(Qt::Key_Escape), reachesBox);
        QCOMPARE(window.box->text(), QString("7"));
        QVERIFY(!window.dialog.isVisible());
        QCOMPARE(window.dialog.result(), int(QDialog::Rejected));
    }

    void refusedKeyNeverReachesTheBox()
    {
        NumberDialog window(NumericKeys::Number);
        QVERIFY(window.show());
        QSignalSpy edited(window.box, &QLineEdit::textEdited);
        QTest::keyClick(window.box, Qt::Key_A);
        QVERIFY(!window.spy.keys.contains(Qt::Key_A));
        QCOMPARE(edited.count(), 0);
    }

    void pasteKeepsAllowedCharacters_data()
    {
        QTest::addColumn<NumericKeys>("keys");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amount with separators") << NumericKeys::Number << "¥1,500.50 元"
                                                << "1500.50";
        QTest::newRow("negative") << NumericKeys::Number << "-12"
                                  << "-12";
        QTest::newRow("nothing allowed") << NumericKeys::Number << "abc"
                                         << "9";
        QTest::newRow("digits only") << NumericKeys::Digits << "-1.5"
                                     << "15";
    }

    void pasteKeepsAllowedCharacters()
    {
        QFETCH(NumericKeys, keys);
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        NumberDialog window(keys);
        QVERIFY(window.show());
        QTest::keyClicks(window.box, "9");
        QApplication::clipboard()->setText(clipboard);
        if (QApplication::clipboard()->text() != clipboard)
            QSKIP("no clipboard on this platform");
        QTest::keySequence(window.box, QKeySequence::Paste);
        QString expected = shown == "9" ? shown : "9" + shown;
        QCOMPARE(window.box->text(), expected);
        // The context menu's paste and a drop take the same way in.
        window.box->clear();
        window.box->paste();
        QCOMPARE(window.box->text(), shown == "9" ? QString() : shown);
    }

    void attachingAgainChangesTheSet()
    {
        NumberDialog window(NumericKeys::Digits);
        attachNumericKeys(window.box, NumericKeys::Number);
        QVERIFY(window.show());
        QTest::keyClicks(window.box, "-1.5");
        QCOMPARE(window.box->text(), QString("-1.5"));
    }
};

LANTING_TEST(TestNumericEdit)
#include "tst_numericedit.moc"
