#include "platform/sources/Fcitx5TrayItem.h"

#include "platform/sources/DBusCalls.h"

#include <QDBusMessage>
#include <QDBusVariant>

#include <optional>

namespace mirevo {
namespace {

const QString kFcitx5 = QStringLiteral("org.fcitx.Fcitx5");
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItem = QStringLiteral("org.kde.StatusNotifierItem");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");

// A uint answer, or nothing for any other shape.
std::optional<uint> uintAnswer(const QDBusMessage& reply)
{
    const QVariant value = reply.arguments().value(0);
    if (value.metaType() != QMetaType::fromType<uint>())
        return std::nullopt;
    return value.toUInt();
}

} // namespace

Fcitx5TrayItem::Fcitx5TrayItem(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    m_names.setConnection(m_bus);
    m_names.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_names.setWatchedServices({kFcitx5, kWatcher});
    connect(&m_names, &QDBusServiceWatcher::serviceOwnerChanged, this, &Fcitx5TrayItem::lookUp);
    // Any sender: naming a service would make QtDBus wait for the bus to name its owner.
    for (const char* member : {"StatusNotifierItemRegistered", "StatusNotifierItemUnregistered"}) {
        m_bus.connect(QString(), kWatcherPath, kWatcher, QString::fromLatin1(member), this,
                      SLOT(lookUp()));
    }
    m_bus.connect(QString(), kItemPath, kItem, QStringLiteral("NewIcon"), this,
                  SLOT(onNewIcon(QDBusMessage)));
    lookUp();
}

void Fcitx5TrayItem::onNewIcon(const QDBusMessage& message)
{
    // Every tray item of the session sends this; only fcitx5's tells of a switch.
    if (m_owner.isEmpty() || message.service() != m_owner)
        return;
    readIcon();
    emit iconChanged();
}

void Fcitx5TrayItem::readIcon()
{
    if (m_owner.isEmpty() || !m_iconRead.begin())
        return;
    callAsync(m_bus, propertyGetCall(m_owner, kItemPath, kItem, QStringLiteral("IconName")), this,
              [this, owner = m_owner](const QDBusMessage& reply) {
                  // An answer from an item since replaced, or in another shape, says nothing.
                  const QVariant value =
                      qvariant_cast<QDBusVariant>(reply.arguments().value(0)).variant();
                  if (owner == m_owner && reply.type() == QDBusMessage::ReplyMessage &&
                      value.metaType() == QMetaType::fromType<QString>())
                      m_iconName = value.toString();
                  // Without an item there is nothing to read again.
                  if (m_iconRead.end() && !m_owner.isEmpty()) {
                      readIcon();
                      return;
                  }
                  emit iconRead();
              });
}

// fcitx5's process, then the watcher's items, then each item's process: the item whose
// connection is fcitx5's process's is fcitx5's.
void Fcitx5TrayItem::lookUp()
{
    ++m_generation;
    m_pendingReplies = 0;
    m_candidate.clear();
    ask(busDriverCall(QStringLiteral("GetConnectionUnixProcessID"), {kFcitx5}),
        [this](const QDBusMessage& reply) {
            if (const std::optional<uint> pid = uintAnswer(reply))
                lookUpItems(*pid);
        });
}

void Fcitx5TrayItem::lookUpItems(uint daemonPid)
{
    const QDBusMessage get = propertyGetCall(kWatcher, kWatcherPath, kWatcher,
                                             QStringLiteral("RegisteredStatusNotifierItems"));
    ask(get, [this, daemonPid](const QDBusMessage& reply) {
        // "service" or "service/path"; a malformed list reads as no items.
        const QStringList items =
            qvariant_cast<QDBusVariant>(reply.arguments().value(0)).variant().toStringList();
        for (const QString& item : items) {
            const QString service = item.section(QLatin1Char('/'), 0, 0);
            if (service.isEmpty())
                continue;
            ask(busDriverCall(QStringLiteral("GetConnectionUnixProcessID"), {service}),
                [this, daemonPid, service](const QDBusMessage& reply) {
                    if (uintAnswer(reply) != daemonPid)
                        return;
                    if (service.startsWith(QLatin1Char(':'))) {
                        m_candidate = service;
                        return;
                    }
                    ask(busDriverCall(QStringLiteral("GetNameOwner"), {service}),
                        [this](const QDBusMessage& reply) {
                            m_candidate = reply.arguments().value(0).toString();
                        });
                });
        }
    });
}

void Fcitx5TrayItem::ask(const QDBusMessage& call,
                         std::function<void(const QDBusMessage& reply)> then)
{
    ++m_pendingReplies;
    callAsync(m_bus, call, this,
              [this, generation = m_generation, then = std::move(then)](const QDBusMessage& reply) {
                  // A newer lookup replaced this one.
                  if (generation != m_generation)
                      return;
                  if (reply.type() == QDBusMessage::ReplyMessage)
                      then(reply);
                  if (--m_pendingReplies == 0) {
                      const bool ownerChanged = m_owner != m_candidate;
                      m_owner = m_candidate;
                      if (ownerChanged) {
                          m_iconName.clear();
                          if (!m_owner.isEmpty())
                              readIcon();
                      }
                      emit settled();
                  }
              });
}

} // namespace mirevo
