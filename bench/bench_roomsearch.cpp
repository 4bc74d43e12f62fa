// The room list with 5,000 rooms: opening it and answering a search must stay well under 100 ms. Measures
// the list's statement run into a grid model with every row read, on a SQLite database file.
#include "data/database.h"
#include "data/query.h"
#include "data/schema.h"
#include "rooms/roomregister.h"

#include <QCoreApplication>
#include <QSqlQueryModel>
#include <QTemporaryDir>
#include "common/benchsupport.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int RoomCount = 5000;

QSqlDatabase roomDatabase()
{
    static QTemporaryDir dir;
    static bool ready = false;
    const QString name = QStringLiteral("bench_rooms");
    if (!ready) {
        QString error;
        if (!openConnection(name, ConnectionTarget::sqliteFile(dir.filePath(QStringLiteral("rooms.db")), false),
                            &error) ||
            !schema::ensure(QSqlDatabase::database(name, false), &error))
            qFatal("database: %s", qPrintable(error));
        if (!benchsupport::fillRooms(QSqlDatabase::database(name, false), RoomCount, &error))
            qFatal("rooms: %s", qPrintable(error));
        ready = true;
    }
    return QSqlDatabase::database(name, false);
}

void runInto(benchmark::State &state, const rooms::Statement &statement, int expectedRows)
{
    const QSqlDatabase db = roomDatabase();
    QSqlQueryModel model;
    for (auto _ : state) {
        QString error;
        if (!rooms::openStatement(&model, db, statement, &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        benchmark::DoNotOptimize(model.rowCount());
    }
    if (model.rowCount() != expectedRows)
        state.SkipWithError("unexpected row count");
    state.counters["rows"] = model.rowCount();
}

void BM_OpenRoomList(benchmark::State &state)
{
    runInto(state, rooms::RoomRegister::allRooms(), RoomCount);
}
BENCHMARK(BM_OpenRoomList)->Unit(benchmark::kMillisecond);

void BM_SearchByNumberPrefix(benchmark::State &state)
{
    // Numbers begin with A to D: one in four rooms matches.
    runInto(state, rooms::RoomRegister::search(QStringLiteral("B")), RoomCount / 4);
}
BENCHMARK(BM_SearchByNumberPrefix)->Unit(benchmark::kMillisecond);

void BM_SearchNarrow(benchmark::State &state)
{
    runInto(state, rooms::RoomRegister::search(QStringLiteral("B000")), 3);
}
BENCHMARK(BM_SearchNarrow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return benchsupport::runBenchmarks(argc, argv);
}
