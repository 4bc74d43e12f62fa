#pragma once

#include <QString>

// The ini-backed settings of the program. Field names are the ini keys.
class TGlobal
{
public:
    // programFile: the program's own path; the ini file sits beside it, named after it with ".ini".
    explicit TGlobal(const QString &programFile);
    ~TGlobal(); // writes the ini file
    TGlobal(const TGlobal &) = delete;
    TGlobal &operator=(const TGlobal &) = delete;

    static QString iniPathFor(const QString &programFile);
    // The settings object of the running program, or nullptr before it exists.
    static TGlobal *instance();

    void read();
    bool write() const;

    QString IniPath;
    QString strfd = QStringLiteral("01");
    QString str_pass = QStringLiteral("580947");
    QString str_server = QStringLiteral("127.0.0.1");
    QString strmj = QStringLiteral("是");
    QString strdysd = QStringLiteral("0");
    // Never set by the program; written back empty.
    QString server_name, strzdjf, strlab1, strlab2, strlab3, strlab4, strlab5, strjfz, stryjezjf;
};
