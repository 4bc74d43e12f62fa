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
#include "common/benchsupport.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int RoomCount = 5000;

struct Office
{
    Office()
    {
        QString error;
        ready = openConnection(Tdbhouse::MainConnection,
                               ConnectionTarget::sqliteFile(dir.filePath(QStringLiteral("rooms.db")), false), &error) &&
                schema::ensure(data.adoacccon(), &error) &&
                benchsupport::fillRooms(data.adoacccon(), RoomCount, &error);
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
    Office rooms;
    s_office = &rooms;
    return benchsupport::runBenchmarks(argc, argv);
}
