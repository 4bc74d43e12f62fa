#include "admin/ui/tformdysz.h"
#include "admin/ui/tformqtcs.h"
#include "app/tglobal.h"
#include "app/ui/tformmain.h"
#include "app/ui/windowcatalogue.h"
#include "common/testregistry.h"
#include "common/windowfixture.h"
#include "data/query.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The window fixture and the settings object of a program folder of its own.
struct SettingsFixture : WindowFixture
{
    explicit SettingsFixture(Engine engine = Engine::Sqlite)
        : WindowFixture(engine), settings(dir.filePath(QStringLiteral("lanting")))
    {
    }
    void addEntry(const QString &title, const QString &content)
    {
        QVERIFY(execute(db(), "insert into zf_fjfzszb(fzbz,fznr) values(:t,:c)", {{"t", title}, {"c", content}}));
    }
    QStringList entries() const
    {
        QStringList list;
        Query query(db(), QStringLiteral("select fzbz, fznr from zf_fjfzszb order by iid"));
        if (!query.exec())
            return {query.errorText()};
        while (query.next())
            list << query.text("fzbz") + "|" + query.text("fznr");
        return list;
    }
    QString iniText() const
    {
        QFile file(settings.IniPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    static QStringList column(const DataGrid *grid, int column)
    {
        QStringList list;
        for (int row = 0; row < grid->rowCount(); ++row)
            list << grid->model()->index(row, column).data().toString();
        return list;
    }

    QTemporaryDir dir;
    TGlobal settings;
};
} // namespace

// The parameters window (option lists, the two ini options) and the print settings window.
class TestParameterWindows : public QObject
{
    Q_OBJECT

private slots:
    void parametersOpenWithListsAndOptions()
    {
        SettingsFixture f;
        f.addEntry("房间类型", "单间");
        f.addEntry("房间用途", "住宅");
        f.addEntry("房间类型", "套间");
        QVERIFY(execute(f.db(), "update zf_sdfdjb set dfdj=0.85, sfdj=3.2"));
        f.settings.strmj = QStringLiteral("否");
        f.settings.strdysd = QStringLiteral("1");
        TFormqtcs window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("其它参数设置"));
        QStringList titles;
        for (int i = 0; i < window.titleBox()->count(); ++i)
            titles << window.titleBox()->itemText(i);
        titles.sort();
        QCOMPARE(titles, QStringList({"房间用途", "房间类型"}));
        QVERIFY(window.titleBox()->isEditable());
        QCOMPARE(f.column(window.grid(), 1), QStringList({"房间用途", "房间类型", "房间类型"}));
        QCOMPARE(f.column(window.grid(), 2), QStringList({"住宅", "单间", "套间"}));
        QCOMPARE(window.grid()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("参数内容"));
        QVERIFY(!window.perAreaBox()->isChecked());
        QVERIFY(window.readingsBox()->isChecked());
        QCOMPARE(window.perAreaBox()->text(), QStringLiteral("物业管理费按每平方面积收费"));
        QCOMPARE(window.readingsBox()->text(), QStringLiteral("账单打印时启用打印水电抄表数"));
        // The unit prices are held but never shown.
        QCOMPARE(window.electricityPriceBox()->text(), QStringLiteral("0.85"));
        QCOMPARE(window.waterPriceBox()->text(), QStringLiteral("3.2"));
        QVERIFY(!window.electricityPriceBox()->isVisible());
        QVERIFY(!window.waterPriceBox()->isVisible());
    }

