#include "admin/programoptions.h"

#include "app/tglobal.h"
#include "data/query.h"

ProgramOptions::ProgramOptions(const QSqlDatabase &db) : m_db(db) {}

ProgramOptions::UnitPrices ProgramOptions::unitPrices(QString *error) const
{
    Query query(m_db, QStringLiteral("select * from zf_sdfdjb "));
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        return {};
    }
    if (!query.next())
        return {};
    return {query.value(QStringLiteral("dfdj")), query.value(QStringLiteral("sfdj"))};
}

bool ProgramOptions::feePerArea(const TGlobal &settings)
{
    return settings.strmj == QStringLiteral("是");
}

bool ProgramOptions::printsMeterReadings(const TGlobal &settings)
{
    return settings.strdysd == QLatin1String("1");
}

bool ProgramOptions::save(TGlobal &settings, bool perArea, bool meterReadings, QString *error) const
{
    Transaction transaction(m_db);
    if (!execute(m_db, QStringLiteral("update zf_sdfdjb set dfdj= :dfdj,sfdj= :sfdj "),
                 {{QStringLiteral("dfdj"), 0}, {QStringLiteral("sfdj"), 0}}, error))
        return false;
    const QString formerArea = settings.strmj;
    const QString formerReadings = settings.strdysd;
    settings.strmj = perArea ? QStringLiteral("是") : QStringLiteral("否");
    settings.strdysd = meterReadings ? QStringLiteral("1") : QStringLiteral("0");
    if (!settings.write()) {
        settings.strmj = formerArea;
        settings.strdysd = formerReadings;
        if (error)
            *error = QStringLiteral("无法写入配置文件%1").arg(settings.IniPath);
        return false;
    }
    if (!transaction.commit()) {
        if (error)
            *error = QStringLiteral("无法提交单价的修改");
        return false;
    }
    return true;
}
