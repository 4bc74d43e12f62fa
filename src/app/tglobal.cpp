#include "app/tglobal.h"

#include "app/inifile.h"

#include <QDir>
#include <QFileInfo>

namespace {
TGlobal *s_instance = nullptr;
const QString ReadSection = QStringLiteral("judge");
const QString WriteSection = QStringLiteral("Judge");
} // namespace

TGlobal::TGlobal(const QString &programFile) : IniPath(iniPathFor(programFile))
{
    read();
    if (!s_instance)
        s_instance = this;
}

TGlobal::~TGlobal()
{
    write();
    if (s_instance == this)
        s_instance = nullptr;
}

TGlobal *TGlobal::instance()
{
    return s_instance;
}

QString TGlobal::iniPathFor(const QString &programFile)
{
    // X.exe uses X.ini; a program file without an extension (as on Linux) simply gains ".ini".
    const QFileInfo info(programFile);
    return info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral(".ini"));
}

void TGlobal::read()
{
    IniFile ini;
    ini.load(IniPath);
    strfd = ini.value(ReadSection, QStringLiteral("strfd"), QStringLiteral("01"));
    str_pass = ini.value(ReadSection, QStringLiteral("str_pass"), QStringLiteral("580947"));
    str_server = ini.value(ReadSection, QStringLiteral("str_server"), QStringLiteral("127.0.0.1"));
    strmj = ini.value(ReadSection, QStringLiteral("strmj"), QStringLiteral("是"));
    strdysd = ini.value(ReadSection, QStringLiteral("strdysd"), QStringLiteral("0"));
}

bool TGlobal::write() const
{
    IniFile ini;
    ini.load(IniPath);
    ini.setSection(WriteSection, {
                                     {QStringLiteral("server_name"), server_name},
                                     {QStringLiteral("strfd"), strfd},
                                     {QStringLiteral("strzdjf"), strzdjf},
                                     {QStringLiteral("strlab1"), strlab1},
                                     {QStringLiteral("strlab2"), strlab2},
                                     {QStringLiteral("strlab3"), strlab3},
                                     {QStringLiteral("strlab4"), strlab4},
                                     {QStringLiteral("strlab5"), strlab5},
                                     {QStringLiteral("strjfz"), strjfz},
                                     {QStringLiteral("stryjezjf"), stryjezjf},
                                     {QStringLiteral("str_pass"), str_pass},
                                     {QStringLiteral("str_server"), str_server},
                                     {QStringLiteral("strmj"), strmj},
                                     {QStringLiteral("strdysd"), strdysd},
                                 });
    return ini.save(IniPath);
}
