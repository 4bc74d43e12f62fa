#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

class TGlobal;

// The two program options of the ini file that the parameters window switches, and the water and
// electricity unit prices of zf_sdfdjb kept beside them.
class ProgramOptions
{
public:
    explicit ProgramOptions(const QSqlDatabase &db);

    struct UnitPrices
    {
        QVariant electricity; // dfdj
        QVariant water;       // sfdj
    };
    UnitPrices unitPrices(QString *error = nullptr) const;

    // strmj "是": the property management fee is charged per square metre of room area.
    static bool feePerArea(const TGlobal &settings);
    // strdysd "1": receipts print the water and electricity meter readings.
    static bool printsMeterReadings(const TGlobal &settings);

    // Resets both unit prices to 0, sets both options and writes the ini file at once. On a failure
    // the options keep their former values.
    bool save(TGlobal &settings, bool perArea, bool meterReadings, QString *error = nullptr) const;

private:
    QSqlDatabase m_db;
};
