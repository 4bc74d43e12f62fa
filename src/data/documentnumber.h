#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The settlement number zdlsh: "SF" + yymmdd + the operator's 3-character user id + a 5-digit sequence
// per room, counted over the settled documents (zf_fjsfhzb) of that prefix and room.
// Returns nothing (with the reason in error) when the query fails, when the last number's sequence is not five
// digits, when the room's sequence is used up (99999 documents of one operator on one day: no number rather
// than a 17-character one) or when the user id is not 3 characters long.
std::optional<QString> NextDocumentNumber(const QSqlDatabase &db, const QString &fjbh, const QDate &today,
                                          const QString &operatorUserId, QString *error = nullptr);
