#include "rooms/reservations.h"

#include "data/query.h"
#include "data/textformat.h"

#include <QSqlError>

namespace rooms {

Reservations::Reservations(QSqlDatabase db) : m_db(std::move(db)) {}

Statement Reservations::all()
{
    return {QStringLiteral("select * from zf_ydb order by iid"), {}};
}

Statement Reservations::roomsBeginningWith(const QString &text)
{
    return {QStringLiteral("select * from zf_fjb where fjbh like :fjbh  order by iid "),
            {{QStringLiteral("fjbh"), QString(text + QLatin1Char('%'))}}};
}

Statement Reservations::allRooms()
{
    return {QStringLiteral("select * from zf_fjb  order by iid "), {}};
}

QString Reservations::noRoomFoundMessage()
{
    return tr("没有您需要查询的数据！");
}

QString Reservations::deleteQuestion()
{
    return tr("您确定要删除您选择的这条记录吗？");
}

std::optional<ReservationRefusal> Reservations::check(ReservationTexts &texts, Reservation *reservation) const
{
    if (texts.fjbh.isEmpty())
        return ReservationRefusal{ReservationField::Number, tr("房间编号不能为空！")};
    if (texts.ksrq.isEmpty())
        return ReservationRefusal{ReservationField::Start, tr("租期开始日期不能为空！")};
    if (texts.jsrq.isEmpty())
        return ReservationRefusal{ReservationField::End, tr("租期结束日期不能为空！")};
    const std::optional<QDate> start = textformat::parseDate(texts.ksrq);
    if (!start)
        return ReservationRefusal{ReservationField::Start, tr("日期格式不对！")};
    const std::optional<QDate> end = textformat::parseDate(texts.jsrq);
    if (!end)
        return ReservationRefusal{ReservationField::End, tr("日期格式不对！")};
    // A period that ends before it starts would pre-fill the rent-out with a lease of negative length.
    if (*end < *start)
        return ReservationRefusal{ReservationField::End, tr("租期结束日期不能早于租期开始日期！")};
    if (texts.tell.isEmpty())
        return ReservationRefusal{ReservationField::Phone, tr("联系电话不能为空！")};
    if (texts.yj.isEmpty())
        texts.yj = QStringLiteral("0");

    QString error;
    const QVariant held = scalar(m_db, QStringLiteral("select count(*) as expr1001  from zf_ydb where  fjbh= :fjbh "),
                                 {{QStringLiteral("fjbh"), texts.fjbh}}, &error);
    if (!held.isValid())
        return ReservationRefusal{ReservationField::Number, error};
    if (held.toInt() != 0)
        return ReservationRefusal{ReservationField::Number, tr("此房间存在预定记录,不能保存！")};
    // A number that names no room would be stored without a name and mark no room.
    const QVariant rooms = scalar(m_db, QStringLiteral("select count(*) as expr1001 from zf_fjb where fjbh= :fjbh "),
                                  {{QStringLiteral("fjbh"), texts.fjbh}}, &error);
    if (!rooms.isValid())
        return ReservationRefusal{ReservationField::Number, error};
    if (rooms.toInt() == 0)
        return ReservationRefusal{ReservationField::Number,
                                  tr("系统中没有房间编号为：") + texts.fjbh + tr(" 的房间，不能保存！")};

    if (reservation) {
        reservation->fjbh = texts.fjbh;
        reservation->fjmc = texts.fjmc;
        reservation->ksrq = *start;
        reservation->jsrq = *end;
        reservation->tell = texts.tell;
        reservation->bz = texts.bz;
    }
    return std::nullopt;
}

namespace {
QString stored(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}
} // namespace

bool Reservations::add(const Reservation &reservation, QString *error)
{
    Transaction transaction(m_db);
    const QVariantMap row{{QStringLiteral("fjbh"), stored(reservation.fjbh)},
                          {QStringLiteral("fjmc"), stored(reservation.fjmc)},
                          {QStringLiteral("ksrq"), reservation.ksrq},
                          {QStringLiteral("jsrq"), reservation.jsrq},
                          {QStringLiteral("yj"), reservation.yj},
                          {QStringLiteral("djrq"), reservation.djrq},
                          {QStringLiteral("czy"), stored(reservation.czy)},
                          {QStringLiteral("tell"), stored(reservation.tell)},
                          {QStringLiteral("bz"), stored(reservation.bz)}};
    if (!execute(m_db,
                 QStringLiteral("insert into zf_ydb(fjbh,fjmc,ksrq,jsrq,yj,djrq,czy,tell,bz)") +
                     QStringLiteral(" values(:fjbh,:fjmc,:ksrq,:jsrq,:yj,:djrq,:czy,:tell,:bz )"),
                 row, error))
        return false;
    if (!execute(m_db, QStringLiteral("update zf_fjb set fjydzt= :fjydzt where fjbh= :fjbh "),
                 {{QStringLiteral("fjydzt"), Reserved}, {QStringLiteral("fjbh"), reservation.fjbh}}, error))
        return false;
    if (!transaction.commit()) {
        if (error)
            *error = m_db.lastError().text();
        return false;
    }
    return true;
}

bool Reservations::remove(int iid, const QString &fjbh, QString *error)
{
    Transaction transaction(m_db);
    if (!execute(m_db, QStringLiteral("update zf_fjb set fjydzt= :fjydzt where fjbh= :fjbh "),
                 {{QStringLiteral("fjydzt"), Vacant}, {QStringLiteral("fjbh"), fjbh}}, error))
        return false;
    if (!execute(m_db, QStringLiteral("delete from zf_ydb where iid= :iid "), {{QStringLiteral("iid"), iid}}, error))
        return false;
    if (!transaction.commit()) {
        if (error)
            *error = m_db.lastError().text();
        return false;
    }
    return true;
}

} // namespace rooms
