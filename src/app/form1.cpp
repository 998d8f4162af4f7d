#include "form1.h"

#include "clockicon.h"
#include "digitbox.h"
#include "fonts.h"
#include "twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QShortcutEvent>
#include <QTimer>

namespace horaloom {

namespace {

// Client area of the main window, and where it stands before the settings place it.
constexpr int ClientWidth = 2655;
constexpr int ClientHeight = 2415;
constexpr int CreatedLeft = 1890;
constexpr int CreatedTop = 3030;

QPushButton* makeButton(QWidget* parent, const QString& caption, QRect place)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(place);
    // Enter presses the button that has the focus, as on any desktop.
    button->setAutoDefault(true);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& caption, QRect place, Qt::Alignment alignment)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(place);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

void showButton(QPushButton* button)
{
    button->setEnabled(true);
    button->setVisible(true);
}

void hideButton(QPushButton* button)
{
    button->setEnabled(false);
    button->setVisible(false);
}

Form1::Form1(Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_titleWriter(platform.titles)
{
    setWindowTitle(QStringLiteral("Horaloom"));
    setWindowIcon(clockIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(defaultFont());

    createControls();
    createMenus();
    createTimers();
    setTabOrder();
    stackSharedPlaces();
    connectHandlers();

    move(twipsToPixels(CreatedLeft), twipsToPixels(CreatedTop));
    setBackground(PaletteColor(0));
}

Form1::~Form1()
{
    // The secondary windows are top-level windows of their own.
    delete m_form4.data();
    delete m_form2.data();
    delete m_frmHelp.data();
}

void Form1::createControls()
{
    m_client = new QWidget(this);
    m_client->setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto makeBox = [this](int index, int left) {
        auto* box = new DigitBox(TimeDigits[static_cast<std::size_t>(index)],
                                 DigitLimit[static_cast<std::size_t>(index)], m_client);
        box->setGeometry(twipsRect(left, 120, 375, 555));
        box->setFont(digitFont());
        box->setFrame(false);
        box->setTextMargins(0, 0, 0, 0);
        QPalette palette = box->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Base, Qt::white);
        }
        palette.setColor(QPalette::Active, QPalette::Text, Qt::black);
        palette.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
        box->setPalette(palette);
        box->setBeep([this] { m_platform.sound.beep(); });
        return box;
    };
    // In the order the window holds them; later siblings are raised afterwards.
    txtHours2 = makeBox(5, 120);
    txtHours1 = makeBox(4, 480);
    txtMinutes2 = makeBox(3, 960);
    txtMinutes1 = makeBox(2, 1320);
    txtSeconds1 = makeBox(0, 2160);
    txtSeconds2 = makeBox(1, 1800);

    txtTime = new QLineEdit(m_client);
    txtTime->setGeometry(twipsRect(1380, 1020, 1155, 285));
    txtTime->setEnabled(false);
    txtTime->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    cmdCountDown =
        makeButton(m_client, QStringLiteral("Count &Down"), twipsRect(1380, 1440, 1155, 375));
    cmdQuit = makeButton(m_client, QStringLiteral("&Quit"), twipsRect(1380, 1920, 1155, 375));
    cmdReset = makeButton(m_client, QStringLiteral("&Reset"), twipsRect(120, 1920, 1155, 375));
    cmdStop = makeButton(m_client, QStringLiteral("St&op Timer"), twipsRect(1380, 1440, 1155, 375));
    cmdStart =
        makeButton(m_client, QStringLiteral("St&art Timer"), twipsRect(1380, 1440, 1155, 375));
    cmdCountUp = makeButton(m_client, QStringLiteral("Count &Up"), twipsRect(120, 1440, 1155, 375));
    cmdHide = makeButton(m_client, QStringLiteral("&Hide"), twipsRect(120, 1440, 1155, 375));

    auto makeColon = [this](int left) {
        auto* colon = new QLabel(QStringLiteral(":"), m_client);
        colon->setGeometry(twipsRect(left, 120, 135, 555));
        colon->setAlignment(Qt::AlignCenter);
        colon->setFont(colonFont());
        colon->setAutoFillBackground(true);
        QPalette palette = colon->palette();
        palette.setColor(QPalette::Window, Qt::white);
        colon->setPalette(palette);
        colon->setEnabled(false);
        return colon;
    };
    lblColon1 = makeColon(1680);
    lblColon2 = makeColon(840);
    lblCurrentTime = makeLabel(m_client, QStringLiteral("Current Time:"),
                               twipsRect(120, 1080, 1155, 255), Qt::AlignRight | Qt::AlignTop);
    lblSeconds = makeLabel(m_client, QStringLiteral("Seconds"), twipsRect(1800, 720, 735, 255),
                           Qt::AlignHCenter | Qt::AlignTop);
    lblMinutes = makeLabel(m_client, QStringLiteral("Minutes"), twipsRect(960, 720, 735, 255),
                           Qt::AlignHCenter | Qt::AlignTop);
    lblHours = makeLabel(m_client, QStringLiteral("Hours"), twipsRect(120, 720, 735, 255),
                         Qt::AlignHCenter | Qt::AlignTop);

    txtHours2->setSuccessor(txtHours1);
    txtHours1->setSuccessor(txtMinutes2);
    txtMinutes2->setSuccessor(txtMinutes1);
    txtMinutes1->setSuccessor(txtSeconds2);
    txtSeconds2->setSuccessor(txtSeconds1);
    txtSeconds1->setSuccessor(cmdStart);
}

void Form1::createMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuExit = mnuFile->addAction(QStringLiteral("&Exit"));

