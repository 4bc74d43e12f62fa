#include "common/sheetreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {
const char Script[] = R"(
import json, sys, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
all_up_to, head = int(sys.argv[2]), int(sys.argv[3])
if all_up_to < 0 or sheet.nrows <= all_up_to:
    rows = list(range(sheet.nrows))
else:
    rows = list(range(head)) + [sheet.nrows - 1]
cells = [[[c.ctype, c.value] for c in sheet.row(r)] for r in rows]
sys.stdout.buffer.write(json.dumps({'rows': sheet.nrows, 'columns': sheet.ncols, 'cells': cells},
                                   ensure_ascii=False).encode('utf-8'))
)";

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

QStringList Sheet::lines(int columns) const
{
    QStringList list;
    for (const QList<SheetCell> &row : cells)
        list << cellTexts(row, columns).join(QLatin1Char('|'));
    return list;
}

QStringList cellTexts(const QList<SheetCell> &row, int columns)
{
    QStringList list;
    for (const SheetCell &cell : columns < 0 ? row : row.mid(0, columns))
        list << cell.value.toString();
    return list;
}

std::optional<Sheet> readSheet(const QString &file, QString *error, const SheetRows &rows)
{
    // Debian's own interpreter, which has python3-xlrd (a python3 earlier on the path may lack it).
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(Script), file,
                                                      QString::number(rows.allUpTo), QString::number(rows.head)});
    const bool finished = python.waitForFinished(120000);
    if (!finished || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        QString reason = QString::fromUtf8(python.readAllStandardError()).trimmed();
        if (python.error() != QProcess::UnknownError)
            reason = python.errorString() + QLatin1Char(' ') + reason;
        if (!finished) {
            python.kill();
            python.waitForFinished();
        }
        setError(error,
                 QStringLiteral("xlrd could not read %1 (/usr/bin/python3 with python3-xlrd): %2").arg(file, reason));
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(python.readAllStandardOutput(), &parseError);
    if (!document.isObject()) {
        setError(error, QStringLiteral("unexpected output reading %1: %2").arg(file, parseError.errorString()));
        return std::nullopt;
    }
    const QJsonObject result = document.object();
    Sheet sheet;
    sheet.rows = result.value(QLatin1String("rows")).toInt();
    sheet.columns = result.value(QLatin1String("columns")).toInt();
    for (const QJsonValue &row : result.value(QLatin1String("cells")).toArray()) {
        QList<SheetCell> cells;
        for (const QJsonValue &cell : row.toArray())
            cells.append({cell.toArray().at(0).toInt(), cell.toArray().at(1).toVariant()});
        sheet.cells.append(cells);
    }
    return sheet;
}
