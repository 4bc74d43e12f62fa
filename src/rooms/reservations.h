#pragma once

#include "rooms/roomregister.h"

#include <QDate>

namespace rooms {

// The entry fields of the reservation window, as typed.
struct ReservationTexts
{
    QString fjbh, fjmc, ksrq, jsrq, yj, tell, bz;
};

enum class ReservationField { Number, Name, Start, End, Deposit, Phone, Remark };

struct ReservationRefusal
{
    ReservationField field;
    QString message;
};

// A reservation row of zf_ydb, converted for writing.
struct Reservation
{
    QString fjbh, fjmc;
    QDate ksrq, jsrq;
    double yj = 0;
    QString tell, bz;
    QDate djrq;
    QString czy;
};

inline const QString Reserved = QStringLiteral("预定");

// Reservations of zf_ydb and the reservation mark fjydzt of their rooms.
class Reservations
{
    Q_DECLARE_TR_FUNCTIONS(Reservations)
public:
    explicit Reservations(QSqlDatabase db);

    static Statement all();
    // The rooms to reserve: those whose number begins with the text, or every room.
    static Statement roomsBeginningWith(const QString &text);
    static Statement allRooms();
    static QString noRoomFoundMessage();
    static QString deleteQuestion();

    // The checks of "保存" before the deposit is read, in their order: room number, start date, end date, the
    // dates, the end not before the start, the phone; then (after an empty deposit became "0") a reservation
    // already held for the number, and a number that names no room. On success the dates are filled in.
    // A database error comes back as the refusal's message. Nothing is written.
    std::optional<ReservationRefusal> check(ReservationTexts &texts, Reservation *reservation) const;

    // Writes the reservation and marks its room "预定", in one transaction.
    bool add(const Reservation &reservation, QString *error);
    // Deletes the reservation row and returns its room's mark to "空闲", in one transaction.
    bool remove(int iid, const QString &fjbh, QString *error);

private:
    QSqlDatabase m_db;
};

} // namespace rooms
