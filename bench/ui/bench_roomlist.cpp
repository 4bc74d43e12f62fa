// The room list window "房间信息" with 5,000 rooms, as the operator meets it: opening the window (query, grid,
// column widths) and answering "查询". Goal: each under 100 ms. Runs offscreen on a SQLite database file.
#include "app/dbhouse.h"
#include "data/database.h"
#include "data/query.h"
#include "data/schema.h"
#include "data/ui/datagrid.h"
#include "rooms/ui/tformfjxx.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int RoomCount = 5000;

bool fill(const QSqlDatabase &db)
{
    Transaction transaction(db);
    const QString sql =
        QStringLiteral("insert into zf_fjb(fjbh,fjmc,fjlx,fjmj,fjzxqk,fjsb,fjyt,bjts,rzjg,yzjg,dbds,sbds,"
                       "czlx,fjzt,bzsm,yfsl,sffj,zqts,fjydzt) values(:fjbh,:fjmc,:fjlx,:fjmj,'简装',"
                       "'空调',:fjyt,5,60,:yzjg,0,0,'是','空闲','朝南',0,'是',0,'空闲')");
    for (int i = 1; i <= RoomCount; ++i) {
        // Numbers A0004, B0001, C0002, ...: one room in four begins with each letter.
        Query insert(db, sql);
        insert
            .bind(QStringLiteral("fjbh"),
                  QStringLiteral("%1%2").arg(QChar(u'A' + i % 4)).arg(i, 4, 10, QLatin1Char('0')))
            .bind(QStringLiteral("fjmc"), QStringLiteral("%1号楼%2室").arg(i / 100).arg(i % 100))
            .bind(QStringLiteral("fjlx"), i % 2 ? QStringLiteral("单间") : QStringLiteral("套间"))
            .bind(QStringLiteral("fjmj"), 20 + i % 50)
            .bind(QStringLiteral("fjyt"), QStringLiteral("住宅"))
            .bind(QStringLiteral("yzjg"), 1200 + i % 7 * 100);
        if (!insert.exec())
            return false;
    }
    return transaction.commit();
}

struct Office
{
    Office()
    {
        QString error;
        ready = openConnection(Tdbhouse::MainConnection,
                               ConnectionTarget::sqliteFile(dir.filePath(QStringLiteral("rooms.db")), false), &error) &&
                schema::ensure(data.adoacccon(), &error) && fill(data.adoacccon());
    }
    QTemporaryDir dir;
    Tdbhouse data;
    bool ready = false;
};

Office *s_office = nullptr;

Office &office()
{
    return *s_office;
}

void BM_OpenRoomListWindow(benchmark::State &state)
{
    if (!office().ready) {
        state.SkipWithError("database");
        return;
    }
    int rows = 0;
    for (auto _ : state) {
        TFormfjxx list;
        rows = list.grid()->rowCount();
    }
    if (rows != RoomCount)
        state.SkipWithError("unexpected row count");
}
BENCHMARK(BM_OpenRoomListWindow)->Unit(benchmark::kMillisecond);

void BM_SearchInRoomListWindow(benchmark::State &state)
{
    if (!office().ready) {
        state.SkipWithError("database");
        return;
    }
    TFormfjxx list;
    list.resize(1300, 700);
    list.show();
    int rows = 0;
    bool narrow = false;
    for (auto _ : state) {
        // Alternating between a wide and a narrow answer, so that every search changes the grid.
        narrow = !narrow;
        list.searchBox()->setText(narrow ? QStringLiteral("B000") : QStringLiteral("B"));
        list.search();
        QCoreApplication::processEvents(); // the grid repaints
        rows += list.grid()->rowCount();
    }
    state.counters["rows"] = benchmark::Counter(rows, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SearchInRoomListWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        Office rooms;
        s_office = &rooms;
        benchmark::RunSpecifiedBenchmarks();
        s_office = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
