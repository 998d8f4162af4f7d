// The tick, the counting, the timer commands and their states, the digit boxes, the alarm.
#include "formfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using horaloom::Form1;
using horaloom::testing::FormFixture;

class TimerTest : public QObject {
    Q_OBJECT
private slots:
    void idleTicksRefreshTheClockOnlyOncePerSecond();
    void countUpStepsOncePerSecondAndDecoratesTheForegroundWindow();
    void countDownCallsTheTitleWriterBeforeAndAfterItsStep();
    void repeatEntryUnavailableOnlyWhileACountdownRuns();
    void hundredHourLimitStopsCountingAndAsksOnce();
    void stateTableTransitions();
    void countDownSetUpMovesTheButtonAndEnablesTheBoxes();
    void workedExampleTypedIntoTheBoxes();
    void refusedCharactersBeepAndChangeNothing();
    void pastedOrDeletedContentNeverReachesTheTime();
    void altHRunsHideEvenWhileItIsCovered();
    void digitsTypedRightAfterAnAccessKeyReachTheBoxes();
    void typedDigitIsStoredEvenWithoutFocusEvents();
    void countdownEndStartsTheBeepAlarmUntilStop();
    void waveAlarmPlaysOnceAndFlashesSilently();
    void otherAlarmTypeStopsAtZeroWithoutSignal();
    void repeatReloadsTheStartingTimeEveryCycle();
    void repeatWithoutStartingTimeResetsToIdle();
    void stopAndResetHandTheDecoratedTitleBack();
    void stopWithdrawsTheNotificationOnlyWhenShown();
    void trayReleaseBringsTheHiddenWindowBack();
};

void TimerTest::idleTicksRefreshTheClockOnlyOncePerSecond()
{
    FormFixture f;
    Form1& w = *f.form;
    f.fake.clock.reads = 0;
    w.Timer1_Timer(); // same second: nothing to do but one look at the clock
    QCOMPARE(f.fake.clock.reads, 1);
    f.second();
    QCOMPARE(w.txtTime->text(), f.fake.clock.time);
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QCOMPARE(f.fake.titles.writes, 0);
}

void TimerTest::countUpStepsOncePerSecondAndDecoratesTheForegroundWindow()
{
    FormFixture f;
    Form1& w = *f.form;
    f.fake.titles.windows[7] = "Letter - Editor";
    f.fake.titles.foreground = 7;
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    w.Timer1_Timer(); // within the same second: no step
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    f.second();
    QCOMPARE(f.shown(), QStringLiteral("00:00:01"));
    QCOMPARE(w.TimeText, QStringLiteral("00:00:01"));
    QCOMPARE(f.fake.titles.windows[7], std::string("00:00:01   Letter - Editor"));
    // A clock set back by an hour is one more second, not an hour.
    f.fake.clock.time = QStringLiteral("09:00:02");
    w.Timer1_Timer();
    QCOMPARE(f.shown(), QStringLiteral("00:00:02"));
    f.seconds(58);
    QCOMPARE(f.shown(), QStringLiteral("00:01:00"));
    QCOMPARE(f.stored(), QStringLiteral("00:01:00"));
}

void TimerTest::countDownCallsTheTitleWriterBeforeAndAfterItsStep()
{
    FormFixture f;
    Form1& w = *f.form;
    f.fake.titles.windows[7] = "Mail";
    f.fake.titles.foreground = 7;
    w.cmdCountDown_Click();
    w.TimeDigits = {0, 0, 0, 1, 0, 0}; // 00:10:00
    w.cmdStart_Click();
    f.second();
    QCOMPARE(f.shown(), QStringLiteral("00:09:59"));
    QCOMPARE(f.fake.titles.writeLog.size(), 2u);
    QCOMPARE(f.fake.titles.writeLog[0].second, std::string("   Mail")); // before the first step
    QCOMPARE(f.fake.titles.writeLog[1].second, std::string("00:09:59   Mail"));
}

