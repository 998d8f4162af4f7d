// Horaloom's own windows are titled through Qt, so that Qt's cached title is never stale; other
// windows go to the desktop backend.
#include "fakeplatform.h"
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
    void otherWindowsGoToTheDesktopBackend();
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

void OwnWindowTitlesTest::otherWindowsGoToTheDesktopBackend()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Horaloom"));
    window.show();
    horaloom::fakes::FakeWindowTitles desktop;
    desktop.windows[7] = "Editor";
    desktop.foreground = 7;
    OwnWindowTitles titles(&desktop);
    QCOMPARE(titles.foregroundWindow(), WindowId(7));
    titles.writeTitle(7, "00:00:01   Editor");
    QCOMPARE(desktop.windows[7], std::string("00:00:01   Editor"));
    titles.restoreTitle(7, "Editor");
    QCOMPARE(desktop.windows[7], std::string("Editor"));
    const int writes = desktop.writes;
    titles.writeTitle(static_cast<WindowId>(window.winId()), "00:00:01   Horaloom");
    QCOMPARE(desktop.writes, writes);
    QCOMPARE(window.windowTitle(), QStringLiteral("00:00:01   Horaloom"));
}

QTEST_MAIN(OwnWindowTitlesTest)
#include "test_ownwindowtitles.moc"
