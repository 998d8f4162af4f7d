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

class PresenterTest : public ::testing::Test {
protected:
    fakes::FakePlatform fake;
    Platform platform = fake.bundle();
    fakes::FakeMainView view;
    std::unique_ptr<MainPresenter> presenter;
    bool loaded = false;

    // Starts with these settings; none at all when settings is empty.
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
    void second()
    {
        fake.clock.advance();
        presenter->Timer1_Timer();
    }
    void seconds(int n)
    {
        for (int i = 0; i < n; ++i) {
            second();
        }
    }
    // The time the engine holds, as HH:MM:SS.
    std::string stored() const { return timeText(presenter->TimeDigits); }
    // Types characters into the boxes, as the view forwards them: always to the focused box.
    void type(const std::string& keys)
    {
        for (char c : keys) {
            const int* box = std::get_if<int>(&view.focus);
            ASSERT_NE(box, nullptr) << "no digit box has the focus for '" << c << "'";
            const int index = *box;
            presenter->digitKeyPress(index, static_cast<char32_t>(c));
            if (!std::holds_alternative<int>(view.focus) || std::get<int>(view.focus) != index) {
                presenter->digitLostFocus(index, view.digits[static_cast<std::size_t>(index)].text);
            }
        }
    }
    const Message& lastBox() const { return fake.messageBoxes.shown.back(); }
};

} // namespace horaloom::testing
