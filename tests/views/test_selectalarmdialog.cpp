// The Select Alarm dialog's widgets: its controls reach the presenter, the tab order, and a
// close by the window frame that unloads it.
#include "fakeplatform.h"
#include "selectalarmdialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

using namespace horaloom;

namespace {

// The settings the main window holds, the fakes, and the dialog over them.
struct Fixture {
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    std::int16_t AlarmType = 1;
    std::string WaveFile = "/sounds/old.wav";
    int mainWindowShown = 0;

    QPointer<Form4> load()
    {
        return new Form4(AlarmType, WaveFile, platform, [this] { ++mainWindowShown; });
    }
};

template <typename T> T* control(Form4* dialog, const char* name)
{
    return dialog->findChild<T*>(QString::fromLatin1(name));
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

} // namespace

class TestSelectAlarmDialog : public QObject {
    Q_OBJECT
private slots:
    void controlsReachTheirHandlers();
    void tabFollowsTheControlOrder();
    void frameCloseUnloadsWithoutApplyingOption();
};

void TestSelectAlarmDialog::controlsReachTheirHandlers()
{
    Fixture f;
    f.fake.files.files["/sounds/caf\xc3\xa9.wav"] = "RIFF";
    f.fake.fileDialog.answer = "/sounds/caf\xc3\xa9.wav";
    QPointer<Form4> dialog = f.load();
    QVERIFY(openActive(dialog));
    QCOMPARE(control<QLineEdit>(dialog, "txtWaveFile")->text(), QStringLiteral("/sounds/old.wav"));
    QVERIFY(control<QRadioButton>(dialog, "optWave")->isChecked());

    click(control<QPushButton>(dialog, "cmdPlay"));
    QCOMPARE(f.fake.sound.played, std::vector<std::string>{"/sounds/old.wav"});
    click(control<QPushButton>(dialog, "cmdBrowse"));
    QCOMPARE(f.WaveFile, f.fake.fileDialog.answer);
    QCOMPARE(control<QLineEdit>(dialog, "txtWaveFile")->text(), QStringLiteral("/sounds/café.wav"));

    click(control<QRadioButton>(dialog, "optBeep"));
    for (const char* name : {"txtWaveFile", "cmdBrowse", "cmdPlay"}) {
        QVERIFY2(!control<QWidget>(dialog, name)->isEnabled(), name);
    }
    click(control<QPushButton>(dialog, "cmdOK"));
    QCOMPARE(f.AlarmType, 0);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.mainWindowShown, 1);
    delete dialog.data();
}

void TestSelectAlarmDialog::tabFollowsTheControlOrder()
{
    Fixture f;
    QPointer<Form4> dialog = f.load();
    QVERIFY(openActive(dialog));
    // The option group is one stop, entered at its first button; the frame is no stop at all.
    QWidget* optBeep = control<QRadioButton>(dialog, "optBeep");
    QCOMPARE(QApplication::focusWidget(), optBeep);
    const QList<QWidget*> order = {
        control<QLineEdit>(dialog, "txtWaveFile"), control<QPushButton>(dialog, "cmdBrowse"),
        control<QPushButton>(dialog, "cmdPlay"), control<QPushButton>(dialog, "cmdOK"), optBeep};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    delete dialog.data();
}

void TestSelectAlarmDialog::frameCloseUnloadsWithoutApplyingOption()
{
    Fixture f;
    QPointer<Form4> dialog = f.load();
    QVERIFY(openActive(dialog));
    click(control<QRadioButton>(dialog, "optBeep"));
    dialog->windowHandle()->close(); // as the window frame's close button does
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
    QCOMPARE(f.AlarmType, 1);
    QCOMPARE(f.mainWindowShown, 0);
    // The next opening loads afresh from the settings.
    dialog = f.load();
    QVERIFY(control<QRadioButton>(dialog, "optWave")->isChecked());
    delete dialog.data();
}

QTEST_MAIN(TestSelectAlarmDialog)
#include "test_selectalarmdialog.moc"
