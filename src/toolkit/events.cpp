#include "events.h"

#include <QCoreApplication>

namespace toolkit {

void processPendingEventsWithoutInput()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace toolkit
