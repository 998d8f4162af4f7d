// A fake of every outside service, for unit and widget tests: each records what it was asked
// and answers from what the test has set up.
#pragma once

#include "platform.h"

#include <deque>
#include <map>
#include <vector>

namespace horaloom::fakes {

// A desktop of windows with titles; the test picks the foreground window.
struct FakeWindowTitles : WindowTitles {
    std::map<WindowId, std::string> windows;
    WindowId foreground = 0;
    int writes = 0;
    std::function<void()> changed; // the backend's report that something may have changed

    WindowId foregroundWindow() override { return windows.count(foreground) ? foreground : 0; }
    std::string readTitle(WindowId w) override { return windows.count(w) ? windows[w] : ""; }
    void writeTitle(WindowId window, std::string_view title) override
    {
        ++writes;
        if (windows.count(window)) {
            windows[window] = std::string(title);
        }
    }
    void setChangeHandler(std::function<void()> handler) override { changed = std::move(handler); }
};

struct FakeMessageBoxes : MessageBoxes {
    std::vector<Message> shown;
    std::deque<int> answers;         // taken in order; none left answers No
    std::function<void()> whileOpen; // runs "inside" the box, as timers would
    int show(const Message& message) override
    {
        shown.push_back(message);
        if (whileOpen) {
            whileOpen();
        }
        if (answers.empty()) {
            return MsgBox::No;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct FakeSound : Sound {
    int beeps = 0;
    std::vector<std::string> played;
    void beep() override { ++beeps; }
    void playWave(const std::string& path) override { played.push_back(path); }
};

struct FakeFileDialog : FileDialog {
    std::string answer;
    std::string startedFrom; // the wave file it was opened with
    std::string openWaveFile(const std::string& current) override
    {
        startedFrom = current;
        return answer;
    }
};

// Files in memory, the current directory "/start"; a writeFailure makes every write fail with
// that reason.
struct FakeFiles : Files {
    std::map<std::string, std::string> files;
    std::string current = "/start", writeFailure;

    std::string currentDirectory() override { return current; }
    std::string pathIn(const std::string& dir, std::string_view name) override
    {
        return dir + "/" + std::string(name);
    }
    std::string displayName(const std::string& path) override { return path; }
    FileContents readSmallFile(const std::string& path, std::size_t) override // none is large
    {
        return files.count(path) ? FileContents{files[path], {}}
                                 : FileContents{std::nullopt, "No such file or directory"};
    }
    std::string replaceFile(const std::string& path, std::string_view bytes) override
    {
        if (writeFailure.empty()) {
            files[path] = std::string(bytes);
        }
        return writeFailure;
    }
    bool canRead(const std::string& path) override { return files.count(path) != 0; }
};

struct FakeClock : Clock {
    int second = 36000, msec = 5; // 10:00:00.005
    std::string timeOfDay() override
    {
        const auto two = [](int n) { return std::to_string(n / 10) + std::to_string(n % 10); };
        return two(second / 3600) + ":" + two(second / 60 % 60) + ":" + two(second % 60);
    }
    int millisecondsIntoSecond() override { return msec; }
    void advance() { second = (second + 1) % 86400; } // one second on, within the day
};

struct FakeTray : TrayComponent {
    int startups = 0, actions = 0;
    bool notificationShown = false, isAvailable = true;
    bool startup() override
    {
        ++startups;
        return true;
    }
    bool query() override { return notificationShown; }
    void action() override
    {
        ++actions;
        notificationShown = false;
    }
    void notify(const std::string&, const std::string&) override { notificationShown = true; }
    void setMouseReleaseHandler(std::function<void(int)>) override {} // clicked in tests/desktop
    bool available() override { return isAvailable; }
};

struct FakeSingleInstance : SingleInstance {
    bool otherRunning = false;
    std::function<void()> comeForward;
    bool anotherIsRunning() override { return otherRunning; }
    void askOtherToComeForward() override {} // seen in tests/desktop
    void setComeForwardHandler(std::function<void()> h) override { comeForward = std::move(h); }
    void laterStart() // a later start asks us
    {
        if (comeForward) {
            comeForward();
        }
    }
};

struct FakeProgramEnd : ProgramEnd {
    std::vector<int> ends;
    void endProgram(int exitCode) override { ends.push_back(exitCode); }
};

// Everything at once, as a Platform bundle.
struct FakePlatform {
    FakeWindowTitles titles;
    FakeSound sound;
    FakeMessageBoxes messageBoxes;
    FakeFileDialog fileDialog;
    FakeFiles files;
    FakeClock clock;
    FakeTray tray;
    FakeSingleInstance singleInstance;
    FakeProgramEnd programEnd;

    Platform bundle()
    {
        return {titles, sound, messageBoxes,   fileDialog, files,
                clock,  tray,  singleInstance, programEnd};
    }
};

} // namespace horaloom::fakes
