#include "qtfiledialog.h"

#include <QFileDialog>

namespace horaloom {

QString QtFileDialog::openWaveFile(QWidget* parent)
{
    // An Open dialog accepts existing files only; Qt's dialog has no read-only check box to
    // hide. Cancel gives an empty text.
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
                                        QStringLiteral("Wave Files (*.wav)"));
}

} // namespace horaloom
