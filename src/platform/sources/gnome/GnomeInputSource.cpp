#include "platform/sources/gnome/GnomeInputSource.h"

#include "platform/sources/Gio.h"
#include "platform/sources/LayoutCode.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/sources/gnome/GnomeSources.h"
#include "platform/sources/ibus/IBusBus.h"

namespace mirevo {
namespace {

constexpr char kSchema[] = "org.gnome.desktop.input-sources";
constexpr char kSources[] = "sources";
constexpr char kMruSources[] = "mru-sources";

void onChanged(GSettings*, const char*, gpointer reread)
{
    (*static_cast<std::function<void()>*>(reread))();
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
    m_ready = true;
    // GSettings aborts the program for a schema it does not have.
    if (!isAvailable())
        return;
    ensureGLibDispatch();
    m_reread = [this] { reread(); };
    m_settings = g_settings_new(kSchema);
    for (const char* key : {kSources, kMruSources}) {
        g_signal_connect(m_settings, (QByteArray("changed::") + key).constData(),
                         G_CALLBACK(&onChanged), &m_reread);
    }
    // GSettings announces changes only of keys read since a handler was connected.
    reread();
}

GnomeInputSource::~GnomeInputSource()
{
    if (m_settings) {
        g_signal_handlers_disconnect_by_data(m_settings, &m_reread);
        g_object_unref(m_settings);
    }
}

std::optional<QString> GnomeInputSource::currentSourceId()
{
    // An IBus that was missing may have started since: look for it now and then.
    if (!m_engine.isEmpty() && !m_engineIds.contains(m_engine) && m_ibus && !m_ibus->isConnected())
        m_ibus->connectIfDue();
    return m_current;
}

QString GnomeInputSource::currentLayoutCode()
{
    return layoutCodeForSourceId(m_current.value_or(QString()), m_layoutIds);
}

void GnomeInputSource::reread()
{
    const GVariantPtr mruSources(g_settings_get_value(m_settings, kMruSources));
    const GVariantPtr sources(g_settings_get_value(m_settings, kSources));
    const std::optional<GnomeSource> source = currentGnomeSource(mruSources.get(), sources.get());
    m_engine.clear();
    m_layoutIds = gnomeLayoutIds(sources.get());
    if (source && source->type == QLatin1String("xkb")) {
        setCurrent(gnomeLayoutSourceId(source->id));
    } else if (source && source->type == QLatin1String("ibus")) {
        m_engine = source->id;
        resolveEngine();
    } else {
        setCurrent(std::nullopt);
    }
}

// An IBus source is named the way the IBus backend names its engine. The description
// comes from IBus; without a daemon to ask, the engine's name alone has to do.
void GnomeInputSource::resolveEngine()
{
    const auto known = m_engineIds.constFind(m_engine);
    if (known != m_engineIds.constEnd()) {
        setCurrent(*known);
        return;
    }
    if (!m_ibus) {
        m_ibus = std::make_unique<IBusBus>();
        connect(m_ibus.get(), &IBusBus::connected, this, &GnomeInputSource::resolveEngine);
        connect(m_ibus.get(), &IBusBus::connectionLost, this, &GnomeInputSource::resolveEngine);
        m_ibus->connectIfDue();
    }
    if (m_engine.isEmpty())
        return;
    if (m_ibus->isConnecting()) {
        m_ready = false; // the connection's outcome brings this back
        return;
    }
    if (!m_ibus->isConnected()) {
        setCurrent(composeIBusSourceId(m_engine, {}, {}, {}));
        return;
    }
    m_ready = false;
    m_ibus->requestEngine(m_engine, [this, name = m_engine](const auto& engine) {
        const QString id = engine ? ibusSourceId(*engine) : composeIBusSourceId(name, {}, {}, {});
        if (engine)
            m_engineIds.insert(name, id);
        if (m_engine == name)
            setCurrent(id);
    });
}

void GnomeInputSource::setCurrent(const std::optional<QString>& id)
{
    m_ready = true;
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo
