// Horaloom's own windows are titled through Qt; other windows go to the desktop backend.
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
    void withoutADesktopBackendOnlyOwnWindowsAreSeenAndDecorated();
    void ownTitleWrittenBehindQtsBackIsNeverLeftStale();
    void otherWindowsGoToTheDesktopBackend();
};

void OwnWindowTitlesTest::withoutADesktopBackendOnlyOwnWindowsAreSeenAndDecorated()
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
    QCOMPARE(horaloom::utf8Length(titles.readTitle(id)), 8);
    titles.writeTitle(id, "00:00:01   Horaloom ✓");
    QCOMPARE(window.windowTitle(), QStringLiteral("00:00:01   Horaloom ✓"));
    QCOMPARE(horaloom::utf8Length(titles.readTitle(id)), 21);
    // Unknown windows are nobody's: nothing to read, writing does nothing.
    QCOMPARE(titles.readTitle(id + 12345), std::string());
    titles.writeTitle(id + 12345, "x");
    window.hide();
    QTRY_COMPARE(titles.foregroundWindow(), WindowId(0));
}

void OwnWindowTitlesTest::ownTitleWrittenBehindQtsBackIsNeverLeftStale()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Horaloom"));
    window.show();
    OwnWindowTitles titles(nullptr);
    const auto id = static_cast<WindowId>(window.winId());
    titles.writeTitle(id, "00:00:05   Horaloom");
    // Setting the plain caption again must reach the window system, not stop at Qt's cache.
    window.setWindowTitle(QStringLiteral("Horaloom"));
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("Horaloom"));
    titles.restoreTitle(id, "Horaloom");
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("Horaloom"));
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
    const auto own = static_cast<WindowId>(window.winId());
    const int writes = desktop.writes;
    titles.writeTitle(own, "00:00:01   Horaloom");
    QCOMPARE(desktop.writes, writes);
    QCOMPARE(window.windowTitle(), QStringLiteral("00:00:01   Horaloom"));
}

QTEST_MAIN(OwnWindowTitlesTest)
#include "test_ownwindowtitles.moc"
