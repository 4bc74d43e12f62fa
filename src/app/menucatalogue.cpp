#include "app/menucatalogue.h"

namespace {
MenuEntryDefinition entry(const char *name, const char *caption)
{
    return {QString::fromLatin1(name), QString::fromUtf8(caption)};
}
MenuEntryDefinition separator(const char *name)
{
    return {QString::fromLatin1(name), QString(), true};
}
} // namespace

const QList<MenuDefinition> &menuCatalogue()
{
    static const QList<MenuDefinition> menus = [] {
        MenuEntryDefinition backup = entry("s_sjbf", "数据备份恢复");
        backup.hidden = true;
        MenuEntryDefinition help = entry("N9", "帮助");
        help.shortcut = QStringLiteral("F1");
        return QList<MenuDefinition>{
            {QStringLiteral("m_jcsjgl"),
             QStringLiteral("基础数据管理"),
             true,
             {entry("s_fjxxgl", "房间信息管理"), entry("s_sfmcsz", "收费名称设置"), entry("s_fkxxdj", "房客信息登记"),
              separator("N12"), entry("s_qtcssz", "其它参数设置"), separator("N14"),
              entry("s_dyxxsz", "打印信息设置")}},
            {QStringLiteral("m_fjydgl"), QStringLiteral("房间预租管理"), true, {entry("s_fjyd", "房间预租管理")}},
            {QStringLiteral("m_fjsfgl"),
             QStringLiteral("房间收费管理"),
             true,
             {entry("s_czxzgl", "出租续租退租收费管理")}},
            {QStringLiteral("m_cxgl"),
             QStringLiteral("查询管理"),
             true,
             {entry("s_sfhzcx", "收费汇总查询"), entry("s_sfmxcx", "收费明细查询"), entry("s_bjxx", "到期报警信息"),
              separator("N6"), entry("s_fjczqkcx", "房间出租情况查询"), entry("s_fjczlscx", "房间出租历史记录查询"),
              separator("N8"), entry("s_sdcx", "水电收费查询")}},
            {QStringLiteral("m_xtcshgl"), QStringLiteral("系统初始化管理"), true, {entry("s_xtcsh", "系统初始化")}},
            {QStringLiteral("m_xtwh"),
             QStringLiteral("系统维护"),
             true,
             {entry("s_czygl", "操作记帐员管理"), entry("s_sqgl", "操作授权管理"), backup}},
            {QStringLiteral("m_bz"),
             QStringLiteral("帮助"),
             false,
             {help, entry("N4", "在线帮助"), separator("N1"), entry("N2", "退出")}},
        };
    }();
    return menus;
}

QString menuCaption(const QString &componentName)
{
    for (const MenuDefinition &menu : menuCatalogue()) {
        if (menu.name == componentName)
            return menu.caption;
        for (const MenuEntryDefinition &item : menu.entries) {
            if (item.name == componentName)
                return item.caption;
        }
    }
    return QString();
}
