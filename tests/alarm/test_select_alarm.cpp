// The Select Alarm dialog on the offscreen platform, with a fake sound and file dialog.
#include "fakeplatform.h"
#include "form4.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace horaloom;

// The settings the main window holds, the fakes, and the dialog over them.
struct Settings {
    std::int16_t AlarmType = 1;
    QString WaveFile = QStringLiteral("/sounds/old.wav");
    fakes::FakeSound sound;
    fakes::FakeFileDialog fileDialog;
    int mainWindowShown = 0;

    QPointer<Form4> load()
    {
        return new Form4(AlarmType, WaveFile, sound, fileDialog, [this] { ++mainWindowShown; });
    }
};

namespace {

template <typename T> T* control(Form4* dialog, const char* name)
{
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

QRadioButton* optBeep(Form4* d)
{
    return control<QRadioButton>(d, "optBeep");
}
QRadioButton* optWave(Form4* d)
{
    return control<QRadioButton>(d, "optWave");
}
QLineEdit* txtWaveFile(Form4* d)
{
    return control<QLineEdit>(d, "txtWaveFile");
}
QPushButton* button(Form4* d, const char* name)
{
    return control<QPushButton>(d, name);
}

bool openActive(Form4* dialog)
{
    dialog->open();
    return QTest::qWaitForWindowActive(dialog);
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSelectAlarm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void loadingFillsFromSettings_data();
    void loadingFillsFromSettings();
    void optionsEnableWaveControlsOnlyForWave();
    void okAppliesOptionHidesAndShowsMainWindow_data();
    void okAppliesOptionHidesAndShowsMainWindow();
    void browseToReadableFileTakesEffectAtOnce();
    void browseFailureChangesNothing_data();
    void browseFailureChangesNothing();
    void browsedPathStaysWhenBeepIsConfirmed();
    void playUsesWaveFileNotTheTextBox();
    void tabFollowsTheControlOrder();
    void frameCloseUnloadsWithoutApplyingOption();

private:
    QTemporaryDir m_dir;
    QString wavePath(const QString& name);
};

QString TestSelectAlarm::wavePath(const QString& name)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("RIFF\0\0\0\0WAVE", 12) != 12) {
        return QString();
    }
    return path;
}

void TestSelectAlarm::loadingFillsFromSettings_data()
{
    QTest::addColumn<int>("alarmType");
    QTest::addColumn<bool>("beep");
    QTest::addColumn<bool>("wave");
    QTest::addColumn<bool>("waveControlsEnabled");
    QTest::newRow("beep") << 0 << true << false << false;
    QTest::newRow("wave file") << 1 << false << true << true;
    QTest::newRow("unknown keeps the designed selection") << 5 << false << true << true;
    QTest::newRow("negative keeps the designed selection") << -1 << false << true << true;
}

void TestSelectAlarm::loadingFillsFromSettings()
{
    QFETCH(int, alarmType);
    QFETCH(bool, beep);
    QFETCH(bool, wave);
    QFETCH(bool, waveControlsEnabled);

    Settings settings;
    settings.AlarmType = static_cast<std::int16_t>(alarmType);
    QPointer<Form4> dialog = settings.load();
    QCOMPARE(optBeep(dialog)->isChecked(), beep);
    QCOMPARE(optWave(dialog)->isChecked(), wave);
    // Disabled or not, the box shows the path.
    QCOMPARE(txtWaveFile(dialog)->text(), settings.WaveFile);
    QCOMPARE(txtWaveFile(dialog)->isEnabled(), waveControlsEnabled);
    QCOMPARE(button(dialog, "cmdBrowse")->isEnabled(), waveControlsEnabled);
    QCOMPARE(button(dialog, "cmdPlay")->isEnabled(), waveControlsEnabled);
    QCOMPARE(settings.AlarmType, alarmType); // loading alone changes no setting
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Alarm"));
    delete dialog.data();
}

void TestSelectAlarm::optionsEnableWaveControlsOnlyForWave()
{
    Settings settings;
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));
    const QList<QWidget*> waveControls = {txtWaveFile(dialog), button(dialog, "cmdBrowse"),
                                          button(dialog, "cmdPlay")};
    for (bool beep : {true, false, true}) {
        click(beep ? optBeep(dialog) : optWave(dialog));
        for (QWidget* w : waveControls) {
            QVERIFY2(w->isEnabled() == !beep, qPrintable(w->objectName()));
        }
    }
    QCOMPARE(settings.AlarmType, 1); // only Ok applies the option
    delete dialog.data();
}

void TestSelectAlarm::okAppliesOptionHidesAndShowsMainWindow_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("after");
    QTest::newRow("wave to beep") << 1 << "optBeep" << 0;
    QTest::newRow("beep to wave") << 0 << "optWave" << 1;
    QTest::newRow("unknown confirmed as wave") << 7 << "" << 1;
}

