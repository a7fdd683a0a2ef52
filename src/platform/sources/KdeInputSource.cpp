#include "platform/sources/KdeInputSource.h"

#include "platform/SessionType.h"
#include "platform/sources/DBusCalls.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/x11/xkb/XkbConnection.h"

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
    if (!isWaylandSession()) {
        m_xkb = std::make_unique<XkbConnection>();
        // The daemon's list and the X server's rules names change together, in either order.
        connect(m_xkb.get(), &XkbConnection::changed, this, &KdeInputSource::update);
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

KdeInputSource::~KdeInputSource() = default;

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
                  std::optional<QList<KdeLayout>> layouts;
                  if (reply.type() == QDBusMessage::ReplyMessage)
                      layouts = parseKdeLayouts(reply.arguments().value(0));
                  m_layouts = layouts.value_or(QList<KdeLayout>());
                  // An index belongs to its list: the one asked for next arrives next.
                  m_index.reset();
                  // The daemon announces a changed kxkbrc with its new list.
                  if (!m_layouts.isEmpty())
                      m_settings = readKxkbrc();
              });
}

void KdeInputSource::update()
{
    if (!m_index || *m_index >= uint(m_layouts.size()))
        return;
    QStringList daemonLayouts;
    for (const KdeLayout& layout : std::as_const(m_layouts))
        daemonLayouts << layout.shortName;
    QList<LayoutList> descriptions;
    if (m_xkb)
        descriptions << LayoutList{m_xkb->layouts(), m_xkb->variants()};
    descriptions << m_settings;
    const QStringList variants = variantsForDaemonLayouts(daemonLayouts, descriptions);
    const KdeLayout& layout = m_layouts.at(*m_index);
    const QString id =
        composeKdeSourceId(layout.shortName, variants.value(*m_index), layout.longName);
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo
