// A fake of every outside service, for unit and widget tests. Each records what it was asked
// and answers from a script the test sets up.
#pragma once

#include "platform.h"

#include <cstdio>
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
    // The backend's report that the foreground or a title may have changed.
    std::function<void()> changed;
    void setChangeHandler(std::function<void()> handler) override { changed = std::move(handler); }

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

class FakeMessageBoxes : public MessageBoxes {
public:
    std::vector<Message> shown;
    std::deque<int> answers;         // taken in order; an empty script answers Ok or No
    std::function<void()> whileOpen; // runs "inside" the box, as timers would

    int show(const Message& message) override
    {
        shown.push_back(message);
        if (whileOpen) {
            whileOpen();
        }
        if (!answers.empty()) {
            int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (message.style & 7) == MsgBox::YesNo ? MsgBox::No : MsgBox::Ok;
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
    std::string answer;
    std::string startedFrom; // the current wave file the dialog was opened with
    int opened = 0;
    std::string openWaveFile(const std::string& current) override
    {
        ++opened;
        startedFrom = current;
        return answer;
    }
};

// Files in memory, in a current directory "/start". A path in notRegular stands for a FIFO or
// a device; a non-empty writeFailure makes every write fail with that reason.
class FakeFiles : public Files {
public:
    std::map<std::string, std::string> files;
    std::string current = "/start";
    std::vector<std::string> notRegular;
    std::string writeFailure;

    std::string currentDirectory() override { return current; }
    std::string pathIn(const std::string& directory, std::string_view name) override
    {
        return directory + "/" + std::string(name);
    }
    std::string displayName(const std::string& path) override { return path; }
    FileContents readSmallFile(const std::string& path, std::size_t limit) override
    {
        for (const std::string& special : notRegular) {
            if (special == path) {
                return {std::nullopt, "it is not a regular file"};
            }
        }
        auto it = files.find(path);
        if (it == files.end()) {
            return {std::nullopt, "No such file or directory"};
        }
        if (it->second.size() > limit) {
            return {std::nullopt, "it is too large"};
        }
        return {it->second, {}};
    }
    std::string replaceFile(const std::string& path, std::string_view bytes) override
    {
        if (!writeFailure.empty()) {
            return writeFailure;
        }
        files[path] = std::string(bytes);
        return {};
    }
    bool canRead(const std::string& path) override { return files.count(path) != 0; }
};

class FakeClock : public Clock {
public:
    std::string time = "10:00:00";
    int msec = 5;
    int reads = 0;
    std::string timeOfDay() override
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
    std::vector<std::string> notifications;
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
    void notify(const std::string& title, const std::string& message) override
    {
        notifications.push_back(title + "|" + message);
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
    int asked = 0; // requests sent to the other copy
    std::function<void()> handler;

    bool anotherIsRunning() override { return otherRunning; }
    void askOtherToComeForward() override { ++asked; }
    void setComeForwardHandler(std::function<void()> h) override { handler = std::move(h); }
    // A later start asks this copy to come forward.
    void laterStart()
    {
        if (handler) {
            handler();
        }
    }
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

inline void FakeClock::advance()
{
    int h = 0, m = 0, sec = 0;
    std::sscanf(time.c_str(), "%d:%d:%d", &h, &m, &sec);
    const int total = (h * 3600 + m * 60 + sec + 1) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", total / 3600, total / 60 % 60, total % 60);
    time = text;
}

} // namespace horaloom::fakes
