#include "app/inifile.h"
#include "app/tglobal.h"
#include "common/testregistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString program() const { return m_dir.filePath(QStringLiteral("rent.exe")); }
    QString ini() const { return m_dir.filePath(QStringLiteral("rent.ini")); }
    void writeIni(const QByteArray &bytes)
    {
        QFile file(ini());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QStringList iniLines()
    {
        QFile file(ini());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void init() { QFile::remove(ini()); }

    void iniPathIsBesideTheProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        QTest::newRow("windows name") << "/opt/x/rent.exe" << "/opt/x/rent.ini";
        QTest::newRow("linux name") << "/opt/x/lanting" << "/opt/x/lanting.ini";
        QTest::newRow("dotted folder") << "/opt/v1.2/lanting" << "/opt/v1.2/lanting.ini";
    }
    void iniPathIsBesideTheProgram()
    {
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QCOMPARE(TGlobal::iniPathFor(program), expected);
    }

    void missingFileGivesDefaultsAndIsWrittenAtExit()
    {
        {
            TGlobal settings(program());
            QCOMPARE(settings.IniPath, ini());
            QCOMPARE(settings.str_server, QStringLiteral("127.0.0.1"));
            QCOMPARE(settings.strmj, QStringLiteral("是"));
            QCOMPARE(settings.strdysd, QStringLiteral("0"));
            QCOMPARE(settings.strfd, QStringLiteral("01"));
            QCOMPARE(settings.str_pass, QStringLiteral("580947"));
        }
        const QStringList lines = iniLines();
        QCOMPARE(lines.value(0), QStringLiteral("[Judge]"));
        QStringList keys;
        for (const QString &line : lines.mid(1))
            keys << line.section(QLatin1Char('='), 0, 0);
        QCOMPARE(keys, QStringList({"server_name", "strfd", "strzdjf", "strlab1", "strlab2", "strlab3", "strlab4",
                                    "strlab5", "strjfz", "stryjezjf", "str_pass", "str_server", "strmj",
                                    "strdysd"}));
        QVERIFY(lines.contains(QStringLiteral("strmj=是")));
        QVERIFY(lines.contains(QStringLiteral("server_name=")));
    }

    void sectionAndKeysMatchWithoutCase()
    {
        writeIni("[JUDGE]\r\nSTR_SERVER = 10.0.0.5\r\nStrDysd=1\r\nstrmj=\"否\"\r\n");
        TGlobal settings(program());
        QCOMPARE(settings.str_server, QStringLiteral("10.0.0.5"));
        QCOMPARE(settings.strdysd, QStringLiteral("1"));
        QCOMPARE(settings.strmj, QStringLiteral("否"));
        QCOMPARE(settings.strfd, QStringLiteral("01"));
    }

    void gbkFileIsReadAsGbk()
    {
        QTextCodec *gbk = QTextCodec::codecForName("GBK");
        QVERIFY(gbk);
        writeIni(gbk->fromUnicode(QStringLiteral("[judge]\nstrmj=否\nstr_server=办公室服务器\n")));
        TGlobal settings(program());
        QCOMPARE(settings.strmj, QStringLiteral("否"));
        QCOMPARE(settings.str_server, QStringLiteral("办公室服务器"));
    }

    void writingKeepsOtherSectionsAndUnknownKeys()
    {
        writeIni("[other]\nkeep=yes\n[judge]\nmine=1\nstr_server=a\n");
        {
            TGlobal settings(program());
            settings.str_server = QStringLiteral("b");
        }
        IniFile ini;
        QVERIFY(ini.load(this->ini()));
        QCOMPARE(ini.value(QStringLiteral("other"), QStringLiteral("keep"), {}), QStringLiteral("yes"));
        QCOMPARE(ini.value(QStringLiteral("Judge"), QStringLiteral("mine"), {}), QStringLiteral("1"));
        QCOMPARE(ini.value(QStringLiteral("judge"), QStringLiteral("str_server"), {}), QStringLiteral("b"));
        QCOMPARE(iniLines().count(QStringLiteral("[Judge]")), 1);
    }
};

LANTING_TEST(TestSettings)
#include "tst_settings.moc"
