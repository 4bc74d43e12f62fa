#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// A small ini reader and writer in the manner of the Windows profile functions: section and key names
// match without regard to case, text that is not valid UTF-8 is read as GBK, and writing one section
// leaves the other sections of the file as they were.
class IniFile
{
public:
    using Entries = QList<QPair<QString, QString>>;

    static QString decode(const QByteArray &bytes);
    bool load(const QString &path);
    QString value(const QString &section, const QString &key, const QString &fallback) const;
    // Replaces the section (written under the given spelling) with the entries, in their order. Keys of
    // the section that are not among the entries are kept after them.
    void setSection(const QString &section, const Entries &entries);
    bool save(const QString &path) const;

private:
    struct Section
    {
        QString name;
        Entries entries;
    };
    const Section *find(const QString &name) const;
    QList<Section> m_sections;
};
