#include "rooms/roomregister.h"

#include "data/query.h"
#include "data/textformat.h"

#include <QSqlError>
#include <QSqlQueryModel>

namespace rooms {

bool openStatement(QSqlQueryModel *model, const QSqlDatabase &db, const Statement &statement, QString *error)
{
    Query query(db, statement.sql);
    for (auto it = statement.params.cbegin(); it != statement.params.cend(); ++it)
        query.bind(it.key(), it.value());
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        model->clear();
        return false;
    }
    model->setQuery(query.take());
    while (model->canFetchMore())
        model->fetchMore();
    if (model->lastError().isValid()) {
        if (error)
            *error = model->lastError().text();
        return false;
    }
    return true;
}

RoomRegister::RoomRegister(QSqlDatabase db) : m_db(std::move(db)) {}

Statement RoomRegister::allRooms()
{
    return {QStringLiteral(" select * from zf_fjb order by iid "), {}};
}

Statement RoomRegister::search(const QString &text)
{
    const QString pattern = text + QLatin1Char('%');
    return {QStringLiteral("select * from zf_fjb where (fjbh like :fjbh or fjmc like :fjmc)") +
                QStringLiteral(" order by iid "),
            {{QStringLiteral("fjbh"), pattern}, {QStringLiteral("fjmc"), pattern}}};
}

std::optional<Refusal> RoomRegister::missingField(const RoomTexts &texts)
{
    if (texts.fjbh.trimmed().isEmpty())
        return Refusal{RoomField::Number, tr("房间编号不能为空！")};
    if (texts.fjmc.trimmed().isEmpty())
        return Refusal{RoomField::Name, tr("房间名称不能为空！")};
    if (texts.fjlx.isEmpty())
        return Refusal{RoomField::Type, tr("房间类型不能为空！")};
    if (texts.czlx.isEmpty())
        return Refusal{RoomField::ByMonth, tr("是否按月出租不能为空！")};
    return std::nullopt;
}

void RoomRegister::normalise(RoomTexts &texts)
{
    for (QString *number : {&texts.fjmj, &texts.bjts, &texts.rzjg, &texts.yzjg, &texts.dbds, &texts.sbds}) {
        if (number->isEmpty())
            *number = QStringLiteral("0");
    }
    texts.fjbh = texts.fjbh.trimmed();
    texts.fjmc = texts.fjmc.trimmed();
}

std::optional<Refusal> RoomRegister::duplicateNumber(const QString &fjbh) const
{
    Query query(m_db, QStringLiteral("select count(*) as expr1001 from zf_fjb where fjbh= :fjbh "));
    query.bind(QStringLiteral("fjbh"), fjbh);
    if (!query.exec() || !query.next())
        return Refusal{RoomField::Number, query.errorText()};
    if (query.number(QStringLiteral("expr1001")) != 0)
        return Refusal{RoomField::Number, tr("系统已存在相同的房间编号，不能保存！")};
    return std::nullopt;
}

