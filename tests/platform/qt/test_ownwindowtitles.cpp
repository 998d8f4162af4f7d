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
    void ownWindowsThroughQtOthersThroughTheDesktopBackend();
};

void OwnWindowTitlesTest::ownWindowsThroughQtOthersThroughTheDesktopBackend()
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
    // With a desktop backend, other windows go to it.
    horaloom::fakes::FakeWindowTitles desktop;
    desktop.windows[7] = "Editor";
    desktop.foreground = 7;
    OwnWindowTitles backed(&desktop);
    QCOMPARE(backed.foregroundWindow(), WindowId(7));
    backed.writeTitle(7, "00:00:01   Editor");
    QCOMPARE(desktop.windows[7], std::string("00:00:01   Editor"));
    backed.restoreTitle(7, "Editor");
    QCOMPARE(desktop.windows[7], std::string("Editor"));
    const int writes = desktop.writes;
    backed.writeTitle(id, "00:00:01   Horaloom");
    QCOMPARE(desktop.writes, writes);
    QCOMPARE(window.windowTitle(), QStringLiteral("00:00:01   Horaloom"));
    window.hide();
    QTRY_COMPARE(titles.foregroundWindow(), WindowId(0));
}

QTEST_MAIN(OwnWindowTitlesTest)
#include "test_ownwindowtitles.moc"
