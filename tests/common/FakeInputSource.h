#pragma once

#include "platform/InputSource.h"

namespace mirevo::test {

// An input source whose identifier the test sets.
class FakeInputSource : public InputSource {
    Q_OBJECT
public:
    std::optional<QString> id;
    // False: a framework without a change signal, which only asking again finds.
    bool signalling = true;

    std::optional<QString> currentSourceId() override { return id; }
    QString backendName() const override { return QStringLiteral("fake"); }
    bool signalsChanges() const override { return signalling; }

    // Switches the source and announces it, as a framework's change signal would.
    void switchTo(const std::optional<QString>& newId)
    {
        id = newId;
        emit mayHaveChanged();
    }
};

} // namespace mirevo::test