void TimerTest::repeatEntryUnavailableOnlyWhileACountdownRuns()
{
    FormFixture f;
    Form1& w = *f.form;
    w.cmdCountDown_Click();
    w.TimeDigits = {0, 0, 1, 0, 0, 0};
    w.cmdStart_Click();
    QVERIFY(w.mnuRepeat->isEnabled()); // until the first change of the second
    f.second();
    QVERIFY(!w.mnuRepeat->isEnabled());
    w.cmdStop_Click();
    QVERIFY(!w.mnuRepeat->isEnabled());
    f.second();
    QVERIFY(w.mnuRepeat->isEnabled());
}

void TimerTest::hundredHourLimitStopsCountingAndAsksOnce()
{
    FormFixture f;
    Form1& w = *f.form;
    w.TimeDigits = {9, 5, 9, 5, 9, 9};
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    // Seconds go on while the message is open: the ticks then count nothing.
    int ticksInside = 0;
    f.fake.messageBoxes.whileOpen = [&] {
        QCOMPARE(w.CountMode, 3);
        f.second();
        f.second();
        ++ticksInside;
    };
    f.second();
    QCOMPARE(ticksInside, 1);
    QCOMPARE(f.fake.messageBoxes.shown.size(), 1u);
    QCOMPARE(f.fake.messageBoxes.shown[0].text, QStringLiteral("Timer has expired at 100 hours"));
    QCOMPARE(f.fake.messageBoxes.shown[0].title, QStringLiteral("Horaloom Shutdown"));
    QCOMPARE(f.fake.messageBoxes.shown[0].style, 48);
    QCOMPARE(f.fake.sound.beeps, 1);
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QCOMPARE(w.TimeText, QStringLiteral("00:00:00"));
    QCOMPARE(w.TimerRunning, 1);
    QVERIFY(!w.cmdStop->isVisibleTo(&w));
    QVERIFY(FormFixture::shownButton(w.cmdCountUp));
    QVERIFY(FormFixture::shownButton(w.cmdCountDown));
    f.seconds(3);
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
}

void TimerTest::stateTableTransitions()
{
    FormFixture f;
    Form1& w = *f.form;
    // Idle -> Up ready -> Counting up -> Stopped -> Up ready (continues) -> Idle.
    w.cmdCountUp_Click();
    QCOMPARE(w.CountMode, 1);
    QVERIFY(FormFixture::shownButton(w.cmdStart));
    QVERIFY(FormFixture::shownButton(w.cmdReset));
    QVERIFY(FormFixture::hiddenButton(w.cmdCountDown));
    QVERIFY(FormFixture::shownButton(w.cmdCountUp));
    w.cmdStart_Click();
    QCOMPARE(w.TimerRunning, 1);
    QVERIFY(FormFixture::shownButton(w.cmdStop));
    QVERIFY(FormFixture::hiddenButton(w.cmdCountUp));
    QVERIFY(FormFixture::hiddenButton(w.cmdStart));
    f.seconds(5);
    w.cmdStop_Click();
    QCOMPARE(w.CountMode, 3);
    QCOMPARE(w.TimerRunning, 0);
    QVERIFY(FormFixture::shownButton(w.cmdCountUp));
    QVERIFY(FormFixture::shownButton(w.cmdCountDown));
    QVERIFY(FormFixture::shownButton(w.cmdReset));
    QVERIFY(FormFixture::hiddenButton(w.cmdStop));
    QCOMPARE(w.cmdCountDown->x(), 92);
    f.seconds(2);
    QCOMPARE(f.shown(), QStringLiteral("00:00:05")); // frozen
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    f.second();
    QCOMPARE(f.shown(), QStringLiteral("00:00:06"));
    w.cmdStop_Click();
    // Stopped -> Down set-up continues from the time on show.
    w.cmdCountDown_Click();
    w.cmdStart_Click();
    f.second();
    QCOMPARE(f.shown(), QStringLiteral("00:00:05"));
    w.cmdReset_Click();
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QCOMPARE(w.CountMode, 3);
    QVERIFY(FormFixture::shownButton(w.cmdReset)); // Reset keeps its own state
}

