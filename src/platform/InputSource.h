#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace mirevo {

// Where the current keyboard input source comes from: an input-method framework, the
// keyboard layout, or a file. Identifiers are Mirevo's own strings that the language
// rules understand.
class InputSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The current source's identifier, or nothing when no source is known right now.
    // Must return quickly: it runs on the main thread at every change.
    virtual std::optional<QString> currentSourceId() = 0;

    // The badge's short code for the current keyboard layout ("US", "DE", a user's own
    // "EN"); empty for an input method, or where the backend knows no layouts.
    virtual QString currentLayoutCode() { return {}; }

    // True when mayHaveChanged() announces every switch. False while only asking again can
    // find one (a daemon without a change signal): the monitor then asks a few times a
    // second, for as long as this is the source in use. A source whose answer to this
    // changes says so with mayHaveChanged().
    virtual bool signalsChanges() const { return true; }

    // Short name of the backend ("ibus", "fcitx5", "xkb", "gnome", "kde", "sway", "file").
    virtual QString backendName() const = 0;
    // Why this backend was chosen, for people; empty when it was asked for by name.
    virtual QString backendReason() const { return {}; }

    // False while the first answer from a daemon is still on its way; the answer arrives
    // through the event loop and is followed by mayHaveChanged().
    virtual bool isReady() const { return true; }

signals:
    // The selection may have changed; listeners re-read currentSourceId().
    void mayHaveChanged();
};

} // namespace mirevo
