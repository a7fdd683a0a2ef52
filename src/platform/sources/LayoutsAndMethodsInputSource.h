#pragma once

#include "platform/InputSource.h"

#include <memory>

namespace mirevo {

// A desktop that switches keyboard layouts itself (Plasma) beside an input-method framework
// (IBus). The framework keeps its keyboard-layout engine (IBus's "xkb:us::eng") while the
// desktop switches layouts, so only the desktop knows the layout; the framework knows when
// one of its input methods (hangul, pinyin, anthy, mozc) is active. The framework answers
// while an input method is active, the desktop otherwise, and a change in either is
// announced.
class LayoutsAndMethodsInputSource : public InputSource {
    Q_OBJECT
public:
    LayoutsAndMethodsInputSource(std::unique_ptr<InputSource> layouts,
                                 std::unique_ptr<InputSource> methods, QObject* parent = nullptr);
    ~LayoutsAndMethodsInputSource() override;

    std::optional<QString> currentSourceId() override;
    // "kde+ibus".
    QString backendName() const override;
    // Which of the two gave the last answer, and why.
    QString backendReason() const override;
    bool isReady() const override;

private:
    std::unique_ptr<InputSource> m_layouts;
    std::unique_ptr<InputSource> m_methods;
    enum class Method { none, layout, inputMethod };
    Method m_method = Method::none; // what the framework reported when last asked
};

} // namespace mirevo
