#include "platform/sources/gnome/GnomeInputSource.h"

#include "platform/SessionType.h"
#include "platform/sources/Gio.h"
#include "platform/sources/LayoutCode.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/x11/xkb/XkbConnection.h"

namespace mirevo {
namespace {

constexpr char kSchema[] = "org.gnome.desktop.input-sources";
constexpr char kSources[] = "sources";
constexpr char kMruSources[] = "mru-sources";

void onChanged(GSettings*, const char*, gpointer read)
{
    (*static_cast<std::function<void()>*>(read))();
}

QList<GnomeSource> sourcesSetting(GSettings* settings, const char* key)
{
    const GVariantPtr value(g_settings_get_value(settings, key));
    return parseGnomeSources(value.get());
}

// The X keyboard's layout as GNOME names layout sources ("de+neo").
std::optional<QString> xkbLayout(const XkbConnection* xkb)
{
    const auto group = xkb ? xkb->currentGroup() : std::nullopt;
    if (!group || group->layout.isEmpty())
        return std::nullopt;
    return group->variant.isEmpty() ? group->layout : group->layout + '+' + group->variant;
}

} // namespace

bool GnomeInputSource::isAvailable()
{
    GSettingsSchemaSource* schemas = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        schemas ? g_settings_schema_source_lookup(schemas, kSchema, true) : nullptr;
    if (!schema)
        return false;
    const bool complete = g_settings_schema_has_key(schema, kSources) &&
                          g_settings_schema_has_key(schema, kMruSources);
    g_settings_schema_unref(schema);
    return complete;
}

GnomeInputSource::GnomeInputSource(QObject* parent) : InputSource(parent)
{
    connect(&m_ibus, &IBusGlobalEngine::changed, this, &GnomeInputSource::update);
    if (!isWaylandSession()) {
        m_xkb = std::make_unique<XkbConnection>();
        connect(m_xkb.get(), &XkbConnection::changed, this, &GnomeInputSource::update);
    }
    // GSettings aborts the program for a schema it does not have.
    if (isAvailable()) {
        ensureGLibDispatch();
        m_readSettings = [this] { readSettings(); };
        m_settings = g_settings_new(kSchema);
        for (const char* key : {kSources, kMruSources}) {
            g_signal_connect(m_settings, (QByteArray("changed::") + key).constData(),
                             G_CALLBACK(&onChanged), &m_readSettings);
        }
        // GSettings announces changes only of keys read since a handler was connected.
        readSettings();
    }
}

GnomeInputSource::~GnomeInputSource()
{
    if (m_settings) {
        g_signal_handlers_disconnect_by_data(m_settings, &m_readSettings);
        g_object_unref(m_settings);
    }
}

void GnomeInputSource::readSettings()
{
    m_facts.sources = sourcesSetting(m_settings, kSources);
    m_facts.mruSources = sourcesSetting(m_settings, kMruSources);
    update();
}

QString GnomeInputSource::currentLayoutCode()
{
    return layoutCodeForSourceId(m_current.value_or(QString()), gnomeLayoutIds(m_facts.sources));
}

void GnomeInputSource::update()
{
    if (!m_settings)
        return;
    const std::optional<IBusEngineInfo>& engine = m_ibus.engine();
    if (engine)
        m_engines.insert(engine->name, *engine);
    m_facts.ibusEngine =
        m_ibus.isConnected() && engine ? std::optional(engine->name) : std::nullopt;
    m_facts.xkbLayout = xkbLayout(m_xkb.get());

    std::optional<QString> id;
    if (const std::optional<GnomeSource> source = appliedGnomeSource(m_facts)) {
        const auto described = m_engines.constFind(source->id);
        id = source->type == QLatin1String("xkb") ? gnomeLayoutSourceId(source->id)
             : described != m_engines.constEnd()  ? ibusSourceId(*described)
                                                  : composeIBusSourceId(source->id, {}, {}, {});
    }
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo
