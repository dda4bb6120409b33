#include "shell/ui/ProgramIdentity.h"

#include <QCoreApplication>

namespace leapmark {

void setProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Leapmark"));
    QCoreApplication::setOrganizationName(QStringLiteral("Leapmark"));
}

} // namespace leapmark
