#include "qtprogramend.h"

#include <QCoreApplication>

namespace horaloom {

void QtProgramEnd::endProgram(int exitCode)
{
    QCoreApplication::exit(exitCode);
}

} // namespace horaloom
