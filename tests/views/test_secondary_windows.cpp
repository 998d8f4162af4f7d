// The About and Help windows on the offscreen platform.
#include "aboutwindow.h"
#include "helptext.h"
#include "helpwindow.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QWindow>

using namespace horaloom;

namespace {

// Written out independently of the program's own list of lines, quote by quote.
const char ExpectedHelpText[] =
    "Select \"Count Up\",  or \"Count Down\" mode.\r\n"
    "\r\n"
    "If you select \"Count Down\", enter your desired time.\r\n"
    "\r\n"
    "Select \"Start Timer\", \"Stop Timer\"\", and  \r\n"
    "\"Reset\"\" to manipulate timer display\r\n"
    "\r\n"
    "Select \"Hide\" to hide the setup screen. Click the System Tray\r\n"
    "icon to display the setup screen.\r\n"
    "\r\n"
    "\"Repeat Countdown\" causes the countdown timer to cycle.\r\n"
    "\r\n"
    "\"Save Position on Exit\" restores the last timer window position "
    "on startup.\r\n"
    "\r\n"
    "\"Display Clock in Title Bar\" displays current time with running "
    "timer.\r\n"
    "\r\n"
    "\"Select Alarm\" specifies sound (\"Beep\" or \"Wave File\")\r\n"
    "on countdown completion.\r\n";

template <typename Window> bool openActive(Window& window)
{
    window.open();
    return QTest::qWaitForWindowActive(&window);
}

QColor rimColour(const QWidget& window)
{
    // The top of the rim, at the middle of the 32-pixel picture.
    return window.windowIcon().pixmap(32, 32).toImage().pixelColor(16, 2);
}

// Ok hides without destroying; opening again shows the very same window with the same content;
// closing by the frame only hides too.
template <typename Window> void okHidesAndReopensUnchanged(const char* okName)
{
    QPointer<Window> window = new Window;
    QVERIFY(openActive(*window));
    const QString title = window->windowTitle();
    const QSize size = window->size();
    const QList<QWidget*> children = window->template findChildren<QWidget*>();

    auto* ok = window->template findChild<QPushButton*>(okName);
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window);

    QVERIFY(openActive(*window));
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->size(), size);
    QCOMPARE(window->template findChildren<QWidget*>(), children);

    window->windowHandle()->close();
    QVERIFY(!window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window);
    delete window.data();
}

} // namespace

class TestSecondaryWindows : public QObject {
    Q_OBJECT
private slots:
    void helpTextIsExactByteForByte();
    void helpWindowShowsEveryLineCentredInCyanOnBlack();
    void helpTextCannotBeChangedButCursorReachesTheEnd();
    void helpTextIsSkippedByTab();
    void okHidesAndReopensSameWindow();
    void aboutWindowFitsItsContentAndOnlyOkTakesFocus();
    void windowIconsHaveTheirRims();
};

void TestSecondaryWindows::helpTextIsExactByteForByte()
{
    const QString text = QString::fromStdString(helpText());
    QCOMPARE(text.size(), 579);
    QCOMPARE(text.toLatin1(), QByteArray(ExpectedHelpText));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 18);
    QCOMPARE(text.count(QLatin1Char('\r')), 18);
    QCOMPARE(text.count(QLatin1Char('\n')), 18);

    QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString()); // the last line is ended too
    QList<qsizetype> lengths;
    for (const QString& line : lines) {
        lengths << line.size();
    }
    const QList<qsizetype> expected = {41, 0,  52, 0,  42, 36, 0, 61, 33,
                                       0,  55, 0,  75, 0,  70, 0, 54, 24};
    QCOMPARE(lengths, expected);

    frmHelp help;
    QCOMPARE(help.helpText(), text);
}

