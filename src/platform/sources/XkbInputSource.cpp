#include "platform/sources/XkbInputSource.h"

#include "platform/sources/LayoutCode.h"
#include "platform/sources/SourceIdComposition.h"

namespace mirevo {

XkbInputSource::XkbInputSource(QObject* parent) : InputSource(parent)
{
    connect(&m_xkb, &XkbConnection::changed, this, &InputSource::mayHaveChanged);
}

std::optional<QString> XkbInputSource::currentSourceId()
{
    const std::optional<XkbConnection::Group> group = m_xkb.currentGroup();
    if (!group)
        return std::nullopt;
    return composeXkbSourceId(group->layout, group->variant, group->groupName);
}

QString XkbInputSource::currentLayoutCode()
{
    const std::optional<QString> id = currentSourceId();
    if (!id)
        return {};
    const QStringList layouts = m_xkb.layouts();
    const QStringList variants = m_xkb.variants();
    QStringList configured;
    for (qsizetype i = 0; i < layouts.size(); ++i)
        configured << composeXkbSourceId(layouts[i], variants.value(i), {});
    return layoutCodeForSourceId(*id, configured);
}

} // namespace mirevo
