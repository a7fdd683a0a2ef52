#include "platform/sources/sway/SwayKeyboards.h"

#include "platform/sources/SourceIdComposition.h"
#include "platform/sources/XkbRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace mirevo::sway {
namespace {

// The device's active layout: sway's own name for it, else the name at the active index.
// A removed device reports null names.
std::optional<QString> layoutNameOf(const QJsonObject& device)
{
    const QString active = device.value(QLatin1String("xkb_active_layout_name")).toString();
    if (!active.isEmpty())
        return active;
    const QJsonValue index = device.value(QLatin1String("xkb_active_layout_index"));
    const QJsonArray names = device.value(QLatin1String("xkb_layout_names")).toArray();
    if (!index.isDouble() || index.toDouble() < 0 || index.toDouble() >= names.size())
        return std::nullopt;
    const QString named = names.at(int(index.toDouble())).toString();
    return named.isEmpty() ? std::nullopt : std::optional(named);
}

bool isKeyboard(const QJsonObject& device)
{
    return device.value(QLatin1String("type")).toString() == QLatin1String("keyboard") &&
           !device.value(QLatin1String("identifier")).toString().isEmpty();
}

QString identifierOf(const QJsonObject& device)
{
    return device.value(QLatin1String("identifier")).toString();
}

} // namespace

bool SwayKeyboards::applyInputs(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isArray())
        return false;
    QList<Keyboard> keyboards;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject device = value.toObject();
        if (isKeyboard(device))
            keyboards.append({identifierOf(device), layoutNameOf(device)});
    }
    m_keyboards = std::move(keyboards);
    return true;
}

bool SwayKeyboards::applyEvent(const QByteArray& json)
{
    const QJsonObject event = QJsonDocument::fromJson(json).object();
    const QString change = event.value(QLatin1String("change")).toString();
    const QJsonObject device = event.value(QLatin1String("input")).toObject();
    if (change.isEmpty() || !isKeyboard(device))
        return false;
    const QString identifier = identifierOf(device);
    if (change == QLatin1String("removed")) {
        m_keyboards.removeIf([&](const Keyboard& k) { return k.identifier == identifier; });
        if (m_switched == identifier)
            m_switched.clear();
        return true;
    }
    store({identifier, layoutNameOf(device)});
    if (change == QLatin1String("xkb_layout"))
        m_switched = identifier;
    return true;
}

void SwayKeyboards::store(const Keyboard& keyboard)
{
    for (Keyboard& known : m_keyboards) {
        if (known.identifier == keyboard.identifier) {
            // An event without a layout keeps the one the device had.
            if (keyboard.layoutName)
                known.layoutName = keyboard.layoutName;
            return;
        }
    }
    // Appended, unlike sway's own list, which puts new devices first: a virtual keyboard
    // that comes and goes does not take over from the keyboard followed so far.
    m_keyboards.append(keyboard);
}

std::optional<QString> SwayKeyboards::activeLayoutName() const
{
    for (const Keyboard& keyboard : m_keyboards) {
        if (keyboard.identifier == m_switched && keyboard.layoutName)
            return keyboard.layoutName;
    }
    // A virtual keyboard may be listed first without any layout names.
    for (const Keyboard& keyboard : m_keyboards) {
        if (keyboard.layoutName)
            return keyboard.layoutName;
    }
    return std::nullopt;
}

QString swaySourceId(const QString& layoutName)
{
    const auto layout = xkbLayoutDescribedAs(layoutName);
    return composeSwaySourceId(layout ? layout->first : QString(),
                               layout ? layout->second : QString(), layoutName);
}

} // namespace mirevo::sway