    void entriesAreAddedOnceAndTheLastRowIsCurrent_data() { testdb::addEngineRows(); }
    void entriesAreAddedOnceAndTheLastRowIsCurrent()
    {
        LANTING_FETCH_ENGINE(engine);
        SettingsFixture f(engine);
        f.addEntry("房间用途", "住宅");
        f.addEntry("房间用途", "商铺");
        TFormqtcs window;
        window.show();
        window.titleBox()->setEditText(QStringLiteral("房间类型"));
        window.contentBox()->setText(QStringLiteral("复式"));
        QTest::mouseClick(window.entrySaveButton(), Qt::LeftButton);
        QCOMPARE(f.entries(), QStringList({"房间用途|住宅", "房间用途|商铺", "房间类型|复式"}));
        QVERIFY(window.contentBox()->text().isEmpty());
        QCOMPARE(window.grid()->currentRow(), window.grid()->rowCount() - 1);
        QCOMPARE(window.titleBox()->currentText(), QStringLiteral("房间类型"));

        // A text listed already, under whatever title, is not added again and keeps its title.
        window.titleBox()->setEditText(QStringLiteral("房间名称"));
        window.contentBox()->setText(QStringLiteral("住宅"));
        window.saveEntry();
        QCOMPARE(f.entries(), QStringList({"房间用途|住宅", "房间用途|商铺", "房间类型|复式"}));
        QVERIFY(window.contentBox()->text().isEmpty());
        QVERIFY(f.prompt.shown().isEmpty());
    }

    void deleteAsksThenRemovesTheSelectedEntry()
    {
        SettingsFixture f;
        f.addEntry("房间用途", "住宅");
        f.addEntry("房间用途", "商铺");
        TFormqtcs window;
        window.show();
        window.grid()->setCurrentRow(1);
        window.contentBox()->setText(QStringLiteral("x"));
        f.prompt.answer({false});
        QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
        QCOMPARE(f.prompt.shown().value(0).kind, Prompt::Kind::Question);
        QCOMPARE(f.prompt.shown().value(0).title, QStringLiteral("询问"));
        QCOMPARE(f.prompt.lastText(), QStringLiteral("您确定要删除此条记录吗？"));
        QCOMPARE(f.entries().size(), 2);

        f.prompt.answer({true});
        window.deleteEntry();
        QCOMPARE(f.entries(), QStringList{"房间用途|住宅"});
        QVERIFY(window.contentBox()->text().isEmpty());
        QCOMPARE(window.grid()->rowCount(), 1);
    }

    void deleteWithAnEmptyListDoesNothing()
    {
        SettingsFixture f;
        TFormqtcs window;
        f.prompt.answer({true});
        window.deleteEntry();
        QCOMPARE(f.prompt.texts(), QStringList{QStringLiteral("您确定要删除此条记录吗？")}); // and nothing else
        QVERIFY(f.entries().isEmpty());
    }

    void optionsAreWrittenToTheIniFileAtOnce_data() { testdb::addEngineRows(); }
    void optionsAreWrittenToTheIniFileAtOnce()
    {
        LANTING_FETCH_ENGINE(engine);
        SettingsFixture f(engine);
        QVERIFY(execute(f.db(), "update zf_sdfdjb set dfdj=0.85, sfdj=3.2"));
        f.settings.strmj = QStringLiteral("是");
        f.settings.strdysd = QStringLiteral("1");
        TFormqtcs window;
        window.show();
        QVERIFY(window.perAreaBox()->isChecked());
        window.perAreaBox()->setChecked(false);
        window.readingsBox()->setChecked(false);
        QTest::mouseClick(window.optionsSaveButton(), Qt::LeftButton);
        QCOMPARE(f.prompt.texts(), QStringList{QStringLiteral("数据保存成功！")});
        QCOMPARE(f.settings.strmj, QStringLiteral("否"));
        QCOMPARE(f.settings.strdysd, QStringLiteral("0"));
        const QString ini = f.iniText();
        QVERIFY2(ini.contains("strmj=否") && ini.contains("strdysd=0"), qPrintable(ini));
        QCOMPARE(textformat::amount(scalar(f.db(), "select dfdj from zf_sdfdjb")), QStringLiteral("0"));
        QCOMPARE(textformat::amount(scalar(f.db(), "select sfdj from zf_sdfdjb")), QStringLiteral("0"));

        window.perAreaBox()->setChecked(true);
        QVERIFY(window.saveOptions());
        QVERIFY(f.iniText().contains("strmj=是"));
    }

