#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// Reads exported .xls workbooks back the way another program sees them: with Debian's /usr/bin/python3 and
// xlrd (package python3-xlrd, installed by scripts/install-deps.sh), not with the program's own writer.

// A cell as xlrd reads it.
struct SheetCell
{
    int type = 0; // xlrd's ctype: 0 empty, 1 text, 2 number, 3 date, 4 boolean, 5 error, 6 blank
    QVariant value;
};

// The first sheet of a workbook.
struct Sheet
{
    int rows = 0; // rows in the sheet, whether read or not
    int columns = 0;
    QList<QList<SheetCell>> cells; // the rows read, in order

    // Every row read as one line: the texts of its first `columns` cells joined by "|".
    QStringList lines(int columns) const;
};

// Which rows a read brings back: every row, or for a sheet longer than allUpTo rows only its first `head`
// rows and its last row (carrying tens of thousands of rows over would take long).
struct SheetRows
{
    int allUpTo = -1; // -1: every row whatever the length
    int head = 3;
};

// The texts of a row's cells (of its first `columns` cells when given).
QStringList cellTexts(const QList<SheetCell> &row, int columns = -1);

// The first sheet of the file, or nothing with the reason in *error (xlrd missing, not a workbook, ...).
std::optional<Sheet> readSheet(const QString &file, QString *error, const SheetRows &rows = {});
