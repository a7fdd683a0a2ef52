#pragma once

#include <QVariantList>

#include <optional>

namespace mirevo::test {

// Sends `arguments` as a method reply over a real peer-to-peer D-Bus connection inside the
// test process and returns them as QtDBus hands them to a receiver (nested QDBusVariants,
// read-only QDBusArguments). Nothing when the round trip fails.
std::optional<QVariantList> deliverThroughDBus(const QVariantList& arguments);

} // namespace mirevo::test
