// What every window owes a user who reads with a screen reader, or has a larger font or a scaled
// screen: every control named and described, captions that fit, and a clock that can be read.
// Run at several scales (see CMakeLists.txt).
#include "aboutwindow.h"
#include "fakeplatform.h"
#include "helpwindow.h"
#include "mainwindow.h"
#include "selectalarmdialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <cmath>
#include <map>

using namespace horaloom;

namespace {

struct Windows {
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    Form1 main{platform};
    Form2 about;
    frmHelp help;
    std::int16_t alarmType = 1;
    std::string waveFile;
    QPointer<Form4> selectAlarm = new Form4(alarmType, waveFile, platform, [] {});

    Windows()
    {
        fake.files.files["/start/Horaloom.ini"] = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n";
        main.presenter().Form_Load();
    }
    ~Windows() { delete selectAlarm.data(); }
    QList<QWidget*> all() { return {&main, &about, &help, selectAlarm.data()}; }
};

QString plain(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

// The room a control's caption needs beside its text: a button's margins, a radio's indicator.
int decoration(const QWidget* widget)
{
    const QStyle* style = widget->style();
    if (qobject_cast<const QRadioButton*>(widget)) {
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget);
    }
    if (qobject_cast<const QPushButton*>(widget)) {
        return 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget);
    }
    if (qobject_cast<const QGroupBox*>(widget)) {
        return 16; // the frame's line runs on both sides of the title
    }
    return 0;
}

double luminance(QColor c)
{
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

} // namespace

class TestUsability : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasANameAndADescription();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void clockIsLegibleYetUntouchable();
};

void TestUsability::everyControlHasANameAndADescription()
{
    Windows w;
    for (QWidget* window : w.all()) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() || control->objectName().startsWith("qt_")) {
                continue; // a widget Qt makes for its own use (menu bar, scroll bars)
            }
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible);
            const QString name = accessible->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && !name.contains('&'), qPrintable(control->objectName()));
            QVERIFY2(!accessible->text(QAccessible::Description).isEmpty(),
                     qPrintable(control->objectName()));
        }
    }
    auto* hours = w.main.findChild<QWidget*>("txtHours2");
    QCOMPARE(QAccessible::queryAccessibleInterface(hours)->text(QAccessible::Name),
             QStringLiteral("Hours, tens digit"));
}

void TestUsability::captionsFitTheirControls_data()
{
    QTest::addColumn<int>("systemPoints");
    QTest::newRow("system font") << 0;
    QTest::newRow("13 pt system font") << 13;
}

void TestUsability::captionsFitTheirControls()
{
    QFETCH(int, systemPoints);
    const QFont system = QApplication::font();
    if (systemPoints > 0) {
        QFont large = system;
        large.setPointSize(systemPoints);
        QApplication::setFont(large);
    }
    Windows w;
    for (QWidget* window : w.all()) {
        window->show();
        for (QWidget* control : window->findChildren<QWidget*>()) {
            QString caption;
            if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                caption = plain(button->text());
            } else if (auto* label = qobject_cast<QLabel*>(control)) {
                caption = label->text();
            } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
                caption = group->title();
            }
            if (caption.isEmpty()) {
                continue;
            }
            const QFontMetrics metrics(control->font());
            const int needed = metrics.horizontalAdvance(caption) + decoration(control);
            QVERIFY2(needed <= control->width() && metrics.height() <= control->height(),
                     qPrintable(QStringLiteral("%1 '%2' needs %3x%4, has %5x%6")
                                    .arg(control->objectName(), caption)
                                    .arg(needed)
                                    .arg(metrics.height())
                                    .arg(control->width())
                                    .arg(control->height())));
        }
        window->hide();
    }
    QApplication::setFont(system);
}

void TestUsability::clockIsLegibleYetUntouchable()
{
    Windows w;
    auto* clock = w.main.findChild<QLineEdit*>("txtTime");
    w.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.main));
    QVERIFY(!clock->isEnabled());
    // The text's darkest pixel against the box's own colour, as drawn.
    const QImage image = clock->grab().toImage();
    std::map<QRgb, int> counts;
    QColor darkest = Qt::white;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            const QColor c = image.pixelColor(x, y);
            ++counts[c.rgb()];
            if (luminance(c) < luminance(darkest)) {
                darkest = c;
            }
        }
    }
    const auto background =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const double bright = luminance(QColor(background->first)) + 0.05;
    const double contrast = bright / (luminance(darkest) + 0.05);
    QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("contrast %1:1").arg(contrast)));
}

QTEST_MAIN(TestUsability)
#include "test_usability.moc"