void TimerTest::countDownSetUpMovesTheButtonAndEnablesTheBoxes()
{
    FormFixture f;
    Form1& w = *f.form;
    f.activate();
    w.cmdCountDown_Click();
    QCOMPARE(w.CountMode, 2);
    QCOMPARE(w.cmdCountDown->x(), 8);
    QVERIFY(FormFixture::hiddenButton(w.cmdCountUp));
    QVERIFY(FormFixture::shownButton(w.cmdStart));
    QVERIFY(FormFixture::hiddenButton(w.cmdReset)); // the first Count Down leaves Reset hidden
    for (auto* box : w.digitBoxes()) {
        QVERIFY(box->isEnabled());
    }
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.txtHours2));
    QCOMPARE(w.txtHours2->selectedText(), QStringLiteral("0"));
    w.cmdStart_Click();
    for (auto* box : w.digitBoxes()) {
        QVERIFY(!box->isEnabled());
    }
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.cmdStop));
}

void TimerTest::workedExampleTypedIntoTheBoxes()
{
    FormFixture f;
    Form1& w = *f.form;
    f.activate();
    w.cmdCountDown_Click();
    f.type(QStringLiteral("013000"));
    QCOMPARE(f.shown(), QStringLiteral("01:30:00"));
    QCOMPARE(f.stored(), QStringLiteral("01:30:00"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.cmdStart));
    // Clicking a box selects its digit; typing replaces it and moves on.
    QTest::mouseClick(w.txtMinutes2, Qt::LeftButton);
    QCOMPARE(w.txtMinutes2->selectedText(), QStringLiteral("3"));
    f.type(QStringLiteral("4"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.txtMinutes1));
    QCOMPARE(f.stored(), QStringLiteral("01:40:00"));
    // The same digit again still moves the focus on.
    f.type(QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.txtSeconds2));
    QTest::mouseClick(w.cmdStart, Qt::LeftButton);
    QCOMPARE(w.TimerRunning, 1);
    f.second();
    QCOMPARE(f.shown(), QStringLiteral("01:39:59"));
}

void TimerTest::refusedCharactersBeepAndChangeNothing()
{
    FormFixture f;
    Form1& w = *f.form;
    f.activate();
    w.cmdCountDown_Click();
    f.type(QStringLiteral("12"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.txtMinutes2));
    for (char c : {'6', '7', '8', '9', 'a', ' ', '.'}) {
        QTest::keyClick(w.txtMinutes2, c);
    }
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Escape}) {
        QTest::keyClick(w.txtMinutes2, key);
    }
    QTest::keyClick(w.txtMinutes2, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.fake.sound.beeps, 11);
    QCOMPARE(w.txtMinutes2->text(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.txtMinutes2));
    f.type(QStringLiteral("5"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.txtMinutes1));
    QCOMPARE(f.stored(), QStringLiteral("12:50:00"));
}

void TimerTest::pastedOrDeletedContentNeverReachesTheTime()
{
    FormFixture f;
    Form1& w = *f.form;
    f.activate();
    w.cmdCountDown_Click();
    f.type(QStringLiteral("0013"));
    // A 7 pasted into a tens box, letters, two digits, and a box emptied by Delete.
    w.txtSeconds2->setFocus();
    w.txtSeconds2->setText(QStringLiteral("7"));
    w.txtSeconds1->setFocus();
    QCOMPARE(w.TimeDigits[1], 0);
    QCOMPARE(w.txtSeconds2->text(), QStringLiteral("0"));
    w.txtSeconds1->setText(QStringLiteral("4x"));
    w.txtMinutes1->setFocus();
    QCOMPARE(w.txtSeconds1->text(), QStringLiteral("0"));
    QTest::keyClick(w.txtMinutes1, Qt::Key_Delete);
    QCOMPARE(w.txtMinutes1->text(), QString());
    w.txtHours2->setFocus();
    QCOMPARE(w.txtMinutes1->text(), QStringLiteral("3"));
    QCOMPARE(f.stored(), QStringLiteral("00:13:00"));
    // A valid pasted digit is taken like a typed one.
    w.txtSeconds1->setFocus();
    w.txtSeconds1->setText(QStringLiteral("8"));
    w.txtHours2->setFocus();
    QCOMPARE(f.stored(), QStringLiteral("00:13:08"));
}

