#include "qtmessageboxes.h"

#include <QApplication>
#include <QMessageBox>

namespace horaloom {

int QtMessageBoxes::show(const Message& message)
{
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(message.title));
    // CR LF is the line break of the texts; Qt wants a plain one.
    box.setText(
        QString::fromStdString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);
    if (!message.details.empty()) {
        box.setDetailedText(QString::fromStdString(message.details));
    }
    const int style = message.style;
    switch (style & 0x70) {
    case MsgBox::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgBox::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if ((style & 7) == MsgBox::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowIcon(QApplication::windowIcon());
    const int result = box.exec();
    switch (result) {
    case QMessageBox::Yes:
        return MsgBox::Yes;
    case QMessageBox::No:
        return MsgBox::No;
    default:
        return MsgBox::Ok;
    }
}

} // namespace horaloom
