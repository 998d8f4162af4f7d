// TitlesSoak, continued: the checks, the failure report and the summary.
#include "titlerecord.h"
#include "titlessoak.h"

#include <cstdio>
#include <sstream>

namespace horaloom::soak {

namespace {

constexpr long failuresShown = 10;

const char* const checkNames[] = {
    "every window but the decorated one carries its own title",
    "the decorated window shows the time in front of its own title, and notes its own title",
    "after the stop path every other program's window carries its own title",
    "after restoreLastWindow every window carries its own title",
    "after restoreAll every window carries its own title",
    "the backend reports the window brought to the front"};

const char* const checkShortNames[] = {"step",  "decoration", "stop",
                                       "final", "shutdown",   "foreground"};

std::string escaped(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
            out.push_back(c);
        } else {
            out += {'\\', 'x', digits[byte >> 4], digits[byte & 0xF]};
        }
    }
    return out;
}

} // namespace

long TitlesSoak::failures() const
{
    long total = 0;
    for (const Tally& tally : m_checks) {
        total += tally.failed;
    }
    return total;
}

std::string TitlesSoak::describe(const Window& window) const
{
    std::ostringstream out;
    out << "0x" << std::hex << window.id << std::dec << " ("
        << (window.main ? "Horaloom's main window" : soak::describe(window.title.kind)) << ")";
    return out.str();
}

std::string TitlesSoak::show(const std::optional<Property>& value)
{
    if (!value) {
        return "(absent)";
    }
    std::string_view bytes = value->bytes;
    std::string text =
        m_desktop.atomName(value->type) + "/" + std::to_string(value->format) + " \"";
    if (bytes.size() > 200) {
        text +=
            escaped(bytes.substr(0, 120)) + "\" ... \"" + escaped(bytes.substr(bytes.size() - 40));
    } else {
        text += escaped(bytes);
    }
    return text + "\" (" + std::to_string(bytes.size()) + " bytes)";
}

TitleProperties TitlesSoak::ownProperties(const Window& window) const
{
    return {window.title.netWmName, window.title.wmName, std::nullopt};
}

void TitlesSoak::checkOwnTitles(Check check, WindowId except)
{
    std::vector<const Window*> subjects;
    std::vector<xcb_window_t> ids;
    for (const Window& window : m_windows) {
        if (window.id != except) {
            subjects.push_back(&window);
            ids.push_back(window.id);
        }
    }
    m_backend.sync();
    const auto actual = m_desktop.readTitles(ids);
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        if (!actual[i]) {
            report(check, "window " + describe(*subjects[i]) + " is gone, though no one closed it",
                   {});
            continue;
        }
        compare(check, *subjects[i], ownProperties(*subjects[i]), *actual[i], false);
    }
}

// Right after a call of TitleBar that wrote: the window it decorates.
void TitlesSoak::checkDecoration()
{
    const Window* window = find(m_writer.LastWindow);
    if (window == nullptr || (m_displayClock != 0 && m_displayClock != 1)) {
        return;
    }
    m_backend.sync();
    const auto actual = m_desktop.readTitles({window->id});
    if (!actual.front()) {
        return;
    }
    const Property decoration{m_desktop.typeAtoms().utf8String, 8,
                              TitleBarWriter::composeTitle(timeText(), clockText(), m_displayClock,
                                                           window->title.shownText())};
    // What a later run would put back if this one were killed now: the window's own title.
    std::vector<RecordedProperty> own;
    const auto record = [&](const char* name, const std::optional<Property>& value) {
        if (value) {
            own.push_back({name, m_desktop.atomName(value->type), value->format, value->bytes});
        }
    };
    record("_NET_WM_NAME", window->title.netWmName);
    record("WM_NAME", window->title.wmName);
    const Property ownTitleNote{m_desktop.ownTitleAtom(), 8,
                                encodeTitleRecord({own, window->title.shownText()})};
    compare(Decoration, *window, {decoration, decoration, ownTitleNote}, *actual.front(), true);
}

void TitlesSoak::compare(Check check, const Window& window, const TitleProperties& expected,
                         const TitleProperties& actual, bool decorated)
{
    const bool same = expected.netWmName == actual.netWmName && expected.wmName == actual.wmName &&
                      expected.ownTitleNote == actual.ownTitleNote;
    if (same) {
        ++m_checks[check].passed;
        return;
    }
    std::vector<std::string> details;
    std::string differing;
    const auto line = [&](const char* name, const std::optional<Property>& want,
                          const std::optional<Property>& have) {
        details.push_back(std::string(want == have ? "  " : "* ") + name);
        differing += want == have ? "" : std::string(" ") + name;
        details.push_back("      expected: " + show(want));
        details.push_back("      actual:   " + show(have));
    };
    line("_NET_WM_NAME", expected.netWmName, actual.netWmName);
    line("WM_NAME", expected.wmName, actual.wmName);
    line("_HORALOOM_OWN_TITLE", expected.ownTitleNote, actual.ownTitleNote);
    details.push_back("  its program last set: " + show(window.title.netWmName) +
                      " as _NET_WM_NAME, " + show(window.title.wmName) + " as WM_NAME");
    report(check,
           "window " + describe(window) +
               (decorated ? " is not decorated as expected" : " does not carry its own title"),
           details,
           std::string(checkShortNames[check]) + ", " +
               (window.main ? "main window" : soak::describe(window.title.kind)) +
               ", differs:" + differing);
    if (m_options.keepGoing) {
        // Its program puts its title right; a tick lets the writer see that before anything
        // else happens, so that one fault is not counted again and again.
        m_desktop.resetTitle(window.id, window.title);
        m_tickAfterReset = m_tickAfterReset || (m_running && window.id == m_writer.LastWindow);
    }
}

