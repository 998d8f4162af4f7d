#include "qtfiledialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

namespace horaloom {

std::string QtFileDialog::openWaveFile()
{
    // An Open dialog accepts existing files only; Qt's dialog has no read-only check box to
    // hide. Cancel gives an empty text.
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("Open"),
                                     QString(), QStringLiteral("Wave Files (*.wav)"));
    return QFile::encodeName(path).toStdString();
}

} // namespace horaloom
