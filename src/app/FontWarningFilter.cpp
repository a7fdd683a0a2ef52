#include "app/FontWarningFilter.h"

#include <QString>

namespace mirevo {
namespace {

QtMessageHandler previousHandler = nullptr;

void dropFontShapingWarnings(QtMsgType type, const QMessageLogContext& context,
                             const QString& message)
{
    if (type == QtWarningMsg &&
        message.trimmed().startsWith(QLatin1String("OpenType support missing for")))
        return;
    previousHandler(type, context, message);
}

} // namespace

void filterFontShapingWarnings()
{
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(dropFontShapingWarnings);
}

} // namespace mirevo
