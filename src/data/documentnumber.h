#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The settlement number zdlsh: "SF" + yymmdd + the operator's 3-character user id + a 5-digit sequence
// per room, counted over the settled documents (zf_fjsfhzb) of that prefix and room.
// Returns nothing (with the reason in error) when the query fails or the room's sequence is used up.
std::optional<QString> NextDocumentNumber(const QSqlDatabase &db, const QString &fjbh, const QDate &today,
                                          const QString &operatorUserId, QString *error = nullptr);
