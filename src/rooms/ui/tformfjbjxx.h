#pragma once

#include <QWidget>

class DataGrid;
class QPushButton;
class TFormmain;

// "房间到期预警/报警信息": the rooms whose warning date has come, a maximised child window of the frame that
// the expiry checks open (expiryactions.h); it leaves the other windows open.
class TFormfjbjxx : public QWidget
{
    Q_OBJECT
public:
    explicit TFormfjbjxx(QWidget *parent = nullptr);

    // Lays the grid out again after a check re-opened the warning result.
    void refresh();
    // "导出Excel": only when the result holds rooms.
    void exportGrid();

    DataGrid *grid() const { return m_grid; }
    QPushButton *exportButton() const { return m_export; }

    // The open warning window of the frame, or nullptr.
    static TFormfjbjxx *openIn(const TFormmain &frame);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    DataGrid *m_grid = nullptr;
    QPushButton *m_export = nullptr;
};