void TimerTest::altHRunsHideEvenWhileItIsCovered()
{
    FormFixture f;
    Form1& w = *f.form;
    f.activate();
    QVERIFY(w.cmdCountUp->isVisible()); // Hide lies beneath it
    QTest::keyClick(&w, Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(!w.isVisible());
    w.show();
    f.activate();
    // Other access keys reach their buttons.
    QTest::keyClick(&w, Qt::Key_U, Qt::AltModifier);
    QTRY_COMPARE(w.CountMode, 1);
    QTest::keyClick(&w, Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(!w.isVisible());
}

void TimerTest::digitsTypedRightAfterAnAccessKeyReachTheBoxes()
{
    FormFixture f;
    Form1& w = *f.form;
    f.activate();
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
    f.type(QStringLiteral("000005")); // at once, as a fast typist does
    QCOMPARE(f.shown(), QStringLiteral("00:00:05"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.cmdStart));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.TimerRunning, 1);
}

void TimerTest::typedDigitIsStoredEvenWithoutFocusEvents()
{
    // Seen after a click on the tray icon: the X server gives Horaloom the keys while Qt holds
    // the window inactive and sends no focus-out, so the commit on leaving a box never runs.
    FormFixture f;
    Form1& w = *f.form;
    QVERIFY(!w.isActiveWindow());
    w.cmdCountDown_Click();
    QTest::keyClick(w.txtSeconds1, '7');
    QTest::keyClick(w.txtMinutes2, '4');
    QCOMPARE(f.stored(), QStringLiteral("00:40:07"));
    w.cmdStart_Click();
    f.second();
    QCOMPARE(f.shown(), QStringLiteral("00:40:06"));
}

void TimerTest::countdownEndStartsTheBeepAlarmUntilStop()
{
    FormFixture f;
    Form1& w = *f.form;
    w.cmdCountDown_Click();
    w.TimeDigits = {2, 0, 0, 0, 0, 0};
    w.cmdStart_Click();
    w.hide();
    f.second();
    QVERIFY(!w.Timer2->isActive());
    f.second();
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QVERIFY(w.isVisible()); // brought back
    QVERIFY(FormFixture::hiddenButton(w.cmdReset));
    QCOMPARE(w.TimerRunning, 0);
    QCOMPARE(w.CountMode, 2);
    QVERIFY(w.Timer2->isActive());
    QVERIFY(f.fake.tray.notificationShown);
    QCOMPARE(w.TimeText, QStringLiteral("00:00:00"));
    w.Timer2_Timer();
    w.Timer2_Timer();
    QCOMPARE(f.fake.sound.beeps, 2);
    QCOMPARE(w.CountMode, 3);
    QVERIFY(FormFixture::shownButton(w.cmdStop));
    w.cmdStop_Click();
    QVERIFY(!w.Timer2->isActive());
    QCOMPARE(w.backgroundColour(), QColor(Qt::black));
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QVERIFY(FormFixture::shownButton(w.cmdReset));
}

void TimerTest::waveAlarmPlaysOnceAndFlashesSilently()
{
    FormFixture f(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n/sounds/gong.wav\r\n0\r\n");
    Form1& w = *f.form;
    w.cmdCountDown_Click();
    w.cmdStart_Click(); // from 00:00:00: ends at the first counted second
    f.second();
    QCOMPARE(f.fake.sound.played, std::vector<std::string>{"/sounds/gong.wav"});
    QVERIFY(w.Timer3->isActive());
    QSet<QRgb> colours;
    for (int i = 0; i < 40; ++i) {
        w.Timer3_Timer();
        colours.insert(w.backgroundColour().rgb());
    }
    QVERIFY(colours.size() > 5);
    QCOMPARE(f.fake.sound.beeps, 0);
    QCOMPARE(f.fake.sound.played.size(), 1);
}

void TimerTest::otherAlarmTypeStopsAtZeroWithoutSignal()
{
    FormFixture f(" 4 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    Form1& w = *f.form;
    w.cmdCountDown_Click();
    w.cmdStart_Click();
    f.second();
    QVERIFY(!w.Timer2->isActive());
    QVERIFY(!w.Timer3->isActive());
    QCOMPARE(w.TimerRunning, 0);
    QVERIFY(FormFixture::shownButton(w.cmdStop));
    QCOMPARE(f.fake.sound.beeps, 0);
}

void TimerTest::repeatReloadsTheStartingTimeEveryCycle()
{
    FormFixture f(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    Form1& w = *f.form;
    w.cmdCountDown_Click();
    w.TimeDigits = {3, 0, 0, 0, 0, 0};
    w.cmdStart_Click();
    QStringList seen;
    for (int i = 0; i < 7; ++i) {
        f.second();
        seen << f.shown();
    }
    QCOMPARE(seen, (QStringList{"00:00:02", "00:00:01", "00:00:03", "00:00:02", "00:00:01",
                                "00:00:03", "00:00:02"}));
    QCOMPARE(f.fake.sound.beeps, 2);
    QCOMPARE(w.TimerRunning, 1);
    QCOMPARE(w.CountMode, 2);
    QVERIFY(!w.Timer2->isActive());
    QVERIFY(!w.mnuRepeat->isEnabled());
    // Stopped midway and started again, the remaining time is the new starting time.
    w.cmdStop_Click();
    w.cmdCountDown_Click();
    w.cmdStart_Click();
    f.seconds(2);
    QCOMPARE(f.shown(), QStringLiteral("00:00:02"));
}

void TimerTest::repeatWithoutStartingTimeResetsToIdle()
{
    FormFixture f(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    Form1& w = *f.form;
    w.cmdCountDown_Click();
    w.cmdStart_Click();
    w.TimeText = QStringLiteral("kept");
    f.second();
    QCOMPARE(w.CountMode, 3);
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QCOMPARE(w.TimeText, QStringLiteral("kept"));
    QVERIFY(FormFixture::shownButton(w.cmdCountUp));
    QCOMPARE(f.fake.sound.beeps, 0);
}

void TimerTest::stopAndResetHandTheDecoratedTitleBack()
{
    FormFixture f;
    Form1& w = *f.form;
    f.fake.titles.windows[7] = "Letter - Editor";
    f.fake.titles.windows[8] = "Horaloom";
    f.fake.titles.foreground = 7;
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    f.seconds(2);
    f.fake.titles.foreground = 8; // the user clicks in the main window
    w.cmdReset_Click();
    QCOMPARE(f.fake.titles.windows[7], std::string("Letter - Editor"));
    QCOMPARE(f.fake.titles.windows[8], std::string("00:00:02   Horaloom"));
}

void TimerTest::stopWithdrawsTheNotificationOnlyWhenShown()
{
    FormFixture f;
    Form1& w = *f.form;
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    w.cmdStop_Click();
    QCOMPARE(f.fake.tray.queries, 1);
    QCOMPARE(f.fake.tray.actions, 0);
    f.fake.tray.notificationShown = true;
    w.cmdStop_Click();
    QCOMPARE(f.fake.tray.actions, 1);
}

void TimerTest::trayReleaseBringsTheHiddenWindowBack()
{
    FormFixture f;
    Form1& w = *f.form;
    const QPoint place = w.pos();
    w.cmdHide_Click();
    QVERIFY(!w.isVisible());
    f.fake.tray.release(Qt::RightButton);
    QVERIFY(w.isVisible());
    QCOMPARE(w.pos(), place);
    f.fake.tray.release(Qt::LeftButton); // already shown: stays
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TimerTest)
#include "test_timer.moc"
