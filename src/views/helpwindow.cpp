#include "helpwindow.h"

#include "clockicon.h"
#include "helptext.h"
#include "twips.h"
#include "windowsetup.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace horaloom {

frmHelp::frmHelp(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      m_text(QString::fromStdString(horaloom::helpText()))
{
    designWindow(*this, QStringLiteral("Horaloom Version 1.00 Help"),
                 QStringLiteral("How to use Horaloom"), clockIcon(), ClientWidthTwips,
                 ClientHeightTwips, true);

    createControls();
    fillText();
    answerDialogKeys(*this, cmdOk);
    describeControls(*this, {{"Text1", "Help text", "How to use Horaloom"},
                             {"Image1", "Horaloom's clock", "The program's icon"},
                             {"cmdOk", "Ok", "Closes the Help window"}});

    connect(cmdOk, &QPushButton::clicked, this, &frmHelp::cmdOk_Click);
}

void frmHelp::createControls()
{
    // Created in tab order: cmdOk first, so it holds the focus when the window opens.
    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(twipsRect(2460, 4440, 1215, 495));

    Text1 = new QTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(240, 780, 5475, 3435));
    Text1->setReadOnly(true);
    // Read-only, yet the keyboard still moves the text cursor. The text is longer than the box is
    // high, so a scroll bar shows the way to the lines below its bottom edge.
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Skipped by Tab, but a click still puts the cursor in; being read-only, the box then lets
    // Tab go on to the button.
    Text1->setFocusPolicy(Qt::ClickFocus);
    QPalette colours = Text1->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, QColor(0, 255, 255));
    Text1->setPalette(colours);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(clockPixmap(32));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(twipsRect(2760, 120, 480, 480));
}

void frmHelp::fillText()
{
    // Each CR LF becomes one paragraph, so every line can be centred on its own.
    Text1->setPlainText(m_text);

    QTextCursor cursor(Text1->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    Text1->moveCursor(QTextCursor::Start);
}

void frmHelp::open()
{
    bringToFront(*this);
}

void frmHelp::cmdOk_Click()
{
    hide();
}

} // namespace horaloom