    void printSettingsShowAndSaveTheHeader_data() { testdb::addEngineRows(); }
    void printSettingsShowAndSaveTheHeader()
    {
        LANTING_FETCH_ENGINE(engine);
        SettingsFixture f(engine);
        QVERIFY(execute(f.db(),
                        "update zf_dyszb set gsmc='澜庭物业', gsdh='0571-88', gsdz='文一路', gsqt='谢谢', zleft=4"));
        TFormdysz window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("打印信息设置"));
        QCOMPARE(window.companyBox()->text(), QStringLiteral("澜庭物业"));
        QCOMPARE(window.phoneBox()->text(), QStringLiteral("0571-88"));
        QCOMPARE(window.addressBox()->text(), QStringLiteral("文一路"));
        QCOMPARE(window.notesBox()->text(), QStringLiteral("谢谢"));
        QCOMPARE(window.marginBox()->text(), QStringLiteral("4"));

        window.companyBox()->setText(QStringLiteral("澜庭公寓"));
        window.marginBox()->clear();
        QTest::keyClicks(window.marginBox(), QStringLiteral("1a.-5"));
        QCOMPARE(window.marginBox()->text(), QStringLiteral("15"));
        QTest::mouseClick(window.saveButton(), Qt::LeftButton);
        QCOMPARE(f.prompt.texts(), QStringList{QStringLiteral("设置成功！")});
        QCOMPARE(scalar(f.db(), "select gsmc from zf_dyszb").toString(), QStringLiteral("澜庭公寓"));
        QCOMPARE(scalar(f.db(), "select zleft from zf_dyszb").toInt(), 15);

        // An empty margin is stored as 2.
        window.marginBox()->clear();
        QVERIFY(window.saveSettings());
        QCOMPARE(window.marginBox()->text(), QStringLiteral("2"));
        QCOMPARE(scalar(f.db(), "select zleft from zf_dyszb").toInt(), 2);
        QCOMPARE(scalar(f.db(), "select count(*) from zf_dyszb").toInt(), 1);
    }

    // Digits only reach the box, but not every row of digits is a number.
    void marginThatIsNoNumberStopsTheSave()
    {
        const QString margin = QStringLiteral("99999999999");
        SettingsFixture f;
        TFormdysz window;
        window.show();
        window.companyBox()->setText(QStringLiteral("澜庭公寓"));
        window.marginBox()->setText(margin);
        QVERIFY(!window.saveSettings());
        QCOMPARE(f.prompt.texts(), QStringList{textformat::notANumberMessage(margin)});
        QCOMPARE(window.focusWidget(), window.marginBox());
        QCOMPARE(scalar(f.db(), "select gsmc from zf_dyszb").toString(), QString());
    }

    void menuEntriesOpenTheWindows()
    {
        SettingsFixture f;
        windowcatalogue::clear();
        windowcatalogue::registerAllWindows();
        TFormmain frame(f.data, &f.settings);
        frame.applyPermissions({"m_jcsjgl", "s_qtcssz", "s_dyxxsz"});
        QAction *parameters = nullptr;
        QAction *print = nullptr;
        for (QMenu *menu : frame.menuBar()->findChildren<QMenu *>()) {
            for (QAction *action : menu->actions()) {
                if (action->objectName() == QLatin1String("s_qtcssz"))
                    parameters = action;
                if (action->objectName() == QLatin1String("s_dyxxsz"))
                    print = action;
            }
        }
        QVERIFY(parameters && print);
        parameters->trigger();
        QCOMPARE(frame.clientArea()->subWindowList().size(), 1);
        QVERIFY(qobject_cast<TFormqtcs *>(frame.clientArea()->subWindowList().value(0)->widget()));
        print->trigger();
        QCOMPARE(frame.clientArea()->subWindowList().size(), 1);
        QVERIFY(qobject_cast<TFormdysz *>(frame.clientArea()->subWindowList().value(0)->widget()));
        windowcatalogue::clear();
    }
};

LANTING_TEST(TestParameterWindows)
#include "tst_parameterwindows.moc"
