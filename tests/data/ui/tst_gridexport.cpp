#include "app/ui/filechooser.h"
#include "common/recordingopener.h"
#include "common/scriptedprompt.h"
#include "common/sheetreader.h"
#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"
#include "data/ui/datagrid.h"
#include "data/ui/gridexport.h"

#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QProcess>
#include <QSqlQueryModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

namespace {

const QString TooLarge = QStringLiteral("需要导出的数据过大，Excel最大只能容纳65536行,是否还要继续？");
const QString CannotStart = QStringLiteral("无法调用Excel/Excel没有安装office办公软件Excel或没有安装正确！");
const QString Overwrite = QStringLiteral("该文件已经存在，要覆盖吗？");

// A cheap result of many rows: column 0 plays "序号", column 1 holds "r<row>", column 2 the row as a number.
class CountingModel : public QAbstractTableModel
{
public:
    explicit CountingModel(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return QVariant();
        switch (index.column()) {
        case 0:
            return index.row() + 1;
        case 1:
            return QStringLiteral("r%1").arg(index.row());
        default:
            return index.row();
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        return QStringList{"序号", "名称", "数量"}.value(section);
    }

private:
    int m_rows;
};
} // namespace

class TestGridExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_readError;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Every row of a small sheet; of a big one the first three and the last.
    std::optional<Sheet> readBack(const QString &file) { return readSheet(file, &m_readError, {50, 3}); }

    // Runs the export with the given file name and answers.
    static bool run(QTableView *grid, const QString &name)
    {
        FileChooser::setNextFileName(name);
        const bool result = ExportGridToExcel(grid);
        if (FileChooser::hasNextFileName()) // the dialog was never shown: drop the queued name
            FileChooser::saveFileName(nullptr, QString(), QString());
        return result;
    }

    static bool fileDialogSkipped(QTableView *grid, const QString &name)
    {
        FileChooser::setNextFileName(name);
        ExportGridToExcel(grid);
        const bool skipped = FileChooser::hasNextFileName();
        if (skipped)
            FileChooser::saveFileName(nullptr, QString(), QString());
        return skipped;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import xlrd")});
        QVERIFY2(python.waitForFinished(30000) && python.exitCode() == 0,
                 "the exported workbooks are read with /usr/bin/python3 and xlrd (package python3-xlrd)");
    }

    void cleanup() { QVERIFY(!QGuiApplication::overrideCursor()); }

    // A list window's grid: titles, the text each cell shows, number cells for plain numbers, Chinese text,
    // empty cells for null values, and no "序号".
    void writesWhatTheGridShows_data() { testdb::addEngineRows(); }

