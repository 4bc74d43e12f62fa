#pragma once

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariantMap>
#include <optional>

class QSqlQueryModel;

namespace rooms {

// A statement with its parameters, kept by a list window so that it can run again ("a search in force stays
// in force").
struct Statement
{
    QString sql;
    QVariantMap params;
};

// Runs the statement into a grid model and reads every row, so that the last row can be made current.
bool openStatement(QSqlQueryModel *model, const QSqlDatabase &db, const Statement &statement, QString *error);

// The fields of the add and modify windows, as typed.
struct RoomTexts
{
    QString fjbh, fjmc, fjlx, fjmj, fjzxqk, fjsb, fjyt, bjts, rzjg, yzjg, dbds, sbds, czlx, bzsm;

    bool operator==(const RoomTexts &) const = default;
};

// A room row of the register, converted for writing.
struct Room
{
    QString fjbh, fjmc, fjlx;
    double fjmj = 0;
    QString fjzxqk, fjsb, fjyt;
    int bjts = 0;
    double rzjg = 0, yzjg = 0, dbds = 0, sbds = 0;
    QString czlx, bzsm;
};

// The controls of the add and modify windows, in the order Enter walks them (the two meter readings are
// hidden and come last).
enum class RoomField {
    Number,
    Name,
    Type,
    Area,
    Decoration,
    Facilities,
    Use,
    WarningDays,
    DailyPrice,
    MonthlyPrice,
    ByMonth,
    Remark,
    ElectricityReading,
    WaterReading,
};

// Why a save stops before anything is written, and where the focus goes.
struct Refusal
{
    RoomField field;
    QString message;
};

// The six option lists of zf_fjfzszb, in the order a save learns them.
namespace lists {
inline const QString Type = QStringLiteral("房间类型");
inline const QString Decoration = QStringLiteral("装修状况");
inline const QString Facilities = QStringLiteral("房间设施");
inline const QString Use = QStringLiteral("房间用途");
inline const QString Remark = QStringLiteral("房间备注");
inline const QString Name = QStringLiteral("房间名称");
} // namespace lists

inline const QString Vacant = QStringLiteral("空闲");

// The room register: rooms of zf_fjb and the option lists that remember what was typed.
class RoomRegister
{
    Q_DECLARE_TR_FUNCTIONS(RoomRegister)
public:
    explicit RoomRegister(QSqlDatabase db);

    static Statement allRooms();
    // Rooms whose number or name begins with the text; every room for an empty text.
    static Statement search(const QString &text);

    // The add and modify windows check, in this order: the four required fields (a number or name of blanks
    // only counts as empty, since the blanks are removed before saving); then the texts are normalised and
    // put back into the boxes; then the add window tests the number for a duplicate; then the number boxes are
    // read. Nothing is written before every check has passed.
    static std::optional<Refusal> missingField(const RoomTexts &texts);
    // Empty numeric boxes become "0"; number and name lose their surrounding blanks.
    static void normalise(RoomTexts &texts);
    // A room of that number exists already; a database error comes back as the refusal's message.
    std::optional<Refusal> duplicateNumber(const QString &fjbh) const;

    // Writes a new room with its creation values, and learns its option values, in one transaction.
    bool add(const Room &room, QString *error);
    // Changes everything but the number, status, reservation status, lease dates and counters; learns the
    // option values; one transaction.
    bool update(const Room &room, QString *error);
    bool remove(const QString &fjbh, QString *error);

    // Rooms that are let or reserved stay (a reservation state other than "空闲" counts as reserved).
    static bool mayDelete(const QString &fjzt, const QString &fjydzt);
    static QString deleteRefusedMessage();
    static QString deleteQuestion(const QString &fjbh);

    // The room created last, as texts for the copy button; every text empty when there is no room.
    std::optional<RoomTexts> lastRoom(QString *error) const;

    static const QStringList &optionListCodes();
    std::optional<QStringList> optionList(const QString &code, QString *error) const;
    // Adds the (list, text) pair unless present; an empty text is learnt like any other.
    bool learnOption(const QString &code, const QString &text, QString *error);

private:
    bool learnOptions(const Room &room, QString *error);

    QSqlDatabase m_db;
};

} // namespace rooms
