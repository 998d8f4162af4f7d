// Horaloom's own windows are titled through Qt, so that Qt's cached title is never stale. With
// the X11 backend, other windows going to it and ours not are tested in tests/desktop.
#include "ownwindowtitles.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

using horaloom::OwnWindowTitles;
using horaloom::WindowId;

class OwnWindowTitlesTest : public QObject {
    Q_OBJECT
private slots:
    void withoutADesktopBackendOnlyOwnWindowsAreDecorated();
};

void OwnWindowTitlesTest::withoutADesktopBackendOnlyOwnWindowsAreDecorated()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Horaloom"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    OwnWindowTitles titles(nullptr);
    const WindowId id = titles.foregroundWindow();
    QCOMPARE(id, static_cast<WindowId>(window.winId()));
    QCOMPARE(titles.readTitle(id), std::string("Horaloom"));
    titles.writeTitle(id, "00:00:01   Horaloom ✓");
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("00:00:01   Horaloom ✓"));
    // The plain caption set again reaches the window system, not just Qt's cache.
    window.setWindowTitle(QStringLiteral("Horaloom"));
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("Horaloom"));
    QCOMPARE(titles.readTitle(id + 12345), std::string()); // nobody's window
    titles.writeTitle(id + 12345, "x");
    window.hide();
    QTRY_COMPARE(titles.foregroundWindow(), WindowId(0));
}

QTEST_MAIN(OwnWindowTitlesTest)
#include "test_ownwindowtitles.moc"
