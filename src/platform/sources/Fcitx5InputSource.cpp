#include "platform/sources/Fcitx5InputSource.h"

#include "platform/sources/DBusCalls.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/x11/xkb/XkbConnection.h"

#include <algorithm>

namespace mirevo {
namespace {

const QString kService = QStringLiteral("org.fcitx.Fcitx5");
const QString kPath = QStringLiteral("/controller");
const QString kInterface = QStringLiteral("org.fcitx.Fcitx.Controller1");

} // namespace

Fcitx5InputSource::Fcitx5InputSource(QObject* parent)
    : InputSource(parent), m_bus(QDBusConnection::sessionBus()),
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

void Fcitx5InputSource::onInputMethodGroupsChanged()
{
    requestMethods();
}

void Fcitx5InputSource::requestCurrent()
{
    if (m_currentPending || !m_bus.isConnected())
        return;
    m_currentPending = true;
    callAsync(m_bus, daemonCall(kService, kPath, kInterface, QStringLiteral("CurrentInputMethod")),
              this, [this](const QDBusMessage& reply) {
                  m_currentPending = false;
                  m_haveCurrent = true;
                  const QVariant value = reply.type() == QDBusMessage::ReplyMessage
                                             ? reply.arguments().value(0)
                                             : QVariant();
                  // A vanished daemon, a malformed reply and "" all mean no source.
                  m_currentName = value.metaType() == QMetaType::fromType<QString>()
                                      ? value.toString()
                                      : QString();
                  const bool known = std::any_of(m_methods.cbegin(), m_methods.cend(),
                                                 [this](const Fcitx5Method& method) {
                                                     return method.uniqueName == m_currentName;
                                                 });
                  // A method missing from the list means the list is older than the switch.
                  if (!m_currentName.isEmpty() && !known && m_currentName != m_missingAsked) {
                      m_missingAsked = m_currentName;
                      requestMethods();
                  }
                  update();
              });
}

void Fcitx5InputSource::requestMethods()
{
    if (m_methodsPending || !m_bus.isConnected())
        return;
    m_methodsPending = true;
    callAsync(m_bus,
              daemonCall(kService, kPath, kInterface, QStringLiteral("AvailableInputMethods")),
              this, [this](const QDBusMessage& reply) {
                  m_methodsPending = false;
                  m_haveMethods = true;
                  if (reply.type() == QDBusMessage::ReplyMessage) {
                      if (auto methods = parseFcitx5Methods(reply.arguments().value(0)))
                          m_methods = std::move(*methods);
                  }
                  update();
              });
}

void Fcitx5InputSource::update()
{
    std::optional<QString> id;
    if (!m_currentName.isEmpty()) {
        Fcitx5Method method{m_currentName, {}, {}};
        for (const Fcitx5Method& candidate : m_methods) {
            if (candidate.uniqueName == m_currentName)
                method = candidate;
        }
        id = composeFcitx5SourceId(method.uniqueName, method.languageCode, method.name);
    }
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo
