// The Qt windows on the offscreen platform with the fake platform: the designed layout, every
// control, key and timer reaching the presenter, and what a user of a screen reader, a larger
// font or a scaled screen needs. ctest runs it at several scales. What the presenter decides is
// tested without widgets (tests/presenter).
#include "aboutwindow.h"
#include "digitbox.h"
#include "fakeplatform.h"
#include "helpwindow.h"
#include "mainwindow.h"
#include "selectalarmdialog.h"
#include "states.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <cmath>

using namespace horaloom;

namespace {

template <typename T = QWidget> T* child(const QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

// The main window started on the fake platform with the default settings file.
struct Main {
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    Form1 window{platform};
    bool loaded =
        (fake.files.files["/start/Horaloom.ini"] = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n",
         window.presenter().Form_Load());

    template <typename T = QWidget> T* get(const char* name) { return child<T>(&window, name); }
    void type(const char* keys)
    {
        for (const char* c = keys; *c; ++c) {
            QTest::keyClick(QApplication::focusWidget(), *c);
        }
    }
};

bool openActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

// The ways to leave a window without its Ok: Escape, and the frame's close button.
using Close = void (*)(QWidget*);
const Close closers[] = {
    [](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
    [](QWidget* window) { window->windowHandle()->close(); }};

} // namespace

class TestViews : public QObject {
    Q_OBJECT
private slots:
    void mainWindowIsLaidOutAsDesigned();
    void keysAndClicksReachThePresenter();
    void inactiveWindowTakesClicksAndKeys();
    void selectAlarmControlsReachTheirHandlers();
    void aboutAndHelpCloseByEscapeOrFrame();
    void everyControlIsNamedDescribedAndFitsItsCaption_data();
    void everyControlIsNamedDescribedAndFitsItsCaption();
};

void TestViews::mainWindowIsLaidOutAsDesigned()
{
    Main m;
    QVERIFY(m.loaded);
    QCOMPARE(m.window.centralWidget()->size(), QSize(177, 161));
    // The captions' access keys are the desktop tests' way in to every button.
    const std::pair<const char*, QRect> controls[] = {
        {"txtHours2", {8, 8, 25, 37}},  {"txtSeconds1", {144, 8, 25, 37}},
        {"txtTime", {92, 68, 77, 19}},  {"cmdQuit", {92, 128, 77, 25}},
        {"cmdReset", {8, 128, 77, 25}}, {"cmdCountUp", {8, 96, 77, 25}},
        {"cmdHide", {8, 96, 77, 25}},   {"cmdStart", {92, 96, 77, 25}},
        {"cmdStop", {92, 96, 77, 25}},  {"cmdCountDown", {92, 96, 77, 25}},
    };
    for (const auto& [name, place] : controls) {
        QCOMPARE(m.get(name)->geometry(), place);
    }
    QCOMPARE(m.get<DigitBox>("txtHours2")->font().pointSizeF(), 24.0);
    // Tab order: the boxes, then the buttons.
    QCOMPARE(m.get("txtSeconds2")->nextInFocusChain(), m.get("txtSeconds1"));
    QCOMPARE(m.get("txtSeconds1")->nextInFocusChain(), m.get("cmdCountUp"));
    // Buttons sharing a place stack in their order: Hide lies beneath Count Up.
    QWidget* client = m.window.centralWidget();
    const QPoint left = m.get("cmdCountUp")->geometry().center();
    const QPoint right = m.get("cmdCountDown")->geometry().center();
    m.get("cmdStart")->setVisible(true);
    m.get("cmdStop")->setVisible(true);
    QCOMPARE(client->childAt(right), m.get("cmdCountDown"));
    m.get("cmdCountDown")->setVisible(false);
    QCOMPARE(client->childAt(right), m.get("cmdStop"));
    m.get("cmdCountUp")->setVisible(false);
    QCOMPARE(client->childAt(left), m.get("cmdHide"));
    // The clock box takes no input, yet its text stands out from its own colour (WCAG's 4.5:1).
    auto* clock = m.get<QLineEdit>("txtTime");
    QVERIFY(!clock->isEnabled() && QTest::qWaitForWindowExposed(&m.window));
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const QImage image = clock->grab().toImage();
    std::map<QRgb, int> counts;
    double darkest = 1;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            ++counts[image.pixel(x, y)];
            darkest = std::min(darkest, luminance(image.pixelColor(x, y)));
        }
    }
    const auto background = std::max_element(counts.begin(), counts.end(),
                                             [](auto a, auto b) { return a.second < b.second; });
    const double contrast = (luminance(QColor(background->first)) + 0.05) / (darkest + 0.05);
    QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("contrast %1:1").arg(contrast)));
}

