#include "windowsetup.h"

#include "twips.h"

#include <QPalette>
#include <QWidget>

namespace horaloom {

void designWindow(QWidget& window, const QString& caption, const QIcon& icon, int widthTwips,
                  int heightTwips, bool black)
{
    window.setWindowTitle(caption);
    window.setWindowIcon(icon);
    if (black) {
        QPalette background = window.palette();
        background.setColor(QPalette::Window, Qt::black);
        window.setPalette(background);
        window.setAutoFillBackground(true);
    }
    window.setFixedSize(twipsRect(0, 0, widthTwips, heightTwips).size());
}

void bringToFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace horaloom