void TestSecondaryWindows::helpWindowShowsEveryLineCentredInCyanOnBlack()
{
    frmHelp help;
    auto* text1 = help.findChild<QTextEdit*>(QStringLiteral("Text1"));
    QVERIFY(text1);

    QString shown = QString::fromLatin1(ExpectedHelpText);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(text1->toPlainText(), shown);

    const QTextDocument* document = text1->document();
    QCOMPARE(document->blockCount(), 19); // 18 lines and the empty one after the last CR LF
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    QCOMPARE(text1->palette().color(QPalette::Text), QColor(0, 255, 255));
    QCOMPARE(text1->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(help.palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text1->font(), help.font());
}

void TestSecondaryWindows::helpTextCannotBeChangedButCursorReachesTheEnd()
{
    frmHelp help;
    QVERIFY(openActive(help));
    auto* text1 = help.findChild<QTextEdit*>(QStringLiteral("Text1"));
    const QString before = text1->toPlainText();

    QTest::mouseClick(text1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QApplication::focusWidget(), text1);
    QTest::keyClicks(text1, QStringLiteral("typed"));
    QTest::keyClick(text1, Qt::Key_Backspace);
    QTest::keyClick(text1, Qt::Key_Delete);
    QTest::keyClick(text1, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(text1->toPlainText(), before);
    QCOMPARE(help.helpText(), QString::fromStdString(helpText()));

    // The text is longer than the box: a scroll bar shows, and the cursor keys reach the end.
    QVERIFY(text1->verticalScrollBar()->isVisible());
    QTest::keyClick(text1, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(text1->textCursor().position(), text1->document()->characterCount() - 1);
    QVERIFY(text1->viewport()->rect().contains(text1->cursorRect()));
}

void TestSecondaryWindows::helpTextIsSkippedByTab()
{
    frmHelp help;
    QVERIFY(openActive(help));
    auto* cmdOk = help.findChild<QPushButton*>(QStringLiteral("cmdOk"));
    auto* text1 = help.findChild<QTextEdit*>(QStringLiteral("Text1"));
    QCOMPARE(QApplication::focusWidget(), cmdOk);

    QTest::keyClick(cmdOk, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), cmdOk);
    QTest::keyClick(cmdOk, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), cmdOk);

    // A click still gets in, and Tab leaves again instead of being taken as text.
    QTest::mouseClick(text1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QApplication::focusWidget(), text1);
    QTest::keyClick(text1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), cmdOk);
}

void TestSecondaryWindows::okHidesAndReopensSameWindow()
{
    okHidesAndReopensUnchanged<Form2>("cmdOK");
    if (QTest::currentTestFailed()) {
        return;
    }
    okHidesAndReopensUnchanged<frmHelp>("cmdOk");
}

void TestSecondaryWindows::aboutWindowFitsItsContentAndOnlyOkTakesFocus()
{
    Form2 about;
    QVERIFY(openActive(about));
    auto* cmdOK = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(QApplication::focusWidget(), cmdOK);
    QTest::keyClick(cmdOK, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), cmdOK);

    const QRect client = about.rect();
    QCOMPARE(about.minimumSize(), about.maximumSize());
    for (QWidget* child : about.findChildren<QWidget*>()) {
        QVERIFY2(client.contains(child->geometry()), qPrintable(child->objectName()));
        if (child != cmdOK) {
            QCOMPARE(child->focusPolicy(), Qt::NoFocus);
        }
    }

    // The Windows face is named; here a substitute draws it, and the caption still fits.
    const QStringList faces = {QStringLiteral("Arial Rounded MT Bold"),
                               QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QList<std::pair<QString, double>> labels = {{QStringLiteral("lblOpening1"), 20.25},
                                                      {QStringLiteral("lblVersion"), 14.25}};
    for (const auto& [name, points] : labels) {
        auto* label = about.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->font().family(), QStringLiteral("Arial Rounded MT Bold"));
        QCOMPARE(label->font().pointSizeF(), points);
        QVERIFY(label->font().bold());
        QVERIFY2(faces.contains(QFontInfo(label->font()).family()),
                 qPrintable(QFontInfo(label->font()).family()));
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
}

void TestSecondaryWindows::windowIconsHaveTheirRims()
{
    Form2 about;
    frmHelp help;
    const QColor aboutRim = rimColour(about);
    const QColor helpRim = rimColour(help);
    QVERIFY2(aboutRim.red() > 200 && aboutRim.green() < 60, qPrintable(aboutRim.name()));
    QVERIFY2(helpRim.red() < 60 && helpRim.alpha() > 200, qPrintable(helpRim.name()));
}

QTEST_MAIN(TestSecondaryWindows)
#include "test_secondary_windows.moc"
