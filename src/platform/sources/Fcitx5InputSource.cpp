#include "platform/sources/Fcitx5InputSource.h"

#include "platform/sources/DBusCalls.h"
#include "platform/sources/InputModes.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/x11/xkb/XkbConnection.h"

#include <QDBusMessage>

#include <algorithm>

namespace mirevo {
namespace {

const QString kService = QStringLiteral("org.fcitx.Fcitx5");
const QString kPath = QStringLiteral("/controller");
const QString kInterface = QStringLiteral("org.fcitx.Fcitx.Controller1");

} // namespace

Fcitx5InputSource::Fcitx5InputSource(QObject* parent)
    : InputSource(parent), m_bus(QDBusConnection::sessionBus()), m_trayItem(m_bus),
      m_xkb(std::make_unique<XkbConnection>())
{
    connect(m_xkb.get(), &XkbConnection::changed, this, [this] {
        requestCurrent();
        emit mayHaveChanged();
    });
    if (!m_bus.isConnected()) {
        m_haveCurrent = m_haveMethods = true;
        return;
    }
    connect(&m_trayItem, &Fcitx5TrayItem::iconChanged, this, &Fcitx5InputSource::requestCurrent);
    connect(&m_trayItem, &Fcitx5TrayItem::iconRead, this, &Fcitx5InputSource::update);
    // Found or lost, the tray item changes whether the monitor has to ask.
    connect(&m_trayItem, &Fcitx5TrayItem::settled, this, &InputSource::mayHaveChanged);
    // A daemon that starts late or again answers at once.
    m_daemon.setConnection(m_bus);
    m_daemon.setWatchMode(QDBusServiceWatcher::WatchForRegistration);
    m_daemon.addWatchedService(kService);
    connect(&m_daemon, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        requestMethods();
        requestCurrent();
    });
    // Any sender: naming the service would make QtDBus wait for the bus to name its owner.
    m_bus.connect(QString(), kPath, kInterface, QStringLiteral("InputMethodGroupsChanged"), this,
                  SLOT(onInputMethodGroupsChanged()));
    requestMethods();
    requestCurrent();
}

Fcitx5InputSource::~Fcitx5InputSource() = default;

std::optional<QString> Fcitx5InputSource::currentSourceId()
{
    requestCurrent();
    return m_current;
}

QString Fcitx5InputSource::backendReason() const
{
    if (m_trayItem.isFound())
        return QStringLiteral("switches and input-method modes announced by fcitx5's tray item");
    QString reason = QStringLiteral("asked every 0.3 s: fcitx5 announces switches only through "
                                    "its tray item, which shows while a tray runs");
    // Mozc switches between Latin and Japanese inside fcitx5, which shows that only in its
    // tray item and its own panels: without them the method shows as Japanese in both.
    if (m_currentName == QLatin1String("mozc"))
        reason += QStringLiteral("; mozc's own mode is not visible without a tray");
    return reason;
}

bool Fcitx5InputSource::isReady() const
{
    return m_haveCurrent && m_haveMethods && m_trayItem.isSettled() && !m_trayItem.isReadingIcon();
}

std::optional<QString> Fcitx5InputSource::currentMethodFrom(const QDBusMessage& reply)
{
    const QVariant value = reply.arguments().value(0);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1 ||
        value.metaType() != QMetaType::fromType<QString>())
        return std::nullopt;
    return value.toString();
}

void Fcitx5InputSource::onInputMethodGroupsChanged()
{
    requestMethods();
}

void Fcitx5InputSource::requestCurrent()
{
    if (!m_bus.isConnected())
        return;
    if (!m_currentRequest.begin())
        return;
    callAsync(m_bus, daemonCall(kService, kPath, kInterface, QStringLiteral("CurrentInputMethod")),
              this, [this](const QDBusMessage& reply) {
                  m_haveCurrent = true;
                  // A vanished daemon and a malformed reply leave the last good answer.
                  if (const std::optional<QString> name = currentMethodFrom(reply)) {
                      m_currentName = *name;
                      const bool known = std::any_of(
                          m_methods.cbegin(), m_methods.cend(),
                          [this](const Fcitx5Method& m) { return m.uniqueName == m_currentName; });
                      // A method missing from the list: the list is older than the switch.
                      if (!m_currentName.isEmpty() && !known && m_currentName != m_missingAsked) {
                          m_missingAsked = m_currentName;
                          requestMethods();
                      }
                  }
                  if (m_currentRequest.end())
                      requestCurrent();
                  else
                      update();
              });
}

void Fcitx5InputSource::requestMethods()
{
    if (!m_bus.isConnected() || !m_methodsRequest.begin())
        return;
    callAsync(m_bus,
              daemonCall(kService, kPath, kInterface, QStringLiteral("AvailableInputMethods")),
              this, [this](const QDBusMessage& reply) {
                  m_haveMethods = true;
                  if (reply.type() == QDBusMessage::ReplyMessage) {
                      if (auto methods = parseFcitx5Methods(reply.arguments().value(0)))
                          m_methods = std::move(*methods);
                  }
                  // A list changed since this one was asked for is asked for again.
                  if (m_methodsRequest.end())
                      requestMethods();
                  update();
              });
}

void Fcitx5InputSource::update()
{
    // A switch changes the method and its icon at once: shown when both answers are in, so
    // that a method starting in its Latin mode never flashes its language.
    if (m_currentRequest.isPending() || m_trayItem.isReadingIcon())
        return;
    std::optional<QString> id;
    if (!m_currentName.isEmpty()) {
        Fcitx5Method method{m_currentName, {}, {}, {}};
        for (const Fcitx5Method& candidate : m_methods) {
            if (candidate.uniqueName == m_currentName)
                method = candidate;
        }
        // In a Latin mode the method types English ("fcitx5.inputmethod.mozc.Roman").
        if (isLatinModeIcon(m_trayItem.iconName(), method.icon).value_or(false))
            method.languageCode = QStringLiteral("en");
        id = composeFcitx5SourceId(method.uniqueName, method.languageCode, method.name);
    }
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo
