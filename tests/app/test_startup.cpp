// Start-up, the idle state, the window's layout and the settings file at start-up.
#include "formfixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

using horaloom::Form1;
using horaloom::testing::FormFixture;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void idleStateAfterStartUp();
    void layoutMatchesTheDesignedWindow();
    void buttonsSharingAPlaceStackInTheirOrder();
    void menuBarHasEveryEntryUncheckedAndEnabledByDefault();
    void secondCopyIsRefusedWithoutReadingSettings();
    void unreadableSettingsEndTheProgramWithTheStartUpMessage_data();
    void unreadableSettingsEndTheProgramWithTheStartUpMessage();
    void savedPositionIsTakenAsItIsEvenOffScreen();
    void positionZeroCentresTheWindow();
    void otherPositionValueNeitherMovesNorChecks();
    void checkMarksFollowTheFile();
    void resetProgramFromACountingStateWhileHidden();
};

void StartupTest::idleStateAfterStartUp()
{
    FormFixture f;
    QVERIFY(f.loaded);
    Form1& w = *f.form;
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Horaloom"));
    QCOMPARE(w.CountMode, 3);
    QCOMPARE(w.TimerRunning, 0);
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QCOMPARE(f.stored(), QStringLiteral("00:00:00"));
    for (auto* box : w.digitBoxes()) {
        QVERIFY(!box->isEnabled());
    }
    QVERIFY(FormFixture::shownButton(w.cmdCountUp));
    QVERIFY(FormFixture::shownButton(w.cmdCountDown));
    QVERIFY(FormFixture::shownButton(w.cmdQuit));
    QVERIFY(FormFixture::shownButton(w.cmdHide));
    QVERIFY(FormFixture::hiddenButton(w.cmdStart));
    QVERIFY(FormFixture::hiddenButton(w.cmdStop));
    QVERIFY(FormFixture::hiddenButton(w.cmdReset));
    QCOMPARE(w.cmdCountDown->x(), 92);
    QCOMPARE(w.txtTime->text(), f.fake.clock.time);
    QVERIFY(!w.txtTime->isEnabled());
    QCOMPARE(w.backgroundColour(), QColor(Qt::black));
    QCOMPARE(w.StartDir, f.dir.path());
    QCOMPARE(f.fake.tray.startups, 1);
    QVERIFY(f.fake.messageBoxes.shown.empty());
    QVERIFY(w.Timer1->isActive());
    QVERIFY(!w.Timer2->isActive());
    QVERIFY(!w.Timer3->isActive());
    QCOMPARE(w.TimeText, QString());
}

void StartupTest::layoutMatchesTheDesignedWindow()
{
    FormFixture f;
    Form1& w = *f.form;
    QCOMPARE(w.clientArea()->size(), QSize(177, 161));
    // Twips to pixels at 15 twips a pixel.
    QCOMPARE(w.txtHours2->geometry(), QRect(8, 8, 25, 37));
    QCOMPARE(w.txtSeconds1->geometry(), QRect(144, 8, 25, 37));
    QCOMPARE(w.lblColon2->geometry(), QRect(56, 8, 9, 37));
    QCOMPARE(w.txtTime->geometry(), QRect(92, 68, 77, 19));
    QCOMPARE(w.cmdQuit->geometry(), QRect(92, 128, 77, 25));
    QCOMPARE(w.cmdReset->geometry(), QRect(8, 128, 77, 25));
    QCOMPARE(w.cmdCountUp->geometry(), QRect(8, 96, 77, 25));
    QCOMPARE(w.cmdHide->geometry(), w.cmdCountUp->geometry());
    QCOMPARE(w.cmdStart->geometry(), w.cmdCountDown->geometry());
    QCOMPARE(w.cmdCountUp->text(), QStringLiteral("Count &Up"));
    QCOMPARE(w.cmdCountDown->text(), QStringLiteral("Count &Down"));
    QCOMPARE(w.cmdStart->text(), QStringLiteral("St&art Timer"));
    QCOMPARE(w.cmdStop->text(), QStringLiteral("St&op Timer"));
    QCOMPARE(w.lblCurrentTime->text(), QStringLiteral("Current Time:"));
    // The digits fit their boxes: a digit's ink is narrower and lower than the box.
    const QFontMetrics metrics(w.txtHours2->font());
    QVERIFY(metrics.tightBoundingRect(QStringLiteral("8")).height() < w.txtHours2->height());
    QVERIFY(metrics.horizontalAdvance(QStringLiteral("8")) < w.txtHours2->width());
    QCOMPARE(w.txtHours2->font().pointSizeF(), 24.0);
    // Tab order by tab index: the boxes, then the buttons.
    QCOMPARE(w.txtHours2->nextInFocusChain(), static_cast<QWidget*>(w.txtHours1));
    QCOMPARE(w.txtSeconds2->nextInFocusChain(), static_cast<QWidget*>(w.txtSeconds1));
    QCOMPARE(w.txtSeconds1->nextInFocusChain(), static_cast<QWidget*>(w.cmdCountUp));
    QCOMPARE(w.cmdReset->nextInFocusChain(), static_cast<QWidget*>(w.cmdQuit));
}