namespace {
// An empty box is stored as an empty text, never as null, so that it reads back and compares like any other.
QString stored(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

void bindRoomValues(Query &query, const Room &room)
{
    query.bind(QStringLiteral("fjbh"), stored(room.fjbh))
        .bind(QStringLiteral("fjmc"), stored(room.fjmc))
        .bind(QStringLiteral("fjlx"), stored(room.fjlx))
        .bind(QStringLiteral("fjmj"), room.fjmj)
        .bind(QStringLiteral("fjzxqk"), stored(room.fjzxqk))
        .bind(QStringLiteral("fjsb"), stored(room.fjsb))
        .bind(QStringLiteral("fjyt"), stored(room.fjyt))
        .bind(QStringLiteral("bjts"), room.bjts)
        .bind(QStringLiteral("rzjg"), room.rzjg)
        .bind(QStringLiteral("yzjg"), room.yzjg)
        .bind(QStringLiteral("dbds"), room.dbds)
        .bind(QStringLiteral("sbds"), room.sbds)
        .bind(QStringLiteral("czlx"), stored(room.czlx))
        .bind(QStringLiteral("bzsm"), stored(room.bzsm));
}

bool run(Query &query, QString *error)
{
    if (query.exec())
        return true;
    if (error)
        *error = query.errorText();
    return false;
}
} // namespace

bool RoomRegister::add(const Room &room, QString *error)
{
    Transaction transaction(m_db);
    Query insert(m_db,
                 QStringLiteral("insert into zf_fjb(fjbh,fjmc,fjlx,fjmj,fjzxqk,fjsb,fjyt,bjts,rzjg,yzjg,dbds,sbds,"
                                "czlx,fjzt,bzsm,ksrq,dqrq,yfsl,sffj,zqts,fjydzt )") +
                     QStringLiteral(" values(:fjbh,:fjmc,:fjlx,:fjmj,:fjzxqk,:fjsb,:fjyt,:bjts,:rzjg,:yzjg,:dbds,"
                                    ":sbds,:czlx,:fjzt,:bzsm,:ksrq,:dqrq,:yfsl,:sffj,:zqts,:fjydzt )"));
    bindRoomValues(insert, room);
    const QVariant noDate(QMetaType(QMetaType::QDate));
    insert.bind(QStringLiteral("fjzt"), Vacant)
        .bind(QStringLiteral("ksrq"), noDate)
        .bind(QStringLiteral("dqrq"), noDate)
        .bind(QStringLiteral("yfsl"), 0)
        .bind(QStringLiteral("sffj"), QStringLiteral("是"))
        .bind(QStringLiteral("zqts"), 0)
        .bind(QStringLiteral("fjydzt"), Vacant);
    if (!run(insert, error) || !learnOptions(room, error))
        return false;
    if (!transaction.commit()) {
        if (error)
            *error = m_db.lastError().text();
        return false;
    }
    return true;
}

bool RoomRegister::update(const Room &room, QString *error)
{
    Transaction transaction(m_db);
    Query update(m_db, QStringLiteral("update zf_fjb set fjmc= :fjmc,fjlx= :fjlx,fjmj= :fjmj,fjzxqk= :fjzxqk,"
                                      "fjsb= :fjsb,fjyt= :fjyt,bjts= :bjts,rzjg= :rzjg,yzjg= :yzjg,dbds= :dbds,"
                                      "sbds= :sbds,czlx= :czlx,bzsm= :bzsm ") +
                           QStringLiteral(" where fjbh= :fjbh "));
    bindRoomValues(update, room);
    if (!run(update, error) || !learnOptions(room, error))
        return false;
    if (!transaction.commit()) {
        if (error)
            *error = m_db.lastError().text();
        return false;
    }
    return true;
}

bool RoomRegister::remove(const QString &fjbh, QString *error)
{
    return execute(m_db, QStringLiteral("delete from zf_fjb where fjbh= :fjbh "), {{QStringLiteral("fjbh"), fjbh}},
                   error);
}

bool RoomRegister::mayDelete(const QString &fjzt, const QString &fjydzt)
{
    return fjzt == Vacant && fjydzt == Vacant;
}

QString RoomRegister::deleteRefusedMessage()
{
    return tr("此房间正在出租或预租不能删除！");
}

QString RoomRegister::deleteQuestion(const QString &fjbh)
{
    return tr("您确定要删除房间号为：") + fjbh + tr(" 的房间吗？");
}

std::optional<RoomTexts> RoomRegister::lastRoom(QString *error) const
{
    // The newest room is the one with the highest iid, which the list's order by iid puts last.
    Query query(m_db, QStringLiteral("select * from zf_fjb order by iid desc"));
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        return std::nullopt;
    }
    RoomTexts texts;
    if (!query.next())
        return texts;
    auto numberText = [&query](const char *column) { return textformat::amount(query.value(QLatin1String(column))); };
    texts.fjbh = query.text(QStringLiteral("fjbh"));
    texts.fjmc = query.text(QStringLiteral("fjmc"));
    texts.fjlx = query.text(QStringLiteral("fjlx"));
    texts.fjmj = numberText("fjmj");
    texts.fjzxqk = query.text(QStringLiteral("fjzxqk"));
    texts.fjsb = query.text(QStringLiteral("fjsb"));
    texts.fjyt = query.text(QStringLiteral("fjyt"));
    texts.bjts = query.text(QStringLiteral("bjts"));
    texts.rzjg = numberText("rzjg");
    texts.yzjg = numberText("yzjg");
    texts.dbds = numberText("dbds");
    texts.sbds = numberText("sbds");
    texts.czlx = query.text(QStringLiteral("czlx"));
    texts.bzsm = query.text(QStringLiteral("bzsm"));
    return texts;
}

const QStringList &RoomRegister::optionListCodes()
{
    static const QStringList codes = {lists::Type, lists::Decoration, lists::Facilities,
                                      lists::Use,  lists::Remark,     lists::Name};
    return codes;
}

std::optional<QStringList> RoomRegister::optionList(const QString &code, QString *error) const
{
    Query query(m_db, QStringLiteral("select * from zf_fjfzszb where fzbz= :fzbz "));
    query.bind(QStringLiteral("fzbz"), code);
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        return std::nullopt;
    }
    QStringList entries;
    while (query.next())
        entries << query.text(QStringLiteral("fznr"));
    return entries;
}

bool RoomRegister::learnOption(const QString &code, const QString &text, QString *error)
{
    const QVariantMap params{{QStringLiteral("fzbz"), code}, {QStringLiteral("fznr"), stored(text)}};
    Query count(m_db, QStringLiteral("select count(*) as expr1001 from zf_fjfzszb where fzbz= :fzbz and fznr= :fznr "));
    count.bind(QStringLiteral("fzbz"), code).bind(QStringLiteral("fznr"), stored(text));
    if (!count.exec() || !count.next()) {
        if (error)
            *error = count.errorText();
        return false;
    }
    if (count.number(QStringLiteral("expr1001")) != 0)
        return true;
    return execute(m_db, QStringLiteral("insert into zf_fjfzszb(fzbz,fznr) values(:fzbz,:fznr)"), params, error);
}

bool RoomRegister::learnOptions(const Room &room, QString *error)
{
    const QStringList values = {room.fjlx, room.fjzxqk, room.fjsb, room.fjyt, room.bzsm, room.fjmc};
    const QStringList &codes = optionListCodes();
    for (int i = 0; i < codes.size(); ++i) {
        if (!learnOption(codes.at(i), values.at(i), error))
            return false;
    }
    return true;
}

} // namespace rooms
