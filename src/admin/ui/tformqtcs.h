#pragma once

#include <QWidget>

class DataGrid;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;

// "其它参数设置": the option lists of the room windows, and the two program options of the ini file.
class TFormqtcs : public QWidget
{
    Q_OBJECT
public:
    explicit TFormqtcs(QWidget *parent = nullptr);

    // "保存" beside the list: adds the entry unless its text is listed already.
    void saveEntry();
    // "删除": the selected entry after the operator's yes.
    void deleteEntry();
    // "保存" of the group "水电费单价设置": both options, written to the ini file at once.
    bool saveOptions();

    QComboBox *titleBox() const { return m_title; }
    QLineEdit *contentBox() const { return m_content; }
    DataGrid *grid() const { return m_grid; }
    QCheckBox *perAreaBox() const { return m_perArea; }
    QCheckBox *readingsBox() const { return m_readings; }
    QLineEdit *electricityPriceBox() const { return m_electricity; }
    QLineEdit *waterPriceBox() const { return m_water; }
    QPushButton *entrySaveButton() const { return m_saveEntry; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *returnButton() const { return m_return; }
    QPushButton *optionsSaveButton() const { return m_saveOptions; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void fillTitles();
    void reopen();
    void readOptions();
    QSqlQueryModel *model() const;

    QComboBox *m_title = nullptr;
    QLineEdit *m_content = nullptr;
    DataGrid *m_grid = nullptr;
    QCheckBox *m_perArea = nullptr;
    QCheckBox *m_readings = nullptr;
    QLineEdit *m_electricity = nullptr;
    QLineEdit *m_water = nullptr;
    QPushButton *m_saveEntry = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_return = nullptr;
    QPushButton *m_saveOptions = nullptr;
};
