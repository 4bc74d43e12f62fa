#pragma once

#include <QTemporaryDir>

// A program folder of its own (LANTING_HOME) with a local database, for the length of a test.
class TestHome
{
public:
    explicit TestHome(bool withLocalDatabase = true);
    ~TestHome();
    QString path() const { return m_dir.path(); }
    QString localDatabase() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};
