// A WindowTitles that passes every call on to the real backend, counts the calls, and can run
// something once at a chosen point of the writer's next call: another program acting between
// two of its requests.
#pragma once

#include "windowtitles.h"

#include <functional>
#include <optional>
#include <utility>

namespace horaloom::soak {

class TappedTitles final : public WindowTitles {
public:
    enum class Point { AfterForeground, AfterRead, BeforeRestore, BeforeWrite };

    struct Counts {
        long foregroundQueries = 0;
        long reads = 0;
        long writes = 0;
        long restores = 0;
    };

    explicit TappedTitles(WindowTitles& backend) : m_backend(backend) {}

    void once(Point point, std::function<void()> action)
    {
        m_point = point;
        m_action = std::move(action);
    }
    bool armed() const { return m_point.has_value(); }
    void disarm() { m_point.reset(); }
    const Counts& counts() const { return m_counts; }

    WindowId foregroundWindow() override
    {
        ++m_counts.foregroundQueries;
        const WindowId window = m_backend.foregroundWindow();
        fire(Point::AfterForeground);
        return window;
    }
    std::string readTitle(WindowId window) override
    {
        ++m_counts.reads;
        std::string title = m_backend.readTitle(window);
        fire(Point::AfterRead);
        return title;
    }
    void writeTitle(WindowId window, std::string_view title) override
    {
        fire(Point::BeforeWrite);
        ++m_counts.writes;
        m_backend.writeTitle(window, title);
    }
    void restoreTitle(WindowId window, std::string_view ownTitle) override
    {
        fire(Point::BeforeRestore);
        ++m_counts.restores;
        m_backend.restoreTitle(window, ownTitle);
    }
    void recoverAbandonedTitles() override { m_backend.recoverAbandonedTitles(); }

private:
    void fire(Point point)
    {
        if (m_point == point) {
            m_point.reset();
            m_action();
        }
    }

    WindowTitles& m_backend;
    std::optional<Point> m_point;
    std::function<void()> m_action;
    Counts m_counts;
};

} // namespace horaloom::soak
