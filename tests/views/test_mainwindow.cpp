// The main window's widgets: the layout as designed, and every control wired to the presenter.
// What the presenter decides is tested without widgets (tests/presenter).
#include "digitbox.h"
#include "fakeplatform.h"
#include "mainwindow.h"
#include "states.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace horaloom;

namespace {

// A main window started on the fake platform with the default settings file.
struct Fixture {
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    Form1 window{platform};
    bool loaded = false;

    Fixture()
    {
        fake.files.files["/start/Horaloom.ini"] = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n";
        loaded = window.presenter().Form_Load();
    }
    template <typename T = QWidget> T* get(const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    QString shown()
    {
        QString time;
        for (const char* box : {"txtHours2", "txtHours1", "txtMinutes2", "txtMinutes1",
                                "txtSeconds2", "txtSeconds1"}) {
            time += get<DigitBox>(box)->text();
        }
        return time;
    }
    bool activate()
    {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    void type(const char* keys)
    {
        for (const char* c = keys; *c; ++c) {
            QTest::keyClick(QApplication::focusWidget(), *c);
        }
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheDesignedWindow();
    void buttonsSharingAPlaceStackInTheirOrder();
    void menuBarHasEveryEntryUncheckedByDefault();
    void accessKeysPressTheirButtonsAndDigitsFollowAtOnce();
    void keysReachTheDigitBoxesRules();
    void typedDigitIsStoredEvenWithoutFocusEvents();
    void presenterDrawsIntoTheWidgets();
    void closeButtonAsksFirst();
};

void TestMainWindow::layoutMatchesTheDesignedWindow()
{
    Fixture f;
    QVERIFY(f.loaded);
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Horaloom"));
    QCOMPARE(f.window.centralWidget()->size(), QSize(177, 161));
    // Twips to pixels at 15 twips a pixel.
    const std::pair<const char*, QRect> places[] = {
        {"txtHours2", {8, 8, 25, 37}},   {"txtSeconds1", {144, 8, 25, 37}},
        {"lblColon2", {56, 8, 9, 37}},   {"txtTime", {92, 68, 77, 19}},
        {"cmdQuit", {92, 128, 77, 25}},  {"cmdReset", {8, 128, 77, 25}},
        {"cmdCountUp", {8, 96, 77, 25}}, {"cmdHide", {8, 96, 77, 25}},
        {"cmdStart", {92, 96, 77, 25}},  {"cmdCountDown", {92, 96, 77, 25}}};
    for (const auto& [name, place] : places) {
        QCOMPARE(f.get(name)->geometry(), place);
    }
    const std::pair<const char*, const char*> captions[] = {
        {"cmdCountUp", "Count &Up"}, {"cmdCountDown", "Count &Down"}, {"cmdStart", "St&art Timer"},
        {"cmdStop", "St&op Timer"},  {"cmdReset", "&Reset"},          {"cmdHide", "&Hide"},
        {"cmdQuit", "&Quit"}};
    for (const auto& [name, caption] : captions) {
        QCOMPARE(f.get<QPushButton>(name)->text(), QString::fromLatin1(caption));
    }
    QCOMPARE(f.get<QLabel>("lblCurrentTime")->text(), QStringLiteral("Current Time:"));
    // The digits fit their boxes: a digit's ink is narrower and lower than the box.
    auto* hours2 = f.get<DigitBox>("txtHours2");
    const QFontMetrics metrics(hours2->font());
    QVERIFY(metrics.tightBoundingRect(QStringLiteral("8")).height() < hours2->height());
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("8")) < hours2->width());
    QCOMPARE(hours2->font().pointSizeF(), 24.0);
    // Tab order by tab index: the boxes, then the buttons.
    QCOMPARE(hours2->nextInFocusChain(), f.get("txtHours1"));
    QCOMPARE(f.get("txtSeconds2")->nextInFocusChain(), f.get("txtSeconds1"));
    QCOMPARE(f.get("txtSeconds1")->nextInFocusChain(), f.get("cmdCountUp"));
    QCOMPARE(f.get("cmdReset")->nextInFocusChain(), f.get("cmdQuit"));
}

void TestMainWindow::buttonsSharingAPlaceStackInTheirOrder()
{
    Fixture f;
    QWidget* client = f.window.centralWidget();
    const QPoint left = f.get("cmdCountUp")->geometry().center();
    const QPoint right = f.get("cmdCountDown")->geometry().center();
    QCOMPARE(client->childAt(left), f.get("cmdCountUp"));
    // Hide lies beneath Count Up and shows once Count Up is hidden.
    f.get("cmdStart")->setVisible(true);
    f.get("cmdStop")->setVisible(true);
    QCOMPARE(client->childAt(right), f.get("cmdCountDown"));
    f.get("cmdCountDown")->setVisible(false);
    QCOMPARE(client->childAt(right), f.get("cmdStop"));
    f.get("cmdCountUp")->setVisible(false);
    QCOMPARE(client->childAt(left), f.get("cmdHide"));
}

void TestMainWindow::menuBarHasEveryEntryUncheckedByDefault()
{
    Fixture f;
    QStringList titles;
    QStringList entries;
    for (QAction* menu : f.window.menuBar()->actions()) {
        titles << menu->text();
        for (QAction* entry : menu->menu()->actions()) {
            entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
            QVERIFY(entry->isEnabled());
            QVERIFY(entry->shortcut().isEmpty());
            QVERIFY(!entry->isChecked());
        }
    }
    QCOMPARE(titles, (QStringList{"&File", "&Settings", "&Help"}));
    QCOMPARE(entries, (QStringList{"&Exit", "Save &Position on Exit", "&Repeat Countdown",
                                   "&Display Clock in Title Bar", "-", "&Select Alarm", "&Program",
                                   "&About"}));
}

void TestMainWindow::accessKeysPressTheirButtonsAndDigitsFollowAtOnce()
{
    Fixture f;
    QVERIFY(f.activate());
    QVERIFY(f.get("cmdCountUp")->isVisible()); // Hide lies beneath it; Alt+H reaches it anyway
    QTest::keyClick(&f.window, Qt::Key_H, Qt::AltModifier);
    QVERIFY(!f.window.isVisible());

    Fixture g;
    QVERIFY(g.activate());
    QTest::keyClick(&g.window, Qt::Key_D, Qt::AltModifier);
    g.type("000005"); // at once, as a fast typist does
    QCOMPARE(g.shown(), QStringLiteral("000005"));
    QCOMPARE(QApplication::focusWidget(), g.get("cmdStart"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(g.window.presenter().TimerRunning, TimerOn);
}

void TestMainWindow::keysReachTheDigitBoxesRules()
{
    Fixture f;
    QVERIFY(f.activate());
    QTest::mouseClick(f.get("cmdCountDown"), Qt::LeftButton);
    f.type("12");
    auto* minutes2 = f.get<DigitBox>("txtMinutes2");
    QCOMPARE(QApplication::focusWidget(), minutes2);
    QTest::keyClick(minutes2, '7');
    QTest::keyClick(minutes2, Qt::Key_Backspace);
    QTest::keyClick(minutes2, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.fake.sound.beeps, 3);
    QCOMPARE(minutes2->text(), QStringLiteral("0"));
    // Delete empties the box; leaving it shows the stored digit again.
    QTest::keyClick(minutes2, Qt::Key_Delete);
    QCOMPARE(minutes2->text(), QString());
    QTest::mouseClick(f.get("txtHours2"), Qt::LeftButton);
    QCOMPARE(minutes2->text(), QStringLiteral("0"));
    // A click selects the box's digit, so the next digit replaces it.
    QCOMPARE(f.get<DigitBox>("txtHours2")->selectedText(), QStringLiteral("1"));
    f.type("3");
    QCOMPARE(f.shown(), QStringLiteral("320000"));
}

void TestMainWindow::typedDigitIsStoredEvenWithoutFocusEvents()
{
    // Seen after a click on the tray icon: the X server gives Horaloom the keys while Qt holds
    // the window inactive and sends no focus-out, so a commit on leaving a box never runs.
    Fixture f;
    QVERIFY(!f.window.isActiveWindow());
    f.window.presenter().cmdCountDown_Click();
    QTest::keyClick(f.get("txtSeconds1"), '7');
    QTest::keyClick(f.get("txtMinutes2"), '4');
    QCOMPARE(timeText(f.window.presenter().TimeDigits), std::string("00:40:07"));
}

void TestMainWindow::presenterDrawsIntoTheWidgets()
{
    Fixture f;
    MainPresenter& p = f.window.presenter();
    auto* timer1 = f.window.findChild<QTimer*>();
    QVERIFY(timer1 && timer1->isActive() && timer1->isSingleShot());
    QCOMPARE(f.get<QLineEdit>("txtTime")->text(), QStringLiteral("10:00:00"));
    QVERIFY(!f.get("txtTime")->isEnabled());
    QVERIFY(!f.get("cmdStart")->isVisible() && !f.get("cmdReset")->isVisible());

    QTest::mouseClick(f.get("cmdCountDown"), Qt::LeftButton);
    QCOMPARE(f.get("cmdCountDown")->x(), 8);
    QVERIFY(f.get("txtSeconds1")->isEnabled());
    QTest::mouseClick(f.get("cmdStart"), Qt::LeftButton);
    f.fake.clock.advance();
    p.Timer1_Timer(); // from 00:00:00 the alarm starts at once
    QVERIFY(!f.window.findChild<QAction*>(QStringLiteral("mnuRepeat"))->isEnabled());
    p.Timer2_Timer();
    const QColor flash = f.window.centralWidget()->palette().color(QPalette::Window);
    QTest::mouseClick(f.get("cmdStop"), Qt::LeftButton);
    QCOMPARE(f.window.centralWidget()->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(flash != QColor(Qt::black) || f.fake.sound.beeps == 1);
    f.window.findChild<QAction*>(QStringLiteral("mnuDisplayClock"))->trigger();
    QVERIFY(f.window.findChild<QAction*>(QStringLiteral("mnuDisplayClock"))->isChecked());
    QCOMPARE(p.DisplayClock, std::string("1"));
}

void TestMainWindow::closeButtonAsksFirst()
{
    Fixture f;
    f.fake.messageBoxes.answers = {MsgBox::No};
    QVERIFY(!f.window.close());
    QVERIFY(f.window.isVisible());
    f.fake.messageBoxes.answers = {MsgBox::Yes};
    QVERIFY(f.window.close());
    QCOMPARE(f.fake.programEnd.ends, std::vector<int>{0});
    QCOMPARE(f.fake.messageBoxes.shown.size(), 2u);
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