    mnuSettings = menuBar()->addMenu(QStringLiteral("&Settings"));
    mnuPosition = mnuSettings->addAction(QStringLiteral("Save &Position on Exit"));
    mnuRepeat = mnuSettings->addAction(QStringLiteral("&Repeat Countdown"));
    mnuDisplayClock = mnuSettings->addAction(QStringLiteral("&Display Clock in Title Bar"));
    for (QAction* toggle : {mnuPosition, mnuRepeat, mnuDisplayClock}) {
        toggle->setCheckable(true);
    }
    mnuSettings->addSeparator();
    mnuWav = mnuSettings->addAction(QStringLiteral("&Select Alarm"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuProgram = mnuHelp->addAction(QStringLiteral("&Program"));
    mnuabout = mnuHelp->addAction(QStringLiteral("&About"));
}

void Form1::createTimers()
{
    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(100);
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
    Timer3 = new QTimer(this);
    Timer3->setInterval(500);
}

void Form1::setTabOrder()
{
    // By tab index; labels take no focus.
    const QWidget* chain[] = {txtHours2,   txtHours1,  txtMinutes2,  txtMinutes1, txtSeconds2,
                              txtSeconds1, cmdCountUp, cmdCountDown, cmdStart,    cmdStop,
                              cmdReset,    cmdQuit,    txtTime,      cmdHide};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        QWidget::setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
    }
}

void Form1::stackSharedPlaces()
{
    // Where buttons share a place, the one the window holds first lies on top.
    for (QPushButton* button :
         {cmdHide, cmdCountUp, cmdStart, cmdStop, cmdReset, cmdQuit, cmdCountDown}) {
        button->raise();
    }
}

void Form1::connectHandlers()
{
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    connect(cmdCountUp, &QPushButton::clicked, this, &Form1::cmdCountUp_Click);
    connect(cmdCountDown, &QPushButton::clicked, this, &Form1::cmdCountDown_Click);
    connect(cmdStart, &QPushButton::clicked, this, &Form1::cmdStart_Click);
    connect(cmdStop, &QPushButton::clicked, this, &Form1::cmdStop_Click);
    connect(cmdReset, &QPushButton::clicked, this, &Form1::cmdReset_Click);
    connect(cmdHide, &QPushButton::clicked, this, &Form1::cmdHide_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &Form1::cmdQuit_Click);
    connect(mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);
    connect(mnuPosition, &QAction::triggered, this, &Form1::mnuPosition_Click);
    connect(mnuRepeat, &QAction::triggered, this, &Form1::mnuRepeat_Click);
    connect(mnuDisplayClock, &QAction::triggered, this, &Form1::mnuDisplayClock_Click);
    connect(mnuWav, &QAction::triggered, this, &Form1::mnuWav_Click);
    connect(mnuProgram, &QAction::triggered, this, &Form1::mnuProgram_Click);
    connect(mnuabout, &QAction::triggered, this, &Form1::mnuabout_Click);
    m_platform.tray.setMouseReleaseHandler([this](int button) { STI1_MouseRel(button); });

    // "&Hide" and the "&Help" menu share Alt+H, and Qt would treat the pair as ambiguous. The
    // button wins: both receivers hand the shortcut to it. The menu stays reachable by mouse,
    // F10 and the arrow keys.
    for (QPushButton* button :
         {cmdCountDown, cmdQuit, cmdReset, cmdStop, cmdStart, cmdCountUp, cmdHide}) {
        button->installEventFilter(this);
    }
    menuBar()->installEventFilter(this);
    // F10 opens the menu bar for the arrow keys, as desktops have always done.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(mnuFile->menuAction()); });
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Shortcut) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto* shortcut = static_cast<QShortcutEvent*>(event);
    QPushButton* button = nullptr;
    if (shortcut->key() == QKeySequence(Qt::ALT | Qt::Key_H) &&
        (watched == cmdHide || watched == menuBar())) {
        button = cmdHide;
    } else if (watched != menuBar() && !shortcut->isAmbiguous()) {
        button = qobject_cast<QPushButton*>(watched);
    }
    if (!button) {
        return QMainWindow::eventFilter(watched, event);
    }
    // An access key presses its button at once, as a click does. Qt would animate the press
    // and click 100 ms later, and digits typed right after Alt+D would miss their boxes.
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
    return true;
}

std::array<DigitBox*, DigitCount> Form1::digitBoxes() const
{
    return {txtSeconds1, txtSeconds2, txtMinutes1, txtMinutes2, txtHours1, txtHours2};
}

QColor Form1::backgroundColour() const
{
    return m_client->palette().color(QPalette::Window);
}

void Form1::setBackground(const QColor& colour)
{
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, colour);
    m_client->setPalette(palette);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    // Closing the window is the same as File, Exit: asked, and saved on Yes.
    event->ignore();
    mnuExit_Click();
}

} // namespace horaloom
