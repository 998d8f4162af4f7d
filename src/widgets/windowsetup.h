// What every secondary window does alike: set itself up as designed, and come to the front.
#pragma once

#include <QIcon>
#include <QString>

class QWidget;

namespace horaloom {

// Caption, icon and a fixed client area in twips; black behind the controls when asked.
void designWindow(QWidget& window, const QString& caption, const QIcon& icon, int widthTwips,
                  int heightTwips, bool black);

// Visible and in front; a window already open stays as it is otherwise.
void bringToFront(QWidget& window);

} // namespace horaloom
