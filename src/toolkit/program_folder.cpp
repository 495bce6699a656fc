#include "program_folder.h"

#include <QCoreApplication>

namespace toolkit {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace toolkit