void StartupTest::buttonsSharingAPlaceStackInTheirOrder()
{
    FormFixture f;
    Form1& w = *f.form;
    QWidget* client = w.clientArea();
    const QPoint left = w.cmdCountUp->geometry().center();
    const QPoint right = w.cmdCountDown->geometry().center();
    QCOMPARE(client->childAt(left), static_cast<QWidget*>(w.cmdCountUp));
    // Hide lies beneath Count Up and shows once Count Up is hidden.
    w.cmdStart->setVisible(true);
    w.cmdStop->setVisible(true);
    QCOMPARE(client->childAt(right), static_cast<QWidget*>(w.cmdCountDown));
    w.cmdCountDown->setVisible(false);
    QCOMPARE(client->childAt(right), static_cast<QWidget*>(w.cmdStop));
    w.cmdCountUp->setVisible(false);
    QCOMPARE(client->childAt(left), static_cast<QWidget*>(w.cmdHide));
}

void StartupTest::menuBarHasEveryEntryUncheckedAndEnabledByDefault()
{
    FormFixture f;
    Form1& w = *f.form;
    QStringList titles;
    for (QAction* menu : w.menuBar()->actions()) {
        titles << menu->text();
    }
    QCOMPARE(titles, (QStringList{"&File", "&Settings", "&Help"}));
    QStringList settings;
    for (QAction* entry : w.mnuSettings->actions()) {
        settings << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        QVERIFY(entry->isEnabled());
        QVERIFY(entry->shortcut().isEmpty());
    }
    QCOMPARE(settings, (QStringList{"Save &Position on Exit", "&Repeat Countdown",
                                    "&Display Clock in Title Bar", "-", "&Select Alarm"}));
    QCOMPARE(w.mnuExit->text(), QStringLiteral("&Exit"));
    QCOMPARE(w.mnuProgram->text(), QStringLiteral("&Program"));
    QCOMPARE(w.mnuabout->text(), QStringLiteral("&About"));
    QVERIFY(!w.mnuPosition->isChecked());
    QVERIFY(!w.mnuRepeat->isChecked());
    QVERIFY(!w.mnuDisplayClock->isChecked());
}

void StartupTest::secondCopyIsRefusedWithoutReadingSettings()
{
    horaloom::fakes::FakePlatform fake;
    fake.singleInstance.otherRunning = true;
    horaloom::Platform platform = fake.bundle();
    QTemporaryDir empty; // no settings file: reading it would show a second message
    const QString previous = QDir::currentPath();
    QDir::setCurrent(empty.path());
    Form1 w(platform);
    QVERIFY(!w.Form_Load());
    QDir::setCurrent(previous);
    QCOMPARE(fake.messageBoxes.shown.size(), 1u);
    QCOMPARE(fake.messageBoxes.shown[0].text, QStringLiteral("Horaloom is already running."));
    QCOMPARE(fake.messageBoxes.shown[0].title, QStringLiteral("Horaloom"));
    QCOMPARE(fake.messageBoxes.shown[0].style, 16);
    QCOMPARE(fake.programEnd.ends, std::vector<int>{1});
    QCOMPARE(fake.tray.startups, 0);
    QVERIFY(!w.isVisible());
}

void StartupTest::unreadableSettingsEndTheProgramWithTheStartUpMessage_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("present");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("six lines") << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n") << true;
    QTest::newRow("integer out of range")
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 40000 \r\n 0 \r\n\r\n0\r\n") << true;
    QTest::newRow("empty integer")
        << QByteArray(" 0 \r\n\r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n") << true;
    QTest::newRow("empty clock line")
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n\r\n") << true;
    QTest::newRow("clock not a number")
        << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\nC:\\BELL\r\nLOUD.WAV\r\n") << true;
}

