#include "app/inifile.h"

#include <QFile>
#include <algorithm>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextCodec>

QString IniFile::decode(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    // Older installations wrote their ini files in the GBK code page.
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    if (!gbk)
        gbk = QTextCodec::codecForName("GB18030");
    return gbk ? gbk->toUnicode(data) : QString::fromLatin1(data);
}

static QString unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

bool IniFile::load(const QString &path)
{
    m_sections.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = decode(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            m_sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || m_sections.isEmpty())
            continue;
        m_sections.last().entries.append({line.left(equals).trimmed(), unquoted(line.mid(equals + 1).trimmed())});
    }
    return true;
}

const IniFile::Section *IniFile::find(const QString &name) const
{
    for (const Section &section : m_sections) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    const Section *found = find(section);
    if (!found)
        return fallback;
    for (const auto &entry : found->entries) {
        if (entry.first.compare(key, Qt::CaseInsensitive) == 0)
            return entry.second;
    }
    return fallback;
}

void IniFile::setSection(const QString &section, const Entries &entries)
{
    Entries merged = entries;
    int position = static_cast<int>(m_sections.size());
    for (int i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        for (const auto &old : m_sections[i].entries) {
            const bool replaced = std::any_of(entries.cbegin(), entries.cend(), [&](const auto &entry) {
                return entry.first.compare(old.first, Qt::CaseInsensitive) == 0;
            });
            if (!replaced)
                merged.append(old);
        }
        position = i;
        m_sections.removeAt(i);
        break;
    }
    m_sections.insert(position, {section, merged});
}

bool IniFile::save(const QString &path) const
{
    QByteArray out;
    for (const Section &section : m_sections) {
        if (!out.isEmpty())
            out += '\n';
        out += '[' + section.name.toUtf8() + "]\n";
        for (const auto &entry : section.entries)
            out += entry.first.toUtf8() + '=' + entry.second.toUtf8() + '\n';
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(out);
    return file.commit();
}
