#include "windowsetup.h"

#include "fonts.h"
#include "twips.h"

#include <QApplication>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace horaloom {

void designWindow(QWidget& window, const QString& caption, const QString& purpose,
                  const QIcon& icon, int widthTwips, int heightTwips, bool black)
{
    window.setWindowTitle(caption);
    window.setAccessibleDescription(purpose);
    window.setWindowIcon(icon);
    // The layout is fixed in twips: captions in a larger system font would be cut off.
    window.setFont(defaultFont());
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

void answerDialogKeys(QWidget& window, QPushButton* defaultButton)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, [&window] { window.close(); });
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), &window);
        QObject::connect(enter, &QShortcut::activated, &window, [&window, defaultButton] {
            auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            QPushButton* pressed =
                focused && focused->window() == &window ? focused : defaultButton;
            if (pressed && pressed->isEnabled()) {
                pressed->click();
            }
        });
    }
}

void describeControls(QWidget& window, std::initializer_list<Described> controls)
{
    for (const Described& control : controls) {
        if (auto* widget = window.findChild<QWidget*>(QLatin1String(control.objectName))) {
            widget->setAccessibleName(QString::fromUtf8(control.name));
            widget->setAccessibleDescription(QString::fromUtf8(control.description));
        }
    }
}

} // namespace horaloom
