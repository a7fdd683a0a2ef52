#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

namespace mirevo {

// In-process named notifications: a poster and its observers need not know each other.
// Delivery is synchronous, on the thread that posts (the main thread in this program).
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    static NotificationCenter& defaultCenter();

    void post(const QString& name, const QVariant& object = {});

    // Calls `handler` for every notification named `name` until `context` is destroyed or
    // the returned connection is disconnected.
    QMetaObject::Connection observe(const QString& name, const QObject* context,
                                    std::function<void(const QVariant& object)> handler);

signals:
    void posted(const QString& name, const QVariant& object);
};

} // namespace mirevo
