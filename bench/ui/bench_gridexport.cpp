// "导出Excel" of the largest grid the sheet holds: 65,535 rows of 20 columns (texts, amounts, dates) in a result
// grid over a SQLite result, the way a list window shows it. Each run sets the query again, so the export also
// fetches the whole result. Goal: under 2 s and under 200 MB.
#include "app/opener.h"
#include "app/ui/filechooser.h"
#include "data/query.h"
#include "data/ui/datagrid.h"
#include "data/ui/gridexport.h"

#include <QApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQueryModel>
#include <QTemporaryDir>
#include "common/benchsupport.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int Rows = 65535;
constexpr int Columns = 20;

class SilentOpener : public Opener
{
public:
    bool hasHandler(const QString &) const override { return true; }
    bool open(const QString &) override { return true; }
};

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

QString columnName(int column)
{
    return QStringLiteral("c%1").arg(column);
}

// Rental history rows: codes, names, identity numbers, dates as ISO text, amounts as numbers.
bool fill(const QSqlDatabase &db)
{
    QStringList definitions;
    QStringList names;
    QStringList parameters;
    for (int c = 0; c < Columns; ++c) {
        definitions << columnName(c) + (c % 3 == 1 ? QStringLiteral(" numeric") : QStringLiteral(" text"));
        names << columnName(c);
        parameters << QLatin1Char(':') + columnName(c);
    }
    if (!execute(db, QStringLiteral("create table history(%1)").arg(definitions.join(QLatin1Char(',')))))
        return false;
    Transaction transaction(db);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("insert into history(%1) values(%2)")
                       .arg(names.join(QLatin1Char(',')), parameters.join(QLatin1Char(','))));
    for (int row = 0; row < Rows; ++row) {
        for (int c = 0; c < Columns; ++c) {
            QVariant value;
            switch (c % 3) {
            case 0:
                value = QStringLiteral("房%1-%2").arg(row % 3000).arg(c);
                break;
            case 1:
                value = 1200.5 + row % 97 + c;
                break;
            default:
                value = QDate(2024, 1, 1).addDays(row % 700);
                break;
            }
            insert.bindValue(c, value);
        }
        if (!insert.exec())
            return false;
    }
    return transaction.commit();
}

void BM_ExportLargestGrid(benchmark::State &state)
{
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(dir.filePath(QStringLiteral("bench.db")));
        if (!db.open() || !fill(db)) {
            state.SkipWithError("cannot fill the database");
            return;
        }
    }
    const QSqlDatabase db = QSqlDatabase::database(QStringLiteral("bench"));
    QList<DataGrid::Column> columns;
    for (int c = 0; c < Columns; ++c)
        columns.append({columnName(c), QStringLiteral("列%1").arg(c)});
    QSqlQueryModel model;
    DataGrid grid;
    grid.bind(&model, columns);
    SilentOpener opener;
    Opener::install(&opener);
    const QString file = dir.filePath(QStringLiteral("export.xls"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(file);
        state.ResumeTiming();
        model.setQuery(QStringLiteral("select * from history"), db);
        FileChooser::setNextFileName(file);
        if (!ExportGridToExcel(&grid))
            state.SkipWithError("export failed");
    }
    Opener::install(nullptr);
    state.SetItemsProcessed(state.iterations() * Rows * Columns);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ExportLargestGrid)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return benchsupport::runBenchmarks(argc, argv);
}
