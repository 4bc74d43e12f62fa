#include "rooms/chargeitems.h"

#include "data/query.h"

#include <QSqlQueryModel>

namespace {
const QString ListSql = QStringLiteral("select * from zf_sfxmb order by iid ");
} // namespace

ChargeItems::ChargeItems(const QSqlDatabase &db) : m_db(db) {}

const QStringList &ChargeItems::builtInNames()
{
    static const QStringList names = {QStringLiteral("物业管理费"), QStringLiteral("电费"), QStringLiteral("水费"),
                                      QStringLiteral("房租租金")};
    return names;
}

bool ChargeItems::isBuiltIn(const QString &name)
{
    return builtInNames().contains(name);
}

QString ChargeItems::builtInMessage()
{
    return QStringLiteral("系统默认收费项目，不能删除！");
}

std::optional<ChargeItems::Problem> ChargeItems::checkRequired(const QString &name, const QString &priceText)
{
    if (name.isEmpty())
        return Problem{Field::Name, QStringLiteral("收费项目名称不能为空！")};
    if (priceText.isEmpty())
        return Problem{Field::Price, QStringLiteral("单价不能为空！")};
    return std::nullopt;
}

bool ChargeItems::openList(QSqlQueryModel *model, QString *error) const
{
    Query query(m_db, ListSql);
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        model->clear();
        return false;
    }
    model->setQuery(query.take());
    return true;
}

ChargeItems::Saved ChargeItems::save(const QString &name, double price, QString *error) const
{
    Transaction transaction(m_db);
    QString failure;
    const QVariant count = scalar(m_db, QStringLiteral("select count(*) as expr1001 from zf_sfxmb where sfmc= :sfmc "),
                                  {{QStringLiteral("sfmc"), name}}, &failure);
    if (!count.isValid()) {
        if (error)
            *error = failure;
        return Saved::Failed;
    }
    const bool exists = count.toInt() != 0;
    const bool ok =
        exists
            ? execute(m_db, QStringLiteral("update zf_sfxmb set dj= :dj  where sfmc= :sfmc "),
                      {{QStringLiteral("dj"), price}, {QStringLiteral("sfmc"), name}}, &failure)
            : execute(m_db, QStringLiteral("insert into zf_sfxmb(sfmc,sflx,dj) values(:sfmc,:sflx,:dj )"),
                      {{QStringLiteral("sfmc"), name}, {QStringLiteral("sflx"), name}, {QStringLiteral("dj"), price}},
                      &failure);
    if (!ok || !transaction.commit()) {
        if (error)
            *error = ok ? QStringLiteral("无法提交收费项目的修改") : failure;
        return Saved::Failed;
    }
    return exists ? Saved::PriceChanged : Saved::Added;
}

ChargeItems::Removed ChargeItems::remove(const QString &name, QString *error) const
{
    if (isBuiltIn(name)) {
        if (error)
            *error = builtInMessage();
        return Removed::BuiltIn;
    }
    if (!execute(m_db, QStringLiteral("delete from zf_sfxmb where sfmc= :sfmc "), {{QStringLiteral("sfmc"), name}},
                 error))
        return Removed::Failed;
    return Removed::Removed;
}
