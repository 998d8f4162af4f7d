// The yardstick for Horaloom's start-up, memory and idle cost: a plain Qt Widgets window of the
// same client size, with a menu bar of three menus, about a dozen controls and a timer (1000 ms
// unless told otherwise) that shows the time of day. Nothing else: no settings file, no tray
// icon, no sound.
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <QTime>
#include <QTimer>

namespace {

class MinimalWindow : public QMainWindow {
public:
    MinimalWindow()
    {
        setWindowTitle(QStringLiteral("Minimal"));
        createControls();
        createMenus();
    }

private:
    void createControls()
    {
        auto* client = new QWidget(this);
        client->setFixedSize(177, 161);
        setCentralWidget(client);
        layout()->setSizeConstraint(QLayout::SetFixedSize);

        const int digitLeft[] = {8, 32, 64, 88, 120, 144};
        for (int left : digitLeft) {
            auto* digit = new QLineEdit(QStringLiteral("0"), client);
            digit->setGeometry(left, 8, 25, 37);
            digit->setAlignment(Qt::AlignCenter);
        }
        for (auto [text, left] : {std::pair{"Hours", 8}, {"Minutes", 64}, {"Seconds", 120}}) {
            auto* label = new QLabel(QString::fromLatin1(text), client);
            label->setGeometry(left, 48, 49, 17);
        }
        auto* caption = new QLabel(QStringLiteral("Current Time:"), client);
        caption->setGeometry(8, 72, 77, 17);
        m_time = new QLineEdit(client);
        m_time->setGeometry(92, 68, 77, 19);
        m_time->setEnabled(false);
        auto* countUp = new QPushButton(QStringLiteral("Count &Up"), client);
        countUp->setGeometry(8, 96, 77, 25);
        auto* countDown = new QPushButton(QStringLiteral("Count &Down"), client);
        countDown->setGeometry(92, 96, 77, 25);
        auto* reset = new QPushButton(QStringLiteral("&Reset"), client);
        reset->setGeometry(8, 128, 77, 25);
        auto* quit = new QPushButton(QStringLiteral("&Quit"), client);
        quit->setGeometry(92, 128, 77, 25);
        connect(quit, &QPushButton::clicked, this, &QWidget::close);
    }

    void createMenus()
    {
        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        file->addAction(QStringLiteral("&Exit"), this, &QWidget::close);
        QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
        settings->addAction(QStringLiteral("Save &Position on Exit"))->setCheckable(true);
        settings->addAction(QStringLiteral("&Repeat Countdown"))->setCheckable(true);
        QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
        help->addAction(QStringLiteral("&About"));
    }

public:
    void startTimer(int interval)
    {
        auto* timer = new QTimer(this);
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this,
                [this] { m_time->setText(QTime::currentTime().toString()); });
        timer->start();
    }

private:
    QLineEdit* m_time = nullptr;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // --interval MS: how often the clock is refreshed (a desktop clock's second by default).
    int interval = 1000;
    const QStringList arguments = QApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--interval")); at > 0) {
        interval = arguments.value(at + 1).toInt();
    }
    MinimalWindow window;
    window.startTimer(interval);
    window.show();
    return QApplication::exec();
}
