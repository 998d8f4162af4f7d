// Starts a main window on the fake platform in a private directory holding a settings file.
#pragma once

#include "digitbox.h"
#include "fakeplatform.h"
#include "form1.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace horaloom::testing {

inline const QByteArray DefaultSettings = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n";

struct FormFixture {
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();
    std::unique_ptr<Form1> form;
    bool loaded = false;

    explicit FormFixture(const QByteArray& settings = DefaultSettings, bool writeFile = true)
    {
        if (writeFile) {
            QFile file(dir.filePath(SettingsFileName));
            file.open(QIODevice::WriteOnly);
            file.write(settings);
        }
        QDir::setCurrent(dir.path());
        form = std::make_unique<Form1>(platform);
        loaded = form->Form_Load();
    }
    ~FormFixture()
    {
        form.reset();
        QDir::setCurrent(previousDir);
    }

    // The time shown by the six boxes, as HH:MM:SS.
    QString shown() const
    {
        return form->txtHours2->text() + form->txtHours1->text() + u':' +
               form->txtMinutes2->text() + form->txtMinutes1->text() + u':' +
               form->txtSeconds2->text() + form->txtSeconds1->text();
    }
    QString stored() const { return timeText(form->TimeDigits); }

    // One wall-clock second passes and the tick sees it.
    void second()
    {
        fake.clock.advance();
        form->Timer1_Timer();
    }
    void seconds(int n)
    {
        for (int i = 0; i < n; ++i) {
            second();
        }
    }
    void activate()
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // Types into whichever widget has the focus.
    void type(const QString& keys)
    {
        for (QChar c : keys) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    // Visible and usable, as a user sees a button.
    static bool shownButton(const QWidget* w)
    {
        return w->isVisibleTo(w->window()) && w->isEnabled();
    }
    static bool hiddenButton(const QWidget* w)
    {
        return !w->isVisibleTo(w->window()) && !w->isEnabled();
    }
};

} // namespace horaloom::testing