    void writesWhatTheGridShows()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("export"));
        const auto add = [&](const QString &bz, const QVariant &sm, const QDate &rq, const QVariant &je) {
            return execute(db, QStringLiteral("insert into zf_cwb(bz,sm,rq,je,czy) values(:bz,:sm,:rq,:je,'管理员')"),
                           {{"bz", bz}, {"sm", sm}, {"rq", rq}, {"je", je}});
        };
        QVERIFY(add("收入", "房租", QDate(2024, 3, 5), "1500.00"));
        QVERIFY(add("007", QVariant(QMetaType(QMetaType::QString)), QDate(2024, 12, 31), "-12.5"));
        QVERIFY(add("支出", "水电费 三月", QDate(2025, 1, 9), QVariant()));
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select iid, bz, sm, rq, je, czy from zf_cwb order by iid"), db);
        DataGrid grid;
        grid.bind(&model, {{"rq", "日期"}, {"bz", "类别"}, {"je", "金额"}, {"sm", "说明"}, {"czy", "操作员"}});

        ScriptedPrompt prompt;
        RecordingOpener opener;
        const QString file = path(QStringLiteral("ledger-%1.xls").arg(int(engine)));
        QVERIFY(run(&grid, file));
        QVERIFY(prompt.shown().isEmpty());
        QCOMPARE(opener.opened, QStringList{file});
        QVERIFY(opener.waitCursorWhileProbing);
        QVERIFY(opener.waitCursorWhileOpening);

        const std::optional<Sheet> sheet = readBack(file);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->rows, 4);
        QCOMPARE(sheet->columns, 5);
        QCOMPARE(cellTexts(sheet->cells.at(0)), (QStringList{"日期", "类别", "金额", "说明", "操作员"}));
        const QList<SheetCell> &first = sheet->cells.at(1);
        QCOMPARE(first.at(0).type, 1);
        QCOMPARE(first.at(0).value.toString(), QString("2024-03-05"));
        QCOMPARE(first.at(1).value.toString(), QString("收入"));
        QCOMPARE(first.at(2).type, 2);
        QCOMPARE(first.at(2).value.toDouble(), 1500.0);
        QCOMPARE(first.at(4).value.toString(), QString("管理员"));
        const QList<SheetCell> &second = sheet->cells.at(2);
        QCOMPARE(second.at(1).type, 1); // a code keeps its leading zeros
        QCOMPARE(second.at(1).value.toString(), QString("007"));
        QCOMPARE(second.at(2).value.toDouble(), -12.5);
        QCOMPARE(second.at(3).type, 0); // null text
        QCOMPARE(second.at(4).value.toString(), QString("管理员"));
        const QList<SheetCell> &third = sheet->cells.at(3);
        QCOMPARE(third.at(2).type, 0); // null amount: empty, and the next column stays in place
        QCOMPARE(third.at(3).value.toString(), QString("水电费 三月"));
    }

    // Position 0 is skipped whatever it holds; hidden columns are left out; the visual order counts.
    void columnsAsTheOperatorSeesThem()
    {
        QStandardItemModel model(2, 4);
        model.setHorizontalHeaderLabels({"房间编号", "房间名称", "面积", "备注"});
        const QStringList values = {"A101", "一号房", "35.5", "朝南", "A102", "二号房", "40", "临街"};
        for (int i = 0; i < values.size(); ++i)
            model.setItem(i / 4, i % 4, new QStandardItem(values.at(i)));
        QTableView grid;
        grid.setModel(&model);
        grid.hideColumn(3);
        grid.horizontalHeader()->moveSection(2, 1); // 房间编号, 面积, 房间名称, (备注)

        RecordingOpener opener;
        const QString file = path("columns.xls");
        QVERIFY(run(&grid, file));
        const std::optional<Sheet> sheet = readBack(file);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->columns, 2);
        QCOMPARE(cellTexts(sheet->cells.at(0)), (QStringList{"面积", "房间名称"}));
        QCOMPARE(sheet->cells.at(1).at(0).value.toDouble(), 35.5);
        QCOMPARE(cellTexts(sheet->cells.at(2)), (QStringList{"40", "二号房"}));
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("no suffix") << "report"
                                   << "report.xls";
        QTest::newRow("suffix") << "report.xls"
                                << "report.xls";
        QTest::newRow("upper-case suffix") << "report.XLS"
                                           << "report.XLS.xls";
        QTest::newRow("other suffix") << "report.csv"
                                      << "report.csv.xls";
        QTest::newRow("Chinese") << "租金报表"
                                 << "租金报表.xls";
    }

    void fileNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QTemporaryDir folder;
        CountingModel model(3);
        QTableView grid;
        grid.setModel(&model);
        RecordingOpener opener;
        QVERIFY(run(&grid, folder.filePath(chosen)));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});
        QCOMPARE(opener.opened, QStringList{folder.filePath(written)});
    }

    void overwrite_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << "old.xls" << false;
        QTest::newRow("yes") << "old.xls" << true;
        // The question is about the file that would be replaced, the one with ".xls".
        QTest::newRow("name without suffix, no") << "old" << false;
        QTest::newRow("name without suffix, yes") << "old" << true;
    }

    void overwrite()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, yes);
        QTemporaryDir folder;
        const QString existing = folder.filePath("old.xls");
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("an earlier export");
        }
        CountingModel model(2);
        QTableView grid;
        grid.setModel(&model);
        ScriptedPrompt prompt;
        prompt.answer({yes});
        RecordingOpener opener;
        QCOMPARE(run(&grid, folder.filePath(chosen)), yes);
        QCOMPARE(prompt.shown().size(), 1);
        QCOMPARE(prompt.shown().at(0).kind, Prompt::Kind::Question);
        QCOMPARE(prompt.shown().at(0).title, QString("询问"));
        QCOMPARE(prompt.shown().at(0).text, Overwrite);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"old.xls"});
        if (yes) {
            const std::optional<Sheet> sheet = readBack(existing);
            QVERIFY2(sheet, qPrintable(m_readError));
            QCOMPARE(sheet->rows, 3);
            QCOMPARE(opener.opened, QStringList{existing});
        } else {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("an earlier export"));
            QVERIFY(opener.opened.isEmpty());
        }
    }

    // A file named like the choice but without ".xls" is not the one written: no question, left alone.
    void otherFileOfTheChosenNameStays()
    {
        QTemporaryDir folder;
        QFile other(folder.filePath("report"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("notes");
        other.close();
        CountingModel model(1);
        QTableView grid;
        grid.setModel(&model);
        ScriptedPrompt prompt;
        RecordingOpener opener;
        QVERIFY(run(&grid, folder.filePath("report")));
        QVERIFY(prompt.shown().isEmpty());
        QCOMPARE(QFileInfo(folder.filePath("report")).size(), 5);
        QVERIFY(QFileInfo::exists(folder.filePath("report.xls")));
    }

    void cancelWritesNothing()
    {
        QTemporaryDir folder;
        CountingModel model(2);
        QTableView grid;
        grid.setModel(&model);
        ScriptedPrompt prompt;
        RecordingOpener opener;
        QVERIFY(run(&grid, QString()));
        QVERIFY(prompt.shown().isEmpty());
        QVERIFY(opener.opened.isEmpty());
        QVERIFY(QDir(folder.path()).isEmpty());
    }

    // Without a program for .xls files the operator is told before choosing a name.
    void noSpreadsheetProgram()
    {
        CountingModel model(2);
        QTableView grid;
        grid.setModel(&model);
        ScriptedPrompt prompt;
        RecordingOpener opener;
        opener.hasProgram = false;
        QVERIFY(fileDialogSkipped(&grid, path("never.xls")));
        QCOMPARE(opener.probes.size(), 1);
        QVERIFY(opener.probeWasWorkbook);
        QVERIFY(!QFileInfo::exists(opener.probes.at(0))); // the probe is cleaned up
        QCOMPARE(prompt.texts(), QStringList{CannotStart});
        QVERIFY(!QFileInfo::exists(path("never.xls")));
        QVERIFY(opener.opened.isEmpty());
        QVERIFY(!run(&grid, path("never.xls")));
    }

    void savingFails()
    {
        CountingModel model(2);
        QTableView grid;
        grid.setModel(&model);
        ScriptedPrompt prompt;
        RecordingOpener opener;
        const QString file = path("no such folder/out.xls");
        QVERIFY(!run(&grid, file));
        QCOMPARE(prompt.shown().size(), 1);
        QVERIFY(prompt.lastText().contains(QDir::toNativeSeparators(file)));
        QVERIFY(opener.opened.isEmpty());
    }

    void savedButNotOpened()
    {
        CountingModel model(2);
        QTableView grid;
        grid.setModel(&model);
        ScriptedPrompt prompt;
        RecordingOpener opener;
        opener.startsProgram = false;
        QVERIFY(run(&grid, path("unopened.xls")));
        QVERIFY(QFileInfo::exists(path("unopened.xls")));
        QCOMPARE(prompt.texts(), QStringList{CannotStart});
    }

    // A grid over a result larger than the model's first batch: every row is written, the grid stays put.
    void wholeResultAndTheGridStaysOnItsRow()
    {
        testdb::ScratchDatabase scratch(Engine::Sqlite);
        const QSqlDatabase db = scratch.open(QStringLiteral("export"));
        {
            Transaction transaction(db);
            for (int i = 0; i < 300; ++i)
                QVERIFY(execute(db, QStringLiteral("insert into zf_cwb(bz,je) values(:bz,:je)"),
                                {{"bz", QStringLiteral("第%1行").arg(i + 1)}, {"je", i}}));
            QVERIFY(transaction.commit());
        }
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("select bz, je from zf_cwb order by iid"), db);
        QVERIFY(model.canFetchMore());
        DataGrid grid;
        grid.bind(&model, {{"bz", "说明"}, {"je", "金额"}});
        grid.setCurrentRow(120);
        RecordingOpener opener;
        QVERIFY(run(&grid, path("whole.xls")));
        QCOMPARE(grid.currentRow(), 120);
        QVERIFY(grid.selectionModel()->isRowSelected(120, QModelIndex()));
        QVERIFY(grid.updatesEnabled());
        const std::optional<Sheet> sheet = readBack(path("whole.xls"));
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->rows, 301);
        QCOMPARE(cellTexts(sheet->cells.constLast()), (QStringList{"第300行", "299"}));
    }

    void rowLimit_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("dataRows"); // -1: nothing written
        QTest::newRow("65535 rows") << 65535 << false << false << 65535;
        QTest::newRow("65536 rows, yes") << 65536 << true << true << 65535;
        QTest::newRow("70000 rows, yes") << 70000 << true << true << 65535;
        QTest::newRow("65536 rows, no") << 65536 << true << false << -1;
    }

    void rowLimit()
    {
        QFETCH(int, rows);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        QFETCH(int, dataRows);
        CountingModel model(rows);
        QTableView grid;
        grid.setModel(&model);
        ScriptedPrompt prompt;
        prompt.answer({yes});
        RecordingOpener opener;
        const QString file = path(QStringLiteral("limit-%1-%2.xls").arg(rows).arg(yes));
        FileChooser::setNextFileName(file);
        QCOMPARE(ExportGridToExcel(&grid), dataRows >= 0);
        if (asked) {
            QCOMPARE(prompt.shown().size(), 1);
            QCOMPARE(prompt.shown().at(0).title, QString("询问"));
            QCOMPARE(prompt.shown().at(0).text, TooLarge);
        } else {
            QVERIFY(prompt.shown().isEmpty());
        }
        if (dataRows < 0) {
            // Stopped before anything else: no probe, no file dialog, no file.
            QVERIFY(opener.probes.isEmpty());
            QVERIFY(FileChooser::hasNextFileName());
            FileChooser::saveFileName(nullptr, QString(), QString());
            QVERIFY(!QFileInfo::exists(file));
            return;
        }
        const std::optional<Sheet> sheet = readBack(file);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->rows, dataRows + 1);
        QCOMPARE(cellTexts(sheet->cells.at(0)), (QStringList{"名称", "数量"}));
        QCOMPARE(cellTexts(sheet->cells.at(1)), (QStringList{"r0", "0"}));
        QCOMPARE(sheet->cells.at(1).at(1).type, 2);
        const QList<SheetCell> &last = sheet->cells.constLast();
        QCOMPARE(last.at(0).value.toString(), QStringLiteral("r%1").arg(dataRows - 1));
        QCOMPARE(last.at(1).value.toInt(), dataRows - 1);
    }
};

LANTING_TEST(TestGridExport)
#include "tst_gridexport.moc"
