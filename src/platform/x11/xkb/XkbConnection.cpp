#include "platform/x11/xkb/XkbConnection.h"

#include "platform/x11/xkb/XkbRulesNames.h"

#include <xcb/xcb.h>
// xcb/xkb.h names a field "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace mirevo {
namespace {

// XKB events share their first fields; xkbType tells them apart.
struct XkbEventHeader {
    uint8_t responseType;
    uint8_t xkbType;
};

constexpr uint16_t kSelectedEvents = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY |
                                     XCB_XKB_EVENT_TYPE_STATE_NOTIFY |
                                     XCB_XKB_EVENT_TYPE_NAMES_NOTIFY;
constexpr uint16_t kGroupDetails = XCB_XKB_STATE_PART_GROUP_STATE | XCB_XKB_STATE_PART_GROUP_BASE |
                                   XCB_XKB_STATE_PART_GROUP_LATCH | XCB_XKB_STATE_PART_GROUP_LOCK;
// setxkbmap sends several events in a row; one announcement covers them.
constexpr int kCoalesceMs = 5;

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> wrap(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

} // namespace

XkbConnection::XkbConnection(QObject* parent) : QObject(parent)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        return;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_xkb_id);
    const auto useReply = wrap(
        xcb_xkb_use_extension_reply(connection, xcb_xkb_use_extension(connection, 1, 0), nullptr));
    if (!extension || !extension->present || !useReply || !useReply->supported) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_firstXkbEvent = extension->first_event;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const char atomName[] = "_XKB_RULES_NAMES";
    const auto atom = wrap(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof(atomName) - 1, atomName), nullptr));
    m_rulesNamesAtom = atom ? atom->atom : uint32_t(XCB_ATOM_NONE);
    const uint32_t propertyMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, m_root, XCB_CW_EVENT_MASK, &propertyMask);

    xcb_xkb_select_events_details_t details{};
    details.affectState = kGroupDetails;
    details.stateDetails = kGroupDetails;
    details.affectNames = XCB_XKB_NAME_DETAIL_GROUP_NAMES;
    details.namesDetails = XCB_XKB_NAME_DETAIL_GROUP_NAMES;
    xcb_xkb_select_events_aux(connection, XCB_XKB_ID_USE_CORE_KBD, kSelectedEvents, 0,
                              XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY, 0, 0, &details);
    refreshNames();
    refreshState();

    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(kCoalesceMs);
    connect(&m_coalesce, &QTimer::timeout, this, [this] {
        refreshNames();
        refreshState();
        // Replies can pull events off the socket without waking the notifier.
        readEvents();
        emit changed();
    });
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection),
                                                   QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &XkbConnection::readEvents);
    readEvents();
}

XkbConnection::~XkbConnection()
{
    m_notifier.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

void XkbConnection::readEvents()
{
    if (!m_connection)
        return;
    bool relevant = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == m_firstXkbEvent)
            relevant = true;
        else if (type == XCB_PROPERTY_NOTIFY)
            relevant |=
                reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == m_rulesNamesAtom;
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection)) {
        // The X server went away: stop listening and answer nothing from now on.
        m_notifier.reset();
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        emit changed();
        return;
    }
    if (relevant && !m_coalesce.isActive())
        m_coalesce.start();
}

void XkbConnection::refreshNames()
{
    if (!m_connection)
        return;
    const auto property = wrap(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, m_root, m_rulesNamesAtom, XCB_ATOM_STRING, 0, 4096),
        nullptr));
    QByteArray rules;
    if (property && property->format == 8) {
        rules = QByteArray(static_cast<const char*>(xcb_get_property_value(property.get())),
                           xcb_get_property_value_length(property.get()));
    }
    const XkbRulesNames names = parseXkbRulesNames(rules);
    m_layouts = names.layouts;
    m_variants = names.variants;

    m_groupNames.clear();
    const auto reply = wrap(xcb_xkb_get_names_reply(
        m_connection,
        xcb_xkb_get_names(m_connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_NAME_DETAIL_GROUP_NAMES),
        nullptr));
    if (!reply)
        return;
    xcb_xkb_get_names_value_list_t list{};
    xcb_xkb_get_names_value_list_unpack(xcb_xkb_get_names_value_list(reply.get()), reply->nTypes,
                                        reply->indicators, reply->virtualMods, reply->groupNames,
                                        reply->nKeys, reply->nKeyAliases, reply->nRadioGroups,
                                        reply->which, &list);
    const int count = std::popcount(static_cast<unsigned>(reply->groupNames));
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (int i = 0; i < count && list.groups; ++i)
        cookies.push_back(xcb_get_atom_name(m_connection, list.groups[i]));
    for (const xcb_get_atom_name_cookie_t cookie : cookies) {
        const auto name = wrap(xcb_get_atom_name_reply(m_connection, cookie, nullptr));
        m_groupNames << (name ? QString::fromUtf8(xcb_get_atom_name_name(name.get()),
                                                  xcb_get_atom_name_name_length(name.get()))
                              : QString());
    }
}

void XkbConnection::refreshState()
{
    if (!m_connection)
        return;
    const auto state = wrap(xcb_xkb_get_state_reply(
        m_connection, xcb_xkb_get_state(m_connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (state)
        m_group = state->group;
}

std::optional<XkbConnection::Group> XkbConnection::currentGroup() const
{
    if (!m_connection)
        return std::nullopt;
    const int count = std::max<int>(m_groupNames.size(), m_layouts.size());
    if (count == 0)
        return std::nullopt;
    Group group;
    // Right after a keyboard change the group can point past the new group count.
    group.index = std::clamp(m_group, 0, count - 1);
    group.layout = m_layouts.value(group.index);
    group.variant = m_variants.value(group.index);
    group.groupName = m_groupNames.value(group.index);
    return group;
}

} // namespace mirevo
