#include "platform/x11/xkb/XkbRulesNames.h"

#include <QList>

namespace mirevo {

XkbRulesNames parseXkbRulesNames(const QByteArray& property)
{
    const QList<QByteArray> fields = property.split('\0');
    const auto field = [&fields](qsizetype i) {
        return i < fields.size() ? QString::fromUtf8(fields.at(i)).trimmed() : QString();
    };
    XkbRulesNames names;
    names.rules = field(0);
    names.model = field(1);
    const QString layouts = field(2);
    if (!layouts.isEmpty()) {
        names.layouts = layouts.split(QLatin1Char(','));
        for (QString& layout : names.layouts)
            layout = layout.trimmed();
    }
    names.variants = field(3).split(QLatin1Char(','));
    for (QString& variant : names.variants)
        variant = variant.trimmed();
    names.variants.resize(names.layouts.size());
    names.options = field(4);
    return names;
}

} // namespace mirevo
