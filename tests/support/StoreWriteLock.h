#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

// Another writer holding the store file's write lock while it lives, so saves fail.
class StoreWriteLock
{
public:
    explicit StoreWriteLock(const QString& storePath)
        : m_name(QUuid::createUuid().toString())
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(storePath);
        m_locked = database.open() && QSqlQuery(database).exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~StoreWriteLock()
    {
        {
            QSqlDatabase database = QSqlDatabase::database(m_name);
            QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
            database.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    StoreWriteLock(const StoreWriteLock&) = delete;
    StoreWriteLock& operator=(const StoreWriteLock&) = delete;

    bool isLocked() const { return m_locked; }

private:
    QString m_name;
    bool m_locked = false;
};
