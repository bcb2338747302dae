#pragma once

#include <memory>

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace corpgather {

// One running program per user. The first start holds a lock file and listens on a local
// socket of a fixed name; a later start finds the lock taken, tells the first through the
// socket and ends without a window.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    // "CorpGather-" and the user's id: the same name for every start by this user.
    static QString DefaultName();

    explicit SingleInstance(const QString& name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first start, now holding the lock and listening; false when
    // another start runs (it has been told to come to the front, unless it did not answer in
    // time).
    bool claim();

signals:
    // Another start asked this one to come to the front.
    void activationRequested();

private:
    bool notifyFirst();
    void acceptConnections();

    const QString name_;
    QLockFile lock_;
    QLocalServer server_;
};

}  // namespace corpgather
