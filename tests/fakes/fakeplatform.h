// A fake of every outside service, for unit and widget tests. Each records what it was asked
// and answers from a script the test sets up.
#pragma once

#include "platform.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace horaloom::fakes {

// A desktop of windows with titles; the test picks the foreground window.
class FakeWindowTitles : public WindowTitles {
public:
    std::map<WindowId, std::string> windows;
    WindowId foreground = 0;
    int reads = 0;
    int writes = 0;
    std::vector<std::pair<WindowId, std::string>> writeLog;

    WindowId foregroundWindow() override { return windows.count(foreground) ? foreground : 0; }
    std::string readTitle(WindowId window) override
    {
        ++reads;
        auto it = windows.find(window);
        return it == windows.end() ? std::string() : it->second;
    }
    void writeTitle(WindowId window, std::string_view title) override
    {
        ++writes;
        writeLog.emplace_back(window, std::string(title));
        auto it = windows.find(window);
        if (it != windows.end()) {
            it->second = std::string(title);
        }
    }
};

struct RecordedBox {
    QString text;
    QString title;
    int style = 0;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    std::vector<RecordedBox> shown;
    std::deque<int> answers;         // taken in order; an empty script answers Ok or No
    std::function<void()> whileOpen; // runs "inside" the box, as timers would

    int show(const QString& text, const QString& title, int style) override
    {
        shown.push_back({text, title, style});
        if (whileOpen) {
            whileOpen();
        }
        if (!answers.empty()) {
            int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (style & 7) == MsgBox::YesNo ? MsgBox::No : MsgBox::Ok;
    }
};

class FakeSound : public Sound {
public:
    int beeps = 0;
    std::vector<std::string> played;
    void beep() override { ++beeps; }
    void playWave(const std::string& path) override { played.push_back(path); }
};

class FakeFileDialog : public FileDialog {
public:
    QString answer;
    int opened = 0;
    QString openWaveFile(QWidget*) override
    {
        ++opened;
        return answer;
    }
};

class FakeClock : public Clock {
public:
    QString time = QStringLiteral("10:00:00");
    int msec = 5;
    int reads = 0;
    QString timeOfDay() override
    {
        ++reads;
        return time;
    }
    int millisecondsIntoSecond() override { return msec; }
    // Moves the clock on by one second (within one day).
    void advance();
};

class FakeTray : public TrayComponent {
public:
    int startups = 0;
    bool startupResult = true;
    bool notificationShown = false;
    int actions = 0;
    int queries = 0;
    bool isAvailable = true;
    QStringList notifications;
    std::function<void(int)> handler;

    bool startup() override
    {
        ++startups;
        return startupResult;
    }
    bool query() override
    {
        ++queries;
        return notificationShown;
    }
    void action() override
    {
        ++actions;
        notificationShown = false;
    }
    void notify(const QString& title, const QString& message) override
    {
        notifications << title + QLatin1Char('|') + message;
        notificationShown = true;
    }
    void setMouseReleaseHandler(std::function<void(int)> h) override { handler = std::move(h); }
    bool available() override { return isAvailable; }
    void release(int button)
    {
        if (handler) {
            handler(button);
        }
    }
};

class FakeSingleInstance : public SingleInstance {
public:
    bool otherRunning = false;
    bool anotherIsRunning() override { return otherRunning; }
};

class FakeProgramEnd : public ProgramEnd {
public:
    std::vector<int> ends;
    void endProgram(int exitCode) override { ends.push_back(exitCode); }
};

// Everything at once, as a Platform bundle.
struct FakePlatform {
    FakeWindowTitles titles;
    FakeSound sound;
    FakeMessageBoxes messageBoxes;
    FakeFileDialog fileDialog;
    FakeClock clock;
    FakeTray tray;
    FakeSingleInstance singleInstance;
    FakeProgramEnd programEnd;

    Platform bundle()
    {
        return {titles, sound, messageBoxes, fileDialog, clock, tray, singleInstance, programEnd};
    }
};

inline void FakeClock::advance()
{
    const QStringList parts = time.split(QLatin1Char(':'));
    int total =
        parts.value(0).toInt() * 3600 + parts.value(1).toInt() * 60 + parts.value(2).toInt();
    total = (total + 1) % 86400;
    time = QStringLiteral("%1:%2:%3")
               .arg(total / 3600, 2, 10, QLatin1Char('0'))
               .arg(total / 60 % 60, 2, 10, QLatin1Char('0'))
               .arg(total % 60, 2, 10, QLatin1Char('0'));
}

} // namespace horaloom::fakes
