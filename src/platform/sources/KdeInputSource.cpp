#include "platform/sources/KdeInputSource.h"

#include "platform/sources/DBusCalls.h"
#include "platform/sources/SourceIdComposition.h"

namespace mirevo {
namespace {

const QString kService = QStringLiteral("org.kde.keyboard");
const QString kPath = QStringLiteral("/Layouts");
const QString kInterface = QStringLiteral("org.kde.KeyboardLayouts");

} // namespace

KdeInputSource::KdeInputSource(QObject* parent)
    : InputSource(parent), m_bus(QDBusConnection::sessionBus())
{
    if (!m_bus.isConnected()) {
        m_haveIndex = m_haveLayouts = true;
        return;
    }
    // Any sender: naming the service would make QtDBus wait for the bus to name its owner.
    m_bus.connect(QString(), kPath, kInterface, QStringLiteral("layoutChanged"), this,
                  SLOT(onLayoutChanged(uint)));
    m_bus.connect(QString(), kPath, kInterface, QStringLiteral("layoutListChanged"), this,
                  SLOT(onLayoutListChanged()));
    m_watcher.setConnection(m_bus);
    m_watcher.addWatchedService(kService);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &KdeInputSource::onLayoutListChanged);
    onLayoutListChanged();
}

void KdeInputSource::onLayoutChanged(uint index)
{
    m_index = index;
    update();
}

void KdeInputSource::onLayoutListChanged()
{
    requestLayouts();
    requestIndex();
}

void KdeInputSource::requestIndex()
{
    callAsync(m_bus, daemonCall(kService, kPath, kInterface, QStringLiteral("getLayout")), this,
              [this](const QDBusMessage& reply) {
                  m_haveIndex = true;
                  const QVariant value = reply.arguments().value(0);
                  // A vanished daemon and a malformed reply both mean no layout.
                  m_index = reply.type() == QDBusMessage::ReplyMessage &&
                                    value.metaType() == QMetaType::fromType<uint>()
                                ? std::optional(value.toUInt())
                                : std::nullopt;
                  update();
              });
}

void KdeInputSource::requestLayouts()
{
    callAsync(m_bus, daemonCall(kService, kPath, kInterface, QStringLiteral("getLayoutsList")),
              this, [this](const QDBusMessage& reply) {
                  m_haveLayouts = true;
                  m_layouts.clear();
                  if (reply.type() == QDBusMessage::ReplyMessage) {
                      if (auto layouts = parseKdeLayouts(reply.arguments().value(0)))
                          m_layouts = std::move(*layouts);
                  }
                  update();
              });
}

void KdeInputSource::update()
{
    std::optional<QString> id;
    if (m_index && *m_index < uint(m_layouts.size())) {
        const KdeLayout& layout = m_layouts.at(*m_index);
        id = composeKdeSourceId(layout.shortName, layout.variant, layout.longName);
    }
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo
