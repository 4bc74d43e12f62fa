#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

// A workbook in the Excel 97-2003 format (.xls: BIFF8 records in an OLE2 compound document) with one
// worksheet, written without any spreadsheet program. Rows and columns are 0-based; the sheet holds at most
// 65536 rows and 256 columns.
//
// Cells are kept compactly (8 bytes a cell, every distinct text once), so that a sheet of 65535 rows by
// 20 columns fills and saves in well under a second. Cells may be written in any order and overwritten;
// writing row by row, column by column is the fast path.
//
// setCell() turns a text into a cell the way an operator expects to find it in the spreadsheet:
//   - an empty text leaves the cell empty (and empties a cell written before);
//   - a plain decimal number becomes a number cell: an optional "-", the integer digits, optionally "." and
//     at least one fraction digit ("12", "-3.5", "0", "0.25", "1500.00");
//   - everything else stays text, exactly as given, in particular
//       * numbers with a leading zero in the integer part ("007", "0123", "00.5"): room numbers and codes
//         keep their zeros, which a spreadsheet would drop;
//       * numbers with more than 15 significant digits ("110101199003077777", bank account numbers): a
//         number cell holds only 15 digits, the rest would be lost;
//       * texts with an exponent ("1e5", which is also a plausible room code), a "+", blanks around the
//         number (" 12 "), thousands separators, "%", currency signs, full-width digits, "12." or ".5";
//       * dates and times ("2024-03-05", "8:30:00"): they stay text so that the sheet shows them exactly as
//         the program does, whatever the reader's regional date format.
// Counting significant digits skips the leading zeros of a fraction: "0.000125" has three.
//
// A cell that cannot be stored (outside the sheet, a text longer than 32767 characters, a number that is
// not finite) is refused: the setter returns false, and the workbook remembers the first refusal so that
// save() fails with that error instead of writing a sheet that silently lacks cells.
class XlsWorkbook
{
public:
    static constexpr int MaxRows = 65536;
    static constexpr int MaxColumns = 256;
    static constexpr int MaxTextLength = 32767;

    XlsWorkbook();

    // 1 to 31 characters, none of : \ / ? * [ ], not starting or ending with an apostrophe. Default "Sheet1".
    bool setSheetName(const QString &name);
    QString sheetName() const { return m_sheetName; }

    // A text cell; an empty text empties the cell.
    bool setText(int row, int column, QStringView text);
    bool setNumber(int row, int column, double value);
    // A number cell when the text is a plain decimal number (see above), else a text cell.
    bool setCell(int row, int column, QStringView text);

    // The number setCell() stores for the text, or nothing when the text stays text.
    static std::optional<double> numberFromText(QStringView text);

    // The first refused cell, empty while every cell was stored.
    QString errorString() const { return m_error; }

    // Writes the workbook to path through a temporary file beside it, so that an existing file is replaced
    // only once the new one is complete (where the folder allows no new file but the file itself may be
    // written, the file is written in place). On failure (a refused cell, a folder that does not exist or
    // cannot be written, a locked file) returns false and puts the reason into error.
    bool save(const QString &path, QString *error = nullptr) const;

private:
    enum CellKind : std::uint8_t { Cleared, Label, Rk, Number };
    struct Cell
    {
        std::uint16_t row;
        std::uint8_t column;
        CellKind kind;
        std::uint32_t value; // string index, RK value or index into m_numbers
    };

    bool checkPosition(int row, int column);
    void refuse(const QString &message);
    void putCell(int row, int column, CellKind kind, std::uint32_t value);
    std::uint32_t internString(QStringView text);
    QStringView stringAt(std::uint32_t index) const;
    void normalizeCells() const;

    QString m_sheetName;
    QString m_error;

    // Cells in the order written; m_sorted while that order is strictly by row, then column.
    mutable std::vector<Cell> m_cells;
    mutable bool m_sorted = true;
    std::vector<double> m_numbers;

    // The shared string table: every distinct text once, in order of first use, and an open-addressing
    // hash table of indices + 1 (0 is an empty slot).
    std::vector<char16_t> m_chars;
    std::vector<std::uint32_t> m_stringStarts{0};
    std::vector<std::uint32_t> m_stringHashes;
    std::vector<std::uint32_t> m_slots;
};
