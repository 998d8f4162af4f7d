// The exit question, the settings written at exit, the Settings toggles, the close button.
#include "formfixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QPushButton>

using horaloom::Form1;
using horaloom::testing::FormFixture;
namespace MsgBox = horaloom::MsgBox;

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
} // namespace

class ExitTest : public QObject {
    Q_OBJECT
private slots:
    void exitWhileCountingAsksWithTheNoteAndNoLeavesItIdle();
    void yesWritesTheFileIntoTheStartDirectoryWithTheWindowsPosition();
    void failedWriteIsReportedAndTheOldFileKept();
    void togglesReturnToTheirFirstStateAfterTwoClicks();
    void closeButtonTakesTheExitPath();
    void exitHandsTheDecoratedTitleBackWhateverTheAnswer();
    void exitDuringTheAlarmStopsItAndAsksWithoutTheNote();
};

void ExitTest::exitWhileCountingAsksWithTheNoteAndNoLeavesItIdle()
{
    FormFixture f;
    Form1& w = *f.form;
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    f.seconds(3);
    f.fake.messageBoxes.answers = {MsgBox::No};
    w.cmdQuit_Click();
    QCOMPARE(f.fake.messageBoxes.shown.size(), 1u);
    QCOMPARE(f.fake.messageBoxes.shown[0].text,
             QStringLiteral("Are you sure you want to quit?\r\n     (Timer has been reset)"));
    QCOMPARE(f.fake.messageBoxes.shown[0].title, QStringLiteral("Exit Horaloom"));
    QCOMPARE(f.fake.messageBoxes.shown[0].style, 4);
    QCOMPARE(w.TimerRunning, 0);
    QCOMPARE(w.CountMode, 3);
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QVERIFY(f.fake.programEnd.ends.empty());
    QCOMPARE(readAll(f.dir.filePath("Horaloom.ini")), horaloom::testing::DefaultSettings);
    // The second attempt asks without the note.
    f.fake.messageBoxes.answers = {MsgBox::No};
    w.mnuExit->trigger();
    QCOMPARE(f.fake.messageBoxes.shown.size(), 2u);
    QCOMPARE(f.fake.messageBoxes.shown[1].text, QStringLiteral("Are you sure you want to quit?"));
}

void ExitTest::yesWritesTheFileIntoTheStartDirectoryWithTheWindowsPosition()
{
    FormFixture f(" 1 \r\n 0 \r\n 1 \r\n 2880 \r\n 1995 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n");
    Form1& w = *f.form;
    w.mnuPosition->trigger(); // off: the position is written all the same
    w.move(200, 100);
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path()); // as a file dialog may leave it
    f.fake.messageBoxes.answers = {MsgBox::Yes};
    w.cmdQuit_Click();
    QCOMPARE(f.fake.programEnd.ends, std::vector<int>{0});
    QVERIFY(!w.isVisible());
    QVERIFY(!w.Timer1->isActive());
    QCOMPARE(readAll(f.dir.filePath("Horaloom.ini")),
             QByteArray(" 1 \r\n 0 \r\n 0 \r\n 3000 \r\n 1500 \r\nC:\\SOUNDS\\ALARM.WAV\r\n1\r\n"));
    QVERIFY(!QFile::exists(elsewhere.filePath("Horaloom.ini")));
}

void ExitTest::failedWriteIsReportedAndTheOldFileKept()
{
    FormFixture f;
    Form1& w = *f.form;
    // The start-up directory has gone: nothing can be written there.
    w.StartDir = f.dir.filePath(QStringLiteral("gone"));
    f.fake.messageBoxes.answers = {MsgBox::Yes};
    w.cmdQuit_Click();
    QCOMPARE(f.fake.messageBoxes.shown.size(), 2u);
    QVERIFY(f.fake.messageBoxes.shown[1].text.contains(QStringLiteral("Horaloom.ini")));
    QCOMPARE(f.fake.messageBoxes.shown[1].style, 48);
    QCOMPARE(f.fake.programEnd.ends, std::vector<int>{0});
    QCOMPARE(readAll(f.dir.filePath("Horaloom.ini")), horaloom::testing::DefaultSettings);
}

void ExitTest::togglesReturnToTheirFirstStateAfterTwoClicks()
{
    FormFixture f(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n");
    Form1& w = *f.form;
    w.mnuPosition->trigger();
    w.mnuRepeat->trigger();
    w.mnuDisplayClock->trigger();
    QCOMPARE(w.SavePosition, 1);
    QCOMPARE(w.RepeatCountdown, 0);
    QCOMPARE(w.DisplayClock, QStringLiteral("1"));
    QVERIFY(w.mnuPosition->isChecked());
    QVERIFY(!w.mnuRepeat->isChecked());
    w.mnuPosition->trigger();
    w.mnuRepeat->trigger();
    w.mnuDisplayClock->trigger();
    QCOMPARE(w.SavePosition, 0);
    QCOMPARE(w.RepeatCountdown, 1);
    QCOMPARE(w.DisplayClock, QStringLiteral("0"));
    QVERIFY(!w.mnuPosition->isChecked());
    QVERIFY(w.mnuRepeat->isChecked());
    QVERIFY(!w.mnuDisplayClock->isChecked());
}

void ExitTest::closeButtonTakesTheExitPath()
{
    FormFixture f;
    Form1& w = *f.form;
    f.fake.messageBoxes.answers = {MsgBox::No};
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(f.fake.messageBoxes.shown.size(), 1u);
    f.fake.messageBoxes.answers = {MsgBox::Yes};
    w.close();
    QCOMPARE(f.fake.programEnd.ends, std::vector<int>{0});
    QCOMPARE(f.fake.messageBoxes.shown.size(), 2u);
}

void ExitTest::exitHandsTheDecoratedTitleBackWhateverTheAnswer()
{
    FormFixture f;
    Form1& w = *f.form;
    f.fake.titles.windows[7] = "Editor";
    f.fake.titles.windows[8] = "Horaloom";
    f.fake.titles.foreground = 7;
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    f.second();
    f.fake.titles.foreground = 8;
    f.fake.messageBoxes.answers = {MsgBox::No};
    w.cmdQuit_Click();
    QCOMPARE(f.fake.titles.windows[7], std::string("Editor"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Horaloom"));
}

void ExitTest::exitDuringTheAlarmStopsItAndAsksWithoutTheNote()
{
    FormFixture f;
    Form1& w = *f.form;
    w.cmdCountDown_Click();
    w.cmdStart_Click();
    f.second(); // from 00:00:00: the alarm starts at once
    w.Timer2_Timer();
    QVERIFY(w.Timer2->isActive());
    bool flashingWhileAsked = true;
    f.fake.messageBoxes.whileOpen = [&] {
        flashingWhileAsked = w.Timer2->isActive() || w.Timer3->isActive();
    };
    f.fake.messageBoxes.answers = {MsgBox::No};
    w.cmdQuit_Click();
    QVERIFY(!flashingWhileAsked);
    QCOMPARE(f.fake.messageBoxes.shown.back().text, QStringLiteral("Are you sure you want to quit?"));
    QCOMPARE(w.backgroundColour(), QColor(Qt::black));
    QVERIFY(FormFixture::hiddenButton(w.cmdStop));
    QVERIFY(FormFixture::shownButton(w.cmdCountUp));
    QCOMPARE(w.CountMode, 3);
}

QTEST_MAIN(ExitTest)
#include "test_exit.moc"
