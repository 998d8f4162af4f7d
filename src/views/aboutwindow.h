// The About window: the program's name and version on black, and an Ok button that hides it.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace horaloom {

class Form2 : public QWidget {
    Q_OBJECT
public:
    // The design gives the outer height, 3800 twips; the window manager adds the caption, so the
    // client area keeps 3375 (about 425 for caption and frame), which leaves cmdOK a margin below.
    static constexpr int ClientWidthTwips = 2385;
    static constexpr int ClientHeightTwips = 3375;

    explicit Form2(QWidget* parent = nullptr);

    // Makes the window visible and brings it to the front; its content never changes.
    void open();
    void cmdOk_Click();

private:
    void createControls();

    QLabel* Image1 = nullptr;
    QLabel* lblOpening1 = nullptr;
    QLabel* lblVersion = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace horaloom
