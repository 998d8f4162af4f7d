#include "selectalarmdialog.h"

#include "clockicon.h"
#include "twips.h"
#include "windowsetup.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace horaloom {

Form4::Form4(std::int16_t& alarmType, std::string& waveFile, Platform& platform,
             std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_presenter(alarmType, waveFile, platform, *this, std::move(showMainWindow))
{
    designWindow(*this, QStringLiteral("Select Alarm"),
                 QStringLiteral("Chooses what sounds when a countdown ends"), clockIcon(),
                 ClientWidthTwips, ClientHeightTwips, false);
    // Ok only hides; any other close unloads the dialog, dropping the option chosen in it.
    // The next opening then builds a fresh one from the settings.
    setAttribute(Qt::WA_DeleteOnClose);

    createControls();
    setTabOrder();
    answerDialogKeys(*this, cmdOK);
    describeControls(*this,
                     {{"frmSound", "Sound", "What sounds when a countdown ends"},
                      {"optBeep", "Beep", "A beep every half second until the alarm is stopped"},
                      {"optWave", "Play Wave File", "The chosen wave file, played once"},
                      {"txtWaveFile", "Wave file path", "The wave file the alarm plays"},
                      {"cmdBrowse", "Browse", "Chooses the wave file"},
                      {"cmdPlay", "Play", "Plays the chosen wave file now"},
                      {"cmdOK", "Ok", "Uses the chosen sound and closes the dialog"}});

    SelectAlarmPresenter* p = &m_presenter;
    connect(optBeep, &QRadioButton::clicked, this, [p] { p->optBeep_Click(); });
    connect(optWave, &QRadioButton::clicked, this, [p] { p->optWave_Click(); });
    connect(cmdBrowse, &QPushButton::clicked, this, [p] { p->cmdBrowse_Click(); });
    connect(cmdPlay, &QPushButton::clicked, this, [p] { p->cmdPlay_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [p] { p->cmdOk_Click(); });

    m_presenter.Form_Load();
}

void Form4::createControls()
{
    // The frame only draws a box: the option buttons are the dialog's own children, so they form
    // one group with the frame behind them.
    frmSound = new QGroupBox(QStringLiteral("Sound"), this);
    frmSound->setObjectName(QStringLiteral("frmSound"));
    frmSound->setGeometry(twipsRect(120, 120, 4215, 1815));

    optBeep = new QRadioButton(QStringLiteral("B&eep"), this);
    optBeep->setObjectName(QStringLiteral("optBeep"));
    optBeep->setGeometry(twipsRect(240, 360, 735, 375));

    optWave = new QRadioButton(QStringLiteral("Play &Wave File"), this);
    optWave->setObjectName(QStringLiteral("optWave"));
    optWave->setGeometry(twipsRect(240, 720, 1695, 375));
    optWave->setChecked(true);

    // Shows WaveFile only: the path changes through Browse, so typing is not offered at all.
    txtWaveFile = new QLineEdit(this);
    txtWaveFile->setObjectName(QStringLiteral("txtWaveFile"));
    txtWaveFile->setGeometry(twipsRect(240, 1080, 3855, 285));
    txtWaveFile->setReadOnly(true);

    cmdBrowse = new QPushButton(QStringLiteral("&Browse"), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse->setGeometry(twipsRect(240, 1440, 1215, 375));

    cmdPlay = new QPushButton(QStringLiteral("&Play"), this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdPlay->setGeometry(twipsRect(1560, 1440, 1215, 375));

    cmdOK = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(2880, 1440, 1215, 375));

    frmSound->lower();
}

void Form4::setTabOrder()
{
    // The frame takes no focus; its place in the order changes nothing.
    QWidget::setTabOrder(optBeep, optWave);
    QWidget::setTabOrder(optWave, txtWaveFile);
    QWidget::setTabOrder(txtWaveFile, cmdBrowse);
    QWidget::setTabOrder(cmdBrowse, cmdPlay);
    QWidget::setTabOrder(cmdPlay, cmdOK);
}

void Form4::open()
{
    bringToFront(*this);
}

void Form4::setWaveFileText(const std::string& path)
{
    txtWaveFile->setText(QFile::decodeName(QByteArray::fromStdString(path)));
}

void Form4::selectOption(AlarmOption option)
{
    (option == AlarmOption::Beep ? optBeep : optWave)->setChecked(true);
}

bool Form4::optionSelected(AlarmOption option)
{
    return (option == AlarmOption::Beep ? optBeep : optWave)->isChecked();
}

void Form4::setWaveControlsEnabled(bool enabled)
{
    txtWaveFile->setEnabled(enabled);
    cmdBrowse->setEnabled(enabled);
    cmdPlay->setEnabled(enabled);
}

void Form4::hideDialog()
{
    hide();
}

} // namespace horaloom
