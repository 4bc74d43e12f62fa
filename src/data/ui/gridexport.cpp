#include "data/ui/gridexport.h"

#include "app/opener.h"
#include "app/prompt.h"
#include "app/ui/filechooser.h"
#include "data/xlsworkbook.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

namespace {

constexpr int MaxDataRows = XlsWorkbook::MaxRows - 1; // below the title row

// The hourglass for the whole run; lifted while the operator answers a dialog.
class WaitCursor
{
public:
    WaitCursor() { resume(); }
    ~WaitCursor() { lift(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    void lift()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
        m_shown = false;
    }
    void resume()
    {
        if (!m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_shown = true;
    }

private:
    bool m_shown = false;
};

// Repainting stops while the rows are read; the grid keeps its current cell.
class FrozenGrid
{
public:
    explicit FrozenGrid(QTableView *grid)
        : m_grid(grid), m_current(grid->currentIndex()), m_updates(grid->updatesEnabled())
    {
        m_grid->setUpdatesEnabled(false);
    }
    ~FrozenGrid()
    {
        if (m_current.isValid() && m_grid->currentIndex() != m_current)
            m_grid->selectionModel()->setCurrentIndex(m_current, QItemSelectionModel::NoUpdate);
        m_grid->setUpdatesEnabled(m_updates);
    }
    FrozenGrid(const FrozenGrid &) = delete;
    FrozenGrid &operator=(const FrozenGrid &) = delete;

private:
    QTableView *m_grid;
    QPersistentModelIndex m_current;
    bool m_updates;
};

bool spreadsheetProgramInstalled()
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    const QString probe = folder.filePath(QStringLiteral("lanting.xls"));
    XlsWorkbook empty;
    if (!empty.save(probe))
        return false;
    return Opener::current().hasHandler(probe);
}

// The grid's columns as the operator sees them, left to right, without the first one ("序号").
QList<int> exportedColumns(const QTableView *grid)
{
    const QHeaderView *header = grid->horizontalHeader();
    QList<int> columns;
    for (int visual = 1; visual < header->count() && columns.size() < XlsWorkbook::MaxColumns; ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns.append(logical);
    }
    return columns;
}

QString cannotStartMessage()
{
    return QObject::tr("无法调用Excel/Excel没有安装office办公软件Excel或没有安装正确！");
}

} // namespace

bool ExportGridToExcel(QTableView *grid)
{
    QAbstractItemModel *model = grid ? grid->model() : nullptr;
    if (!model)
        return false;

    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    int rows = model->rowCount();
    if (rows > MaxDataRows) {
        if (!askYesNo(QObject::tr("需要导出的数据过大，Excel最大只能容纳65536行,是否还要继续？")))
            return false;
        rows = MaxDataRows;
    }

    WaitCursor wait;
    if (!spreadsheetProgramInstalled()) {
        wait.lift();
        showMessage(cannotStartMessage());
        return false;
    }

    wait.lift();
    QString fileName = FileChooser::saveFileName(grid, QObject::tr("另存为"), QObject::tr("Excel文件(*.xls)"));
    wait.resume();
    if (fileName.isEmpty())
        return true;
    if (!fileName.endsWith(QLatin1String(".xls"), Qt::CaseSensitive))
        fileName += QLatin1String(".xls");
    if (QFileInfo::exists(fileName)) {
        wait.lift();
        const bool overwrite = askYesNo(QObject::tr("该文件已经存在，要覆盖吗？"));
        wait.resume();
        if (!overwrite)
            return false;
    }

    XlsWorkbook book;
    {
        const QList<int> columns = exportedColumns(grid);
        for (int c = 0; c < columns.size(); ++c)
            book.setText(0, c, model->headerData(columns.at(c), Qt::Horizontal, Qt::DisplayRole).toString());
        FrozenGrid frozen(grid);
        for (int row = 0; row < rows; ++row) {
            for (int c = 0; c < columns.size(); ++c) {
                const QVariant value = model->index(row, columns.at(c)).data(Qt::DisplayRole);
                if (!value.isNull())
                    book.setCell(row + 1, c, value.toString());
            }
        }
    }

    QString error;
    if (!book.save(fileName, &error)) {
        wait.lift();
        showMessage(QObject::tr("无法保存文件%1：%2").arg(QDir::toNativeSeparators(fileName), error));
        return false;
    }
    if (!Opener::current().open(fileName)) {
        wait.lift();
        showMessage(cannotStartMessage());
    }
    return true;
}
