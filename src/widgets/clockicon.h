// Horaloom's clock picture: a white face, a rim, two black hands. Drawn, not shipped.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace horaloom {

QPixmap clockPixmap(int size, QColor rim = Qt::black);
// All the usual sizes, for window, tray and task bar.
QIcon clockIcon(QColor rim = Qt::black);

} // namespace horaloom