void StartupTest::unreadableSettingsEndTheProgramWithTheStartUpMessage()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, present);
    FormFixture f(settings, present);
    QVERIFY(!f.loaded);
    QCOMPARE(f.fake.messageBoxes.shown.size(), 1u);
    QCOMPARE(f.fake.messageBoxes.shown[0].text,
             QStringLiteral("Horaloom must be started from its directory"));
    QCOMPARE(f.fake.messageBoxes.shown[0].title, QStringLiteral("Horaloom"));
    QCOMPARE(f.fake.messageBoxes.shown[0].style, 48);
    QCOMPARE(f.fake.programEnd.ends, std::vector<int>{1});
    QVERIFY(!f.form->isVisible());
    QCOMPARE(f.fake.tray.startups, 0);
}

void StartupTest::savedPositionIsTakenAsItIsEvenOffScreen()
{
    FormFixture f(" 1 \r\n 0 \r\n 1 \r\n-3000 \r\n 1995 \r\n/tmp/bell,loud.wav\r\n1\r\n");
    QVERIFY(f.loaded);
    QCOMPARE(f.form->pos(), QPoint(-200, 133));
    QVERIFY(f.form->mnuPosition->isChecked());
    QCOMPARE(f.form->AlarmType, 1);
    QCOMPARE(f.form->WaveFile, QStringLiteral("/tmp/bell,loud.wav"));
}

void StartupTest::positionZeroCentresTheWindow()
{
    FormFixture f(" 0 \r\n 0 \r\n 0 \r\n 30000 \r\n 30000 \r\n\r\n0\r\n");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = f.form->frameGeometry();
    // The frame's own width is not known before the window is first shown: centred to within it.
    QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 3);
    QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 3);
    QVERIFY(!f.form->mnuPosition->isChecked());
}

void StartupTest::otherPositionValueNeitherMovesNorChecks()
{
    FormFixture f(" 0 \r\n 0 \r\n 2 \r\n 3000 \r\n 3000 \r\n\r\n0\r\n");
    QVERIFY(f.loaded);
    QVERIFY(f.form->isVisible()); // shown at the end of start-up, where it was created
    QCOMPARE(f.form->pos(), QPoint(126, 202));
    QVERIFY(!f.form->mnuPosition->isChecked());
    QCOMPARE(f.form->SavePosition, 2);
}

void StartupTest::checkMarksFollowTheFile()
{
    FormFixture on(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n 1 \r\n");
    QVERIFY(on.form->mnuRepeat->isChecked());
    QVERIFY(on.form->mnuDisplayClock->isChecked());
    QCOMPARE(on.form->RepeatCountdown, 1);
    FormFixture other(" 0 \r\n 3 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n7\r\n");
    QVERIFY(other.loaded);
    QVERIFY(!other.form->mnuRepeat->isChecked());
    QVERIFY(!other.form->mnuDisplayClock->isChecked());
    QCOMPARE(other.form->DisplayClock, QStringLiteral("7"));
}

void StartupTest::resetProgramFromACountingStateWhileHidden()
{
    FormFixture f;
    Form1& w = *f.form;
    w.cmdCountUp_Click();
    w.cmdStart_Click();
    f.seconds(3);
    w.setWindowTitle(QStringLiteral("00:00:03   Horaloom"));
    w.Timer2->start();
    w.hide();
    w.ResetProgram();
    QCOMPARE(w.windowTitle(), QStringLiteral("Horaloom"));
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    QCOMPARE(w.CountMode, 3);
    QCOMPARE(w.TimerRunning, 1); // left as it was; the tick relies on the mode
    QCOMPARE(w.TimeText, QStringLiteral("00:00:03"));
    QVERIFY(!w.Timer2->isActive());
    QVERIFY(FormFixture::shownButton(w.cmdCountUp));
    QVERIFY(FormFixture::hiddenButton(w.cmdStop));
    QVERIFY(FormFixture::shownButton(w.cmdReset)); // Reset keeps its state
    f.seconds(2);
    QCOMPARE(f.shown(), QStringLiteral("00:00:00"));
    w.show();
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
