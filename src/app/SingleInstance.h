#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One window per user and store: a second start hands over to the running window, which
// comes to the front, instead of opening another window on the same store.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `name` tells instances apart: those started on one store share it.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);

    // The name for a store file: the same for every start on it by this user.
    static QString nameForStore(const QString& storeFilePath);

    // Asks a running instance to come to the front; false when none answers.
    bool handToRunningInstance() const;
    // Becomes the instance that later starts hand over to; false when that cannot be set up
    // (the window still opens, only without this).
    bool listen();

Q_SIGNALS:
    // A later start asked this instance's window to come to the front.
    void activationRequested();

private:
    QString m_name;
    QLocalServer m_server;
};
