#include "mainwindow.h"

#include "aboutwindow.h"
#include "clockicon.h"
#include "digitbox.h"
#include "fonts.h"
#include "helpwindow.h"
#include "selectalarmdialog.h"
#include "timedigits.h"
#include "twips.h"
#include "windowsetup.h"

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
#include <utility>

namespace horaloom {

namespace {

// Client area of the main window, and where it stands before the settings place it.
constexpr int ClientWidth = 2655;
constexpr int ClientHeight = 2415;
constexpr int CreatedLeft = 1890;
constexpr int CreatedTop = 3030;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    // Enter presses the button that has the focus, as on any desktop.
    button->setAutoDefault(true);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect place,
                  Qt::Alignment alignment)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

Form1::Form1(Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_presenter(platform, *this)
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
    describeControls();

    // Placed by its client area, as designed: the window manager then keeps the client where it
    // is put (static gravity), and the frame's corner follows from the frame's size.
    adjustSize();
    setGeometry(QRect(QPoint(twipsToPixels(CreatedLeft), twipsToPixels(CreatedTop)), size()));
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
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto makeBox = [this](const char* name, int index, int left) {
        auto* box = new DigitBox(m_client);
        box->setObjectName(QLatin1String(name));
        box->setHandlers([this, index](char32_t c) { m_presenter.digitKeyPress(index, c); },
                         [this, index](const QString& text) {
                             m_presenter.digitLostFocus(index, text.toStdString());
                         });
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
        return box;
    };
    // In the order the window holds them; later siblings are raised afterwards.
    txtHours2 = makeBox("txtHours2", 5, 120);
    txtHours1 = makeBox("txtHours1", 4, 480);
    txtMinutes2 = makeBox("txtMinutes2", 3, 960);
    txtMinutes1 = makeBox("txtMinutes1", 2, 1320);
    txtSeconds1 = makeBox("txtSeconds1", 0, 2160);
    txtSeconds2 = makeBox("txtSeconds2", 1, 1800);

    txtTime = new QLineEdit(m_client);
    txtTime->setObjectName(QStringLiteral("txtTime"));
    txtTime->setGeometry(twipsRect(1380, 1020, 1155, 285));
    txtTime->setEnabled(false);
    txtTime->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Disabled, so nothing can be typed into it, but drawn as legibly as any text: the greyed
    // text of a disabled box is too faint on its grey to read.
    QPalette clock = txtTime->palette();
    clock.setColor(QPalette::Disabled, QPalette::Text, QColor(0x20, 0x20, 0x20));
    clock.setColor(QPalette::Disabled, QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
    txtTime->setPalette(clock);

    cmdCountDown = makeButton(m_client, "cmdCountDown", QStringLiteral("Count &Down"),
                              twipsRect(1380, 1440, 1155, 375));
    cmdQuit =
        makeButton(m_client, "cmdQuit", QStringLiteral("&Quit"), twipsRect(1380, 1920, 1155, 375));
    cmdReset =
        makeButton(m_client, "cmdReset", QStringLiteral("&Reset"), twipsRect(120, 1920, 1155, 375));
    cmdStop = makeButton(m_client, "cmdStop", QStringLiteral("St&op Timer"),
                         twipsRect(1380, 1440, 1155, 375));
    cmdStart = makeButton(m_client, "cmdStart", QStringLiteral("St&art Timer"),
                          twipsRect(1380, 1440, 1155, 375));
    cmdCountUp = makeButton(m_client, "cmdCountUp", QStringLiteral("Count &Up"),
                            twipsRect(120, 1440, 1155, 375));
    cmdHide =
        makeButton(m_client, "cmdHide", QStringLiteral("&Hide"), twipsRect(120, 1440, 1155, 375));

    auto makeColon = [this](const char* name, int left) {
        auto* colon = new QLabel(QStringLiteral(":"), m_client);
        colon->setObjectName(QLatin1String(name));
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
    makeColon("lblColon1", 1680);
    makeColon("lblColon2", 840);
    makeLabel(m_client, "lblCurrentTime", QStringLiteral("Current Time:"),
              twipsRect(120, 1080, 1155, 255), Qt::AlignRight | Qt::AlignTop);
    makeLabel(m_client, "lblSeconds", QStringLiteral("Seconds"), twipsRect(1800, 720, 735, 255),
              Qt::AlignHCenter | Qt::AlignTop);
    makeLabel(m_client, "lblMinutes", QStringLiteral("Minutes"), twipsRect(960, 720, 735, 255),
              Qt::AlignHCenter | Qt::AlignTop);
    makeLabel(m_client, "lblHours", QStringLiteral("Hours"), twipsRect(120, 720, 735, 255),
              Qt::AlignHCenter | Qt::AlignTop);
}

void Form1::createMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuExit = mnuFile->addAction(QStringLiteral("&Exit"));

    QMenu* mnuSettings = menuBar()->addMenu(QStringLiteral("&Settings"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    mnuPosition = mnuSettings->addAction(QStringLiteral("Save &Position on Exit"));
    mnuRepeat = mnuSettings->addAction(QStringLiteral("&Repeat Countdown"));
    mnuDisplayClock = mnuSettings->addAction(QStringLiteral("&Display Clock in Title Bar"));
    for (QAction* toggle : {mnuPosition, mnuRepeat, mnuDisplayClock}) {
        toggle->setCheckable(true);
    }
    mnuSettings->addSeparator();
    mnuWav = mnuSettings->addAction(QStringLiteral("&Select Alarm"));

    QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuProgram = mnuHelp->addAction(QStringLiteral("&Program"));
    mnuabout = mnuHelp->addAction(QStringLiteral("&About"));
    const std::pair<QAction*, const char*> names[] = {
        {mnuExit, "mnuExit"},     {mnuPosition, "mnuPosition"},
        {mnuRepeat, "mnuRepeat"}, {mnuDisplayClock, "mnuDisplayClock"},
        {mnuWav, "mnuWav"},       {mnuProgram, "mnuProgram"},
        {mnuabout, "mnuabout"}};
    for (const auto& [action, name] : names) {
        action->setObjectName(QLatin1String(name));
    }
}

void Form1::createTimers()
{
    // Timer1 fires once and is aimed again by every tick.
    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setSingleShot(true);
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
    MainPresenter* p = &m_presenter;
    connect(Timer1, &QTimer::timeout, this, [p] { p->Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [p] { p->Timer2_Timer(); });
    connect(Timer3, &QTimer::timeout, this, [p] { p->Timer3_Timer(); });
    const std::pair<QPushButton*, void (MainPresenter::*)()> clicks[] = {
        {cmdCountUp, &MainPresenter::cmdCountUp_Click},
        {cmdCountDown, &MainPresenter::cmdCountDown_Click},
        {cmdStart, &MainPresenter::cmdStart_Click},
        {cmdStop, &MainPresenter::cmdStop_Click},
        {cmdReset, &MainPresenter::cmdReset_Click},
        {cmdHide, &MainPresenter::cmdHide_Click},
        {cmdQuit, &MainPresenter::cmdQuit_Click}};
    for (const auto& [button, handler] : clicks) {
        connect(button, &QPushButton::clicked, this, [p, h = handler] { (p->*h)(); });
    }
    const std::pair<QAction*, void (MainPresenter::*)()> choices[] = {
        {mnuExit, &MainPresenter::mnuExit_Click},
        {mnuPosition, &MainPresenter::mnuPosition_Click},
        {mnuRepeat, &MainPresenter::mnuRepeat_Click},
        {mnuDisplayClock, &MainPresenter::mnuDisplayClock_Click},
        {mnuWav, &MainPresenter::mnuWav_Click},
        {mnuProgram, &MainPresenter::mnuProgram_Click},
        {mnuabout, &MainPresenter::mnuabout_Click}};
    for (const auto& [action, handler] : choices) {
        connect(action, &QAction::triggered, this, [p, h = handler] { (p->*h)(); });
    }

    // "&Hide" and the "&Help" menu share Alt+H, and Qt would treat the pair as ambiguous. The
    // button wins: both receivers hand the shortcut to it. The menu stays reachable by mouse,
    // F10 and the arrow keys.
    for (QPushButton* button :
         {cmdCountDown, cmdQuit, cmdReset, cmdStop, cmdStart, cmdCountUp, cmdHide}) {
        button->installEventFilter(this);
    }
    menuBar()->installEventFilter(this);
    // F10 opens the menu bar for the arrow keys, as desktops have always done; F1 is help.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(mnuFile->menuAction()); });
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::ApplicationShortcut);
    connect(helpKey, &QShortcut::activated, this, [p] { p->mnuProgram_Click(); });
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

void Form1::describeControls()
{
    horaloom::describeControls(
        *this,
        {{"client", "Timer", "The time, the time of day and the timer's commands"},
         {"txtHours2", "Hours, tens digit", "Type 0 to 9 when setting a countdown"},
         {"txtHours1", "Hours, units digit", "Type 0 to 9 when setting a countdown"},
         {"txtMinutes2", "Minutes, tens digit", "Type 0 to 5 when setting a countdown"},
         {"txtMinutes1", "Minutes, units digit", "Type 0 to 9 when setting a countdown"},
         {"txtSeconds2", "Seconds, tens digit", "Type 0 to 5 when setting a countdown"},
         {"txtSeconds1", "Seconds, units digit", "Type 0 to 9 when setting a countdown"},
         {"lblColon2", "Colon", "Between the hours and the minutes"},
         {"lblColon1", "Colon", "Between the minutes and the seconds"},
         {"lblHours", "Hours", "Label of the two hours digits"},
         {"lblMinutes", "Minutes", "Label of the two minutes digits"},
         {"lblSeconds", "Seconds", "Label of the two seconds digits"},
         {"lblCurrentTime", "Current Time:", "Label of the time of day"},
         {"txtTime", "Current time", "The time of day"},
         {"cmdCountUp", "Count Up", "Counts up from the time on show"},
         {"cmdCountDown", "Count Down", "Counts down from a time typed into the digit boxes"},
         {"cmdStart", "Start Timer", "Starts the count"},
         {"cmdStop", "Stop Timer", "Stops the count or the alarm"},
         {"cmdReset", "Reset", "Returns the timer to 00:00:00"},
         {"cmdHide", "Hide", "Hides this window; the tray icon brings it back"},
         {"cmdQuit", "Quit", "Saves the settings and ends Horaloom, after asking"},
         {"mnuFile", "File", "Exit"},
         {"mnuSettings", "Settings", "Position, repeat, clock in the title bar, alarm"},
         {"mnuHelp", "Help", "How to use Horaloom, and its version"}});
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the window is the same as File, Exit: asked, and saved on Yes.
    if (m_presenter.closeRequested()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace horaloom
