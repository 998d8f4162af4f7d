// The Help window: the help text in cyan on black, every line centred, and an Ok button.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;

namespace horaloom {

class frmHelp : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidthTwips = 5985;
    static constexpr int ClientHeightTwips = 5205;

    explicit frmHelp(QWidget* parent = nullptr);

    // The text as the window holds it, with its CR LF line ends (the display shows paragraphs).
    QString helpText() const { return m_text; }

    // Makes the window visible and brings it to the front; its content never changes.
    void open();
    void cmdOk_Click();

private:
    void createControls();
    void fillText();

    QString m_text;
    QPushButton* cmdOk = nullptr;
    QTextEdit* Text1 = nullptr;
    QLabel* Image1 = nullptr;
};

} // namespace horaloom