void TestSelectAlarm::okAppliesOptionHidesAndShowsMainWindow()
{
    QFETCH(int, before);
    QFETCH(QString, option);
    QFETCH(int, after);

    Settings settings;
    settings.AlarmType = static_cast<std::int16_t>(before);
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));
    if (!option.isEmpty()) {
        click(dialog->findChild<QRadioButton*>(option));
    }
    click(button(dialog, "cmdOK"));
    QCOMPARE(settings.AlarmType, after);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(settings.mainWindowShown, 1);

    // Hidden, not unloaded: the next opening shows it as it was left.
    processDeferredDeletes();
    QVERIFY(dialog);
    const bool beepChosen = optBeep(dialog)->isChecked();
    QVERIFY(openActive(dialog));
    QCOMPARE(optBeep(dialog)->isChecked(), beepChosen);
    QCOMPARE(optBeep(dialog)->isChecked(), after == 0);
    QCOMPARE(button(dialog, "cmdPlay")->isEnabled(), after == 1);
    QCOMPARE(txtWaveFile(dialog)->text(), settings.WaveFile);
    delete dialog.data();
}

void TestSelectAlarm::browseToReadableFileTakesEffectAtOnce()
{
    Settings settings;
    settings.fileDialog.answer = wavePath(QStringLiteral("chime.wav"));
    QVERIFY(!settings.fileDialog.answer.isEmpty());
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));

    click(button(dialog, "cmdBrowse"));
    QCOMPARE(settings.fileDialog.opened, 1);
    QCOMPARE(settings.WaveFile, settings.fileDialog.answer);
    QCOMPARE(txtWaveFile(dialog)->text(), settings.fileDialog.answer);
    QVERIFY(dialog->isVisible());
    QCOMPARE(settings.mainWindowShown, 0);
    delete dialog.data();
}

void TestSelectAlarm::browseFailureChangesNothing_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("missing.wav"));
    QTest::newRow("a directory") << m_dir.path();
}

void TestSelectAlarm::browseFailureChangesNothing()
{
    QFETCH(QString, answer);
    Settings settings;
    settings.fileDialog.answer = answer;
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));

    click(button(dialog, "cmdBrowse"));
    QCOMPARE(settings.fileDialog.opened, 1);
    QCOMPARE(settings.WaveFile, QStringLiteral("/sounds/old.wav"));
    QCOMPARE(txtWaveFile(dialog)->text(), QStringLiteral("/sounds/old.wav"));
    QVERIFY(dialog->isVisible());
    delete dialog.data();
}

void TestSelectAlarm::browsedPathStaysWhenBeepIsConfirmed()
{
    Settings settings;
    settings.fileDialog.answer = wavePath(QStringLiteral("bell.wav"));
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));

    click(button(dialog, "cmdBrowse"));
    click(optBeep(dialog));
    click(button(dialog, "cmdOK"));
    QCOMPARE(settings.AlarmType, 0);
    QCOMPARE(settings.WaveFile, settings.fileDialog.answer);
    delete dialog.data();
}

void TestSelectAlarm::playUsesWaveFileNotTheTextBox()
{
    Settings settings;
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));

    // Typing into the box is not taken.
    click(txtWaveFile(dialog));
    QTest::keyClick(txtWaveFile(dialog), Qt::Key_End);
    QTest::keyClicks(txtWaveFile(dialog), QStringLiteral("x.wav"));
    QCOMPARE(txtWaveFile(dialog)->text(), settings.WaveFile);

    // Even a box showing something else plays the setting.
    txtWaveFile(dialog)->setText(QStringLiteral("/elsewhere/other.wav"));
    click(button(dialog, "cmdPlay"));
    QCOMPARE(settings.sound.played, std::vector<std::string>{"/sounds/old.wav"});
    QCOMPARE(settings.sound.beeps, 0);
    QVERIFY(dialog->isVisible());
    delete dialog.data();
}

void TestSelectAlarm::tabFollowsTheControlOrder()
{
    Settings settings;
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));
    // The option group is one stop, entered at its first button; the frame is no stop at all.
    QCOMPARE(QApplication::focusWidget(), optBeep(dialog));

    const QList<QWidget*> order = {txtWaveFile(dialog), button(dialog, "cmdBrowse"),
                                   button(dialog, "cmdPlay"), button(dialog, "cmdOK"),
                                   optBeep(dialog)};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), button(dialog, "cmdOK"));
    delete dialog.data();
}

void TestSelectAlarm::frameCloseUnloadsWithoutApplyingOption()
{
    Settings settings;
    settings.fileDialog.answer = wavePath(QStringLiteral("gong.wav"));
    QPointer<Form4> dialog = settings.load();
    QVERIFY(openActive(dialog));
    click(button(dialog, "cmdBrowse"));
    click(optBeep(dialog));

    dialog->windowHandle()->close(); // as the window frame's close button does
    processDeferredDeletes();
    QVERIFY(dialog.isNull());
    QCOMPARE(settings.AlarmType, 1);
    QCOMPARE(settings.WaveFile, settings.fileDialog.answer);
    QCOMPARE(settings.mainWindowShown, 0);

    // The next opening loads afresh from the settings.
    dialog = settings.load();
    QVERIFY(optWave(dialog)->isChecked());
    QCOMPARE(txtWaveFile(dialog)->text(), settings.fileDialog.answer);
    delete dialog.data();
}

QTEST_MAIN(TestSelectAlarm)
#include "test_select_alarm.moc"
