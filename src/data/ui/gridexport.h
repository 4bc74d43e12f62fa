#pragma once

class QTableView;

// "导出Excel": writes what the grid shows (every visible column but the first, "序号") into an Excel
// 97-2003 workbook the operator names, then opens it with the program associated with .xls files.
// True when saved or when the operator cancelled the file choice; false otherwise.
bool ExportGridToExcel(QTableView *grid);
