#include "fonts.h"

#include <QStringList>

namespace horaloom {

void registerFontSubstitutions()
{
    static const bool registered = [] {
        // Liberation Sans has Arial's metrics, the closest free face to these.
        const QStringList nearest = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                     QStringLiteral("DejaVu Sans")};
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), nearest);
        QFont::insertSubstitutions(QStringLiteral("Arial Rounded MT Bold"), nearest);
        return true;
    }();
    (void)registered;
}

QFont designedFont(const QString& family, double points, bool bold)
{
    registerFontSubstitutions();
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont defaultFont()
{
    return designedFont(QStringLiteral("MS Sans Serif"), 8, false);
}

QFont digitFont()
{
    return designedFont(QStringLiteral("MS Sans Serif"), 24, false);
}

QFont colonFont()
{
    return designedFont(QStringLiteral("MS Sans Serif"), 19.5, true);
}

} // namespace horaloom
