#include "aboutwindow.h"

#include "clockicon.h"
#include "fonts.h"
#include "twips.h"
#include "windowsetup.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace horaloom {

namespace {

QFont roundedBold(double pointSize)
{
    return designedFont(QStringLiteral("Arial Rounded MT Bold"), pointSize, true);
}

QLabel* whiteLabel(const QString& text, double pointSize, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(roundedBold(pointSize));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Window, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
{
    designWindow(*this, QStringLiteral("About"), QStringLiteral("Horaloom's name and version"),
                 clockIcon(Qt::red), ClientWidthTwips, ClientHeightTwips, true);

    createControls();
    answerDialogKeys(*this, cmdOK);
    describeControls(*this, {{"Image1", "Horaloom's clock", "The program's icon"},
                             {"lblOpening1", "Horaloom", "The program's name"},
                             {"lblVersion", "Version 1.00", "The program's version"},
                             {"cmdOK", "Ok", "Closes the About window"}});

    connect(cmdOK, &QPushButton::clicked, this, &Form2::cmdOk_Click);
}

void Form2::createControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(clockPixmap(32));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(twipsRect(960, 120, 480, 480));

    lblOpening1 = whiteLabel(QStringLiteral("Horaloom"), 20.25, this);
    lblOpening1->setObjectName(QStringLiteral("lblOpening1"));
    lblOpening1->setGeometry(twipsRect(120, 720, 2175, 495));

    lblVersion = whiteLabel(QStringLiteral("Version 1.00"), 14.25, this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(twipsRect(240, 1200, 1935, 315));

    cmdOK = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(600, 2880, 1215, 375));
}

void Form2::open()
{
    bringToFront(*this);
}

void Form2::cmdOk_Click()
{
    hide();
}

} // namespace horaloom
