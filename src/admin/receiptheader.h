#pragma once

#include <QSqlDatabase>
#include <QString>

// The receipt header of zf_dyszb: company name, telephone, address, other notes and the left margin of
// the printed receipt. The table holds one row.
struct ReceiptHeader
{
    static constexpr int DefaultMargin = 2;

    QString gsmc; // 公司名称
    QString gsdh; // 公司电话
    QString gsdz; // 公司地址
    QString gsqt; // 其它说明
    int zleft = DefaultMargin;
    bool marginSet = true; // false when the stored margin is empty

    // The stored header; an empty table gives the defaults.
    static ReceiptHeader read(const QSqlDatabase &db, QString *error = nullptr);
    // Writes the one row, creating it when the table has none.
    bool save(const QSqlDatabase &db, QString *error = nullptr) const;
};
