// The largest grid export: 65,535 rows of 20 columns, half texts (many of them distinct), half numbers, all
// given as texts the way the export passes them. Filling and saving must stay well under 2 s and 200 MB.
#include "data/xlsworkbook.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include "common/benchsupport.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Rows = 65535;
constexpr int Columns = 20;

// One row of a rental history grid: room, tenant, identity and phone numbers, dates, amounts, readings.
void fillRow(XlsWorkbook &workbook, int row)
{
    const int n = row + 1;
    const QString cells[Columns] = {
        QStringLiteral("A%1").arg(n % 3000, 4, 10, QLatin1Char('0')),
        QStringLiteral("%1号楼%2室").arg(n % 30).arg(n % 100),
        n % 2 ? QStringLiteral("单间") : QStringLiteral("套间"),
        QStringLiteral("租户%1").arg(n),
        QStringLiteral("男"),
        QStringLiteral("1101011990%1").arg(n, 8, 10, QLatin1Char('0')),
        QString::number(13800000000LL + n),
        QStringLiteral("2024-%1-%2").arg(n % 12 + 1, 2, 10, QLatin1Char('0')).arg(n % 28 + 1, 2, 10, QLatin1Char('0')),
        QStringLiteral("2025-%1-%2").arg(n % 12 + 1, 2, 10, QLatin1Char('0')).arg(n % 28 + 1, 2, 10, QLatin1Char('0')),
        QString::number(1200 + n % 7 * 100),
        QString::number(3000.5 + n % 10),
        QString::number(n * 0.37, 'g', 15),
        QString::number(n % 1000),
        QString::number(12345.67 + n),
        QString::number(n % 500 * 1.5),
        QStringLiteral("按月"),
        QStringLiteral("已租"),
        QStringLiteral("admin"),
        QString::number(n * 3),
        QStringLiteral("备注：第%1条租赁记录").arg(n),
    };
    for (int column = 0; column < Columns; ++column)
        workbook.setCell(row, column, cells[column]);
}

void BM_FillRows(benchmark::State &state)
{
    for (auto _ : state) {
        XlsWorkbook workbook;
        for (int row = 0; row < Rows; ++row)
            fillRow(workbook, row);
        benchmark::DoNotOptimize(workbook);
    }
    state.SetItemsProcessed(state.iterations() * Rows * Columns);
}
BENCHMARK(BM_FillRows)->Unit(benchmark::kMillisecond);

void BM_FillAndSave(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("导出.xls"));
    for (auto _ : state) {
        XlsWorkbook workbook;
        for (int row = 0; row < Rows; ++row)
            fillRow(workbook, row);
        QString error;
        if (!workbook.save(path, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.SetItemsProcessed(state.iterations() * Rows * Columns);
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
}
BENCHMARK(BM_FillAndSave)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("导出.xls"));
    XlsWorkbook workbook;
    for (int row = 0; row < Rows; ++row)
        fillRow(workbook, row);
    for (auto _ : state) {
        QString error;
        if (!workbook.save(path, &error))
            state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return benchsupport::runBenchmarks(argc, argv);
}
