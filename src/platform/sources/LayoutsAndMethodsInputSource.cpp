#include "platform/sources/LayoutsAndMethodsInputSource.h"

#include "platform/sources/SourceIdComposition.h"

namespace mirevo {

LayoutsAndMethodsInputSource::LayoutsAndMethodsInputSource(std::unique_ptr<InputSource> layouts,
                                                           std::unique_ptr<InputSource> methods,
                                                           QObject* parent)
    : InputSource(parent), m_layouts(std::move(layouts)), m_methods(std::move(methods))
{
    for (InputSource* source : {m_layouts.get(), m_methods.get()})
        connect(source, &InputSource::mayHaveChanged, this, &InputSource::mayHaveChanged);
}

LayoutsAndMethodsInputSource::~LayoutsAndMethodsInputSource() = default;

std::optional<QString> LayoutsAndMethodsInputSource::currentSourceId()
{
    // Both are asked every time: a source may use the question to reconnect to its daemon.
    const std::optional<QString> method = m_methods->currentSourceId();
    const std::optional<QString> layout = m_layouts->currentSourceId();
    m_method = !method                       ? Method::none
               : isKeyboardLayoutId(*method) ? Method::layout
                                             : Method::inputMethod;
    // Without the desktop's answer there is none: the framework's layout engine names a
    // layout the desktop may well have left.
    return m_method == Method::inputMethod ? method : layout;
}

QString LayoutsAndMethodsInputSource::backendName() const
{
    return m_layouts->backendName() + QLatin1Char('+') + m_methods->backendName();
}

QString LayoutsAndMethodsInputSource::backendReason() const
{
    const QString methods = m_methods->backendName();
    switch (m_method) {
    case Method::inputMethod:
        return methods + QStringLiteral(" answered: an input method is active");
    case Method::layout:
        return m_layouts->backendName() + QStringLiteral(" answered: ") + methods +
               QStringLiteral(" is on a keyboard layout");
    case Method::none:
        break;
    }
    return m_layouts->backendName() + QStringLiteral(" answered: ") + methods +
           QStringLiteral(" reports no engine");
}

bool LayoutsAndMethodsInputSource::isReady() const
{
    return m_layouts->isReady() && m_methods->isReady();
}

} // namespace mirevo
