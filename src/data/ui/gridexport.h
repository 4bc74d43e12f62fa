#pragma once

class QTableView;

// "导出Excel": writes what the grid shows (every visible column but the first, "序号") into an Excel
// 97-2003 workbook the operator names, then opens it with the program associated with .xls files.
// True when saved or when the operator cancelled the file choice; false otherwise.
//
// In order:
//  1. More than 65535 rows (the whole result, fetched first): the question "需要导出的数据过大，Excel最大只能容纳
//     65536行,是否还要继续？"; "no" ends it (false), "yes" exports the first 65535 rows.
//  2. The wait cursor, for the whole run (lifted while the file dialog and the questions are up).
//  3. The workbook is written by XlsWorkbook, without a spreadsheet program; what takes the place of "starting
//     Excel" is asking the desktop whether some program opens .xls files: a tiny workbook is saved into a
//     temporary folder and Opener::current().hasHandler() is asked about it (so the desktop can tell the type
//     from the name and from the contents). No program: "无法调用Excel/Excel没有安装office办公软件Excel或没有
//     安装正确！", false. This comes before the file dialog, so the operator never picks a name in vain.
//  4. The save dialog "Excel文件(*.xls)"; cancelled: true, nothing written. A name that does not end in ".xls"
//     (exact letter case: "report.XLS" becomes "report.XLS.xls") gets ".xls" appended before anything else,
//     and the overwrite question "该文件已经存在，要覆盖吗？" is asked about that final name, the file that would
//     be replaced ("no": false). The old file is replaced only once the new one is complete.
//  5. Row 1 holds the column titles, the rows below the text the grid shows for each field (dates
//     "yyyy-mm-dd", amounts in their shortest form; XlsWorkbook::setCell() makes plain numbers number cells);
//     a null value leaves its cell empty but keeps its column. Columns in the grid's visual order, hidden ones
//     left out, at most the sheet's 256. The grid does not repaint while its rows are read and stays on its
//     current row.
//  6. Saving fails (a folder that cannot be written, a locked file): a message with the reason, false.
//  7. The saved workbook is opened with Opener::current().open(); when that fails the file stays saved, the
//     operator sees the "无法调用Excel…" message, and the result is still true.
bool ExportGridToExcel(QTableView *grid);