void TitlesSoak::report(Check check, const std::string& headline,
                        const std::vector<std::string>& details, const std::string& kind)
{
    ++m_checks[check].failed;
    // The first few in full, and after that the first of each kind.
    const bool firstOfItsKind = ++m_failureKinds[kind.empty() ? checkShortNames[check] : kind] == 1;
    if (m_failuresShown >= failuresShown && !firstOfItsKind) {
        return;
    }
    ++m_failuresShown;
    std::printf("\nFAILED at operation %ld of seed %llu: %s\n  check: %s\n", m_operation,
                static_cast<unsigned long long>(m_options.seed), headline.c_str(),
                checkNames[check]);
    std::printf("  writer: LastWindow 0x%llx, SavedTitle %zu bytes, displayClock %d, time %s\n",
                static_cast<unsigned long long>(m_writer.LastWindow), m_writer.SavedTitle.size(),
                m_displayClock, timeText().c_str());
    for (const std::string& detail : details) {
        std::printf("%s\n", detail.c_str());
    }
    std::printf("  the operations before it:\n");
    for (const std::string& step : m_recent) {
        std::printf("    %s\n", step.c_str());
    }
    std::printf("  again: titles_soak --seed %llu --operations %ld\n",
                static_cast<unsigned long long>(m_options.seed), m_operation + 1);
    std::fflush(stdout);
}

void TitlesSoak::printSummary(std::chrono::duration<double> elapsed)
{
    const auto& n = m_operations;
    std::printf(
        "\noperations: %ld create, %ld destroy, %ld activate, %ld retitle to another "
        "length, %ld retitle to the same length (%ld of the decorated window), %ld timer "
        "start, %ld timer stop, %ld displayClock change, %ld tick only; %ld retitles of the "
        "decorated window followed by a switch before the next tick\n",
        n[Create], n[Destroy], n[Activate], n[RetitleOtherLength], n[RetitleSameLength],
        m_sameLengthOnDecorated, n[StartTimer], n[StopTimer], n[ChangeDisplayClock], n[TickOnly],
        m_switchesBeforeTick);
    std::printf("windows: %ld created, at most %zu at once; gone between steps %ld, during the "
                "tick after the foreground query %ld, after the read %ld, before the write %ld, "
                "before the restore %ld\n",
                m_created, m_mostWindows, m_vanished[Plain], m_vanished[AfterForeground],
                m_vanished[AfterRead], m_vanished[BeforeWrite], m_vanished[BeforeRestore]);
    const auto& calls = m_tapped.counts();
    std::printf("writer: %ld calls of TitleBar (%ld repeated at a stop), %ld title writes, %ld "
                "restores, %ld reads, %.2f round trips per call; %ld "
                "activations needed a second request\n",
                m_ticks, m_stopRepeats, calls.writes, calls.restores, calls.reads,
                m_ticks > 0 ? static_cast<double>(m_tickRoundTrips) / static_cast<double>(m_ticks)
                            : 0.0,
                m_activationRetries);
    std::printf("checks:");
    long passed = 0;
    for (int check = 0; check < CheckKinds; ++check) {
        const Tally& tally = m_checks[static_cast<std::size_t>(check)];
        std::printf("%s %ld/%ld", check == 0 ? "" : ",", tally.passed, tally.passed + tally.failed);
        passed += tally.passed;
    }
    std::printf(" (step, decoration, stop, final, shutdown, foreground)\n");
    for (const auto& [kind, count] : m_failureKinds) {
        std::printf("  failed %ld times: %s\n", count, kind.c_str());
    }
    const double seconds = elapsed.count();
    std::printf("titles_soak: %ld passed, %ld failed; %ld operations in %.1f s (%.0f "
                "operations/s), %ld title writes (%.0f/s), seed %llu\n",
                passed, failures(), m_operation, seconds,
                static_cast<double>(m_operation) / seconds, calls.writes,
                static_cast<double>(calls.writes) / seconds,
                static_cast<unsigned long long>(m_options.seed));
}

} // namespace horaloom::soak