void TestViews::keysAndClicksReachThePresenter()
{
    Main m;
    QVERIFY(openActive(&m.window));
    QTest::keyClick(&m.window, Qt::Key_D, Qt::AltModifier);
    m.type("12"); // at once, as a fast typist does: the access key has pressed its button
    auto* minutes2 = m.get<DigitBox>("txtMinutes2");
    QCOMPARE(QApplication::focusWidget(), minutes2);
    QTest::keyClick(minutes2, '7');
    QTest::keyClick(minutes2, Qt::Key_Backspace);
    QTest::keyClick(minutes2, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m.fake.sound.beeps, 3);
    QCOMPARE(minutes2->text(), QStringLiteral("0"));
    // Delete empties the box; leaving it shows the stored digit again.
    QTest::keyClick(minutes2, Qt::Key_Delete);
    QCOMPARE(minutes2->text(), QString());
    QTest::mouseClick(m.get("txtHours2"), Qt::LeftButton);
    QCOMPARE(minutes2->text(), QStringLiteral("0"));
    // A click selects the box's digit, so the next one replaces it.
    m.type("3");
    QCOMPARE(m.get<DigitBox>("txtHours2")->text(), QStringLiteral("3"));
    m.type("00000");
    QCOMPARE(timeText(m.window.presenter().TimeDigits), std::string("30:00:00"));
    QCOMPARE(QApplication::focusWidget(), m.get("cmdStart"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(m.window.presenter().TimerRunning, TimerOn);
    QTest::keyClick(&m.window, Qt::Key_F1);
    QTRY_VERIFY(qobject_cast<frmHelp*>(QApplication::activeWindow()));
}

// Clicks, keys and what the presenter draws, on a window never made active. Seen after a click
// on the tray icon: the X server gives Horaloom the keys while Qt holds the window inactive and
// sends no focus-out, so a commit on leaving a box never runs. The flashing, the count and the
// menu's toggles are seen in tests/desktop.
void TestViews::inactiveWindowTakesClicksAndKeys()
{
    Main m;
    QCOMPARE(m.get<QLineEdit>("txtTime")->text(), QStringLiteral("10:00:00"));
    click(m.get("cmdCountDown"));
    QCOMPARE(m.get("cmdCountDown")->x(), 8);
    QTest::keyClick(m.get("txtSeconds1"), '7');
    QTest::keyClick(m.get("txtMinutes2"), '4');
    QCOMPARE(timeText(m.window.presenter().TimeDigits), std::string("00:40:07"));
    click(m.get("cmdStart"));
    m.fake.clock.advance();
    m.window.presenter().Timer1_Timer();
    QVERIFY(!m.window.isActiveWindow());
    QVERIFY(!m.window.findChild<QAction*>(QStringLiteral("mnuRepeat"))->isEnabled());
    // The window's close button asks first.
    m.fake.messageBoxes.answers = {MsgBox::No, MsgBox::Yes};
    QVERIFY(!m.window.close());
    QVERIFY(m.window.close());
    QCOMPARE(m.fake.programEnd.ends, std::vector<int>{0});
}

// The Select Alarm dialog, widgets and presenter together.
void TestViews::selectAlarmControlsReachTheirHandlers()
{
    Main m;                     // for its fake platform
    std::int16_t alarmType = 7; // neither beep nor wave file: the designed wave file option
    std::string waveFile = "/sounds/old.wav";
    int mainShown = 0;
    QPointer<Form4> dialog = new Form4(alarmType, waveFile, m.platform, [&] { ++mainShown; });
    QVERIFY(openActive(dialog));
    const auto control = [&](const char* name) { return child(dialog, name); };
    QVERIFY(qobject_cast<QRadioButton*>(control("optWave"))->isChecked());
    // The option group is one stop, entered at its first button; the frame is none.
    QCOMPARE(QApplication::focusWidget(), control("optBeep"));
    for (const char* next : {"txtWaveFile", "cmdBrowse", "cmdPlay", "cmdOK", "optBeep"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(next));
    }
    // Browse takes only a readable file, at once; it opens where the wave file is.
    m.fake.files.files["/sounds/caf\xc3\xa9.wav"] = "RIFF";
    for (const char* answer : {"", "/sounds/missing.wav", "/sounds/caf\xc3\xa9.wav"}) {
        m.fake.fileDialog.answer = answer;
        click(control("cmdBrowse"));
        QCOMPARE(m.fake.fileDialog.startedFrom, std::string("/sounds/old.wav"));
    }
    QCOMPARE(qobject_cast<QLineEdit*>(control("txtWaveFile"))->text(),
             QStringLiteral("/sounds/café.wav"));
    click(control("cmdPlay"));
    QCOMPARE(m.fake.sound.played, std::vector<std::string>{"/sounds/caf\xc3\xa9.wav"});
    click(control("optBeep"));
    QVERIFY(!control("txtWaveFile")->isEnabled() && !control("cmdPlay")->isEnabled());
    QCOMPARE(alarmType, 7);                                       // only Ok applies the option
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Return is Ok
    QVERIFY(alarmType == BeepAlarm && !dialog->isVisible() && mainShown == 1);
    // Escape, or the frame's close button, unloads it without applying the option.
    for (const Close close : closers) {
        delete dialog.data();
        dialog = new Form4(alarmType, waveFile, m.platform, [&] { ++mainShown; });
        QVERIFY(openActive(dialog));
        QVERIFY(qobject_cast<QRadioButton*>(control("optBeep"))->isChecked());
        click(control("optWave"));
        close(dialog);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog.isNull());
        QCOMPARE(alarmType, BeepAlarm);
    }
}

// Escape and the frame's close button hide the window (Ok, and its opening again, are seen in
// tests/desktop). The help text cannot be changed.
void TestViews::aboutAndHelpCloseByEscapeOrFrame()
{
    Form2 about;
    frmHelp help;
    for (QWidget* window : std::initializer_list<QWidget*>{&about, &help}) {
        for (const Close close : closers) {
            window == &about ? about.open() : help.open();
            QVERIFY(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
            close(window);
            QVERIFY(!window->isVisible());
        }
    }
    auto* text = help.findChild<QTextEdit*>(QStringLiteral("Text1"));
    const QString before = text->toPlainText();
    QTest::keyClicks(text, QStringLiteral("typed"));
    QTest::keyClick(text, Qt::Key_Delete);
    QCOMPARE(text->toPlainText(), before);
}

void TestViews::everyControlIsNamedDescribedAndFitsItsCaption_data()
{
    QTest::addColumn<int>("systemPoints");
    QTest::newRow("system font") << 0;
    QTest::newRow("13 pt system font") << 13;
}

void TestViews::everyControlIsNamedDescribedAndFitsItsCaption()
{
    QFETCH(int, systemPoints);
    const QFont system = QApplication::font();
    QFont font = system;
    if (systemPoints > 0) {
        font.setPointSize(systemPoints);
    }
    QApplication::setFont(font);
    Main m;
    Form2 about;
    frmHelp help;
    std::int16_t alarmType = 1;
    std::string waveFile;
    Form4 selectAlarm(alarmType, waveFile, m.platform, [] {});
    for (QWidget* window :
         std::initializer_list<QWidget*>{&m.window, &about, &help, &selectAlarm}) {
        window->show();
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) {
                continue; // a widget Qt makes for its own use (menu bar, scroll bars)
            }
            const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            const QString name = accessible->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && !name.contains('&') &&
                         !accessible->text(QAccessible::Description).isEmpty(),
                     qPrintable(control->objectName()));
            // The room a caption needs: its text, a button's margins, a radio's indicator.
            const QStyle* style = control->style();
            QString caption;
            int room = 0;
            if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                caption = button->text().remove('&');
                room = qobject_cast<QRadioButton*>(control)
                           ? style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                 style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing)
                           : 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
            } else if (auto* label = qobject_cast<QLabel*>(control)) {
                caption = label->text();
            } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
                caption = group->title();
                room = 16; // the frame's line runs on both sides of the title
            }
            const QFontMetrics metrics(control->font());
            QVERIFY2(caption.isEmpty() ||
                         (metrics.horizontalAdvance(caption) + room <= control->width() &&
                          metrics.height() <= control->height()),
                     qPrintable(control->objectName() + ": " + caption));
        }
    }
    QApplication::setFont(system);
}

QTEST_MAIN(TestViews)
#include "test_views.moc"
