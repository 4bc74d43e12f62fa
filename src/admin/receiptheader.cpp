#include "admin/receiptheader.h"

#include "data/query.h"

ReceiptHeader ReceiptHeader::read(const QSqlDatabase &db, QString *error)
{
    ReceiptHeader header;
    Query query(db, QStringLiteral("select * from zf_dyszb "));
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        return header;
    }
    if (!query.next())
        return header;
    header.gsmc = query.text(QStringLiteral("gsmc"));
    header.gsdh = query.text(QStringLiteral("gsdh"));
    header.gsdz = query.text(QStringLiteral("gsdz"));
    header.gsqt = query.text(QStringLiteral("gsqt"));
    header.marginSet = !query.isNull(QStringLiteral("zleft"));
    header.zleft = header.marginSet ? query.number(QStringLiteral("zleft")) : DefaultMargin;
    return header;
}

bool ReceiptHeader::save(const QSqlDatabase &db, QString *error) const
{
    const QVariantMap values = {{QStringLiteral("gsmc"), gsmc},
                                {QStringLiteral("gsdh"), gsdh},
                                {QStringLiteral("gsdz"), gsdz},
                                {QStringLiteral("gsqt"), gsqt},
                                {QStringLiteral("zleft"), zleft}};
    Transaction transaction(db);
    Query update(db, QStringLiteral("update zf_dyszb set gsmc= :gsmc,gsdh= :gsdh,gsdz= :gsdz,gsqt= :gsqt,"
                                    "zleft= :zleft "));
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        update.bind(it.key(), it.value());
    if (!update.exec()) {
        if (error)
            *error = update.errorText();
        return false;
    }
    // A database without the row would otherwise keep nothing of what was saved.
    if (update.raw().numRowsAffected() == 0 &&
        !execute(db,
                 QStringLiteral("insert into zf_dyszb(gsmc,gsdh,gsdz,gsqt,zleft) "
                                "values(:gsmc,:gsdh,:gsdz,:gsqt,:zleft)"),
                 values, error))
        return false;
    if (!transaction.commit()) {
        if (error)
            *error = QStringLiteral("无法提交打印设置的修改");
        return false;
    }
    return true;
}
