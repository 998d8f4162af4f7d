// A presenter on the fake platform and the fake view, started in "/start" with a settings file.
#pragma once

#include "fakemainview.h"
#include "fakeplatform.h"
#include "mainpresenter.h"
#include "states.h"

#include <gtest/gtest.h>

#include <memory>

namespace horaloom::testing {

inline const std::string DefaultSettings = " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n0\r\n";
inline const std::string SettingsPath = "/start/Horaloom.ini";

// The settings file with these values for alarm, repeat, position and display clock.
inline std::string settingsWith(const std::string& alarm, const std::string& repeat,
                                const std::string& position = "0", const std::string& clock = "0",
                                const std::string& wave = "")
{
    return " " + alarm + " \r\n " + repeat + " \r\n " + position + " \r\n-3000 \r\n 1995 \r\n" +
           wave + "\r\n" + clock + "\r\n";
}

class PresenterTest : public ::testing::Test {
protected:
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    fakes::FakeMainView view;
    std::unique_ptr<MainPresenter> presenter;
    bool loaded = false;

    // Starts afresh with these settings; with no file at all when settings is empty.
    MainPresenter& start(const std::string& settings = DefaultSettings)
    {
        if (!settings.empty()) {
            fake.files.files[SettingsPath] = settings;
        }
        presenter = std::make_unique<MainPresenter>(platform, view);
        loaded = presenter->Form_Load();
        return *presenter;
    }
    // One wall-clock second passes and the tick sees it.
    void seconds(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            fake.clock.advance();
            presenter->Timer1_Timer();
        }
    }
    // Types characters as the view forwards them: always to the focused box.
    void type(const std::string& keys)
    {
        for (char c : keys) {
            const int* box = std::get_if<int>(&view.focus);
            ASSERT_NE(box, nullptr) << "no digit box has the focus for '" << c << "'";
            const int index = *box;
            presenter->digitKeyPress(index, static_cast<char32_t>(c));
            if (view.focus != fakes::Focus(index)) {
                presenter->digitLostFocus(index, view.digits[static_cast<std::size_t>(index)].text);
            }
        }
    }
    const Message& lastBox() const { return fake.messageBoxes.shown.back(); }
    // A countdown started from this time, with Other in front titled "Editor".
    MainPresenter& countDownFrom(const Digits& digits,
                                 const std::string& settings = DefaultSettings)
    {
        MainPresenter& p = start(settings);
        fake.titles.windows = {{7, "Editor"}, {8, "Horaloom"}};
        fake.titles.foreground = 7;
        p.cmdCountDown_Click();
        p.TimeDigits = digits;
        p.cmdStart_Click();
        return p;
    }
};

} // namespace horaloom::testing
