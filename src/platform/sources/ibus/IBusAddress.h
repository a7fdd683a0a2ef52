#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace mirevo {

// Where IBus's private bus listens. The daemon writes its address and process id into a
// file named after the machine id and the X display; a file whose process is gone is stale.

using ProcessAliveCheck = std::function<bool(qint64 pid)>;

bool isProcessAlive(qint64 pid);

// The address in an address file's content, if the file names a live daemon.
std::optional<QString> parseIBusAddressFile(const QByteArray& content,
                                            const ProcessAliveCheck& alive = isProcessAlive);

// The address file for an X display ("host:N.S", ":N") or, with `wayland`, a Wayland
// display name ("wayland-0") under the configuration folder.
QString ibusAddressFilePath(const QString& configHome, const QString& machineId,
                            const QString& display, bool wayland = false);

// IBUS_ADDRESS, else the file named by IBUS_ADDRESS_FILE, else the address file of the
// Wayland display (when WAYLAND_DISPLAY is set) or of the X display.
std::optional<QString> findIBusAddress();

} // namespace mirevo
