// horaloom-launcher: starts Horaloom in a settings directory of the user's own. Horaloom reads
// and writes Horaloom.ini in the directory it starts in and will not start without a good one;
// the launcher makes sure there is one, with the user's file kept whatever state it is in.
#include "commandline.h"
#include "launcherbox.h"
#include "qtfiles.h"
#include "settingsformat.h"
#include "settingshome.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace horaloom;

const CommandLineTexts LauncherCommandLine{
    "horaloom-launcher",
    "Usage: horaloom-launcher [--help | --version] [Qt options]\n"
    "\n"
    "Starts Horaloom in its settings directory, $XDG_CONFIG_HOME/horaloom\n"
    "(~/.config/horaloom when XDG_CONFIG_HOME is unset), and puts the default\n"
    "settings there first when there are none. Settings found in the old place,\n"
    "~/.local/share/horaloom, are moved there. A settings file Horaloom cannot read\n"
    "is renamed Horaloom.ini.unreadable-DATE-TIME, never deleted, and Horaloom starts\n"
    "with the default settings.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -display, -style, -session and the like) are passed\n"
    "on to horaloom. See horaloom-launcher(1).\n",
};

constexpr int LauncherFailed = 1;

// Where this program lies, links resolved: the installed tree it belongs to.
std::string binDirectory()
{
    std::vector<char> path(PATH_MAX + 1);
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return {};
    }
    const std::string self(path.data(), static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/'));
}

class Launcher {
public:
    Launcher(int argc, char* argv[]) : m_argc(argc), m_argv(argv) {}

    int run();

private:
    [[noreturn]] void fail(const std::string& what, const std::string& reason);
    void migrateOldSettings();
    // The bytes of the shipped default settings; fails when they cannot be had.
    std::string defaultSettings();
    void placeSettings(std::string_view bytes);
    void recoverUnreadable();
    // Why Horaloom would refuse the file, in its own words; empty when it would read it.
    std::string whyUnreadable();

    int m_argc;
    char** m_argv;
    QtFiles m_files;
    std::string m_bin;
    std::string m_home;
    std::string m_directory;
    std::string m_settings;
};

void Launcher::fail(const std::string& what, const std::string& reason)
{
    const std::string text = "Horaloom cannot start: " + what;
    std::fprintf(stderr, "horaloom-launcher: %s (%s)\n", text.c_str(), reason.c_str());
    showLauncherBox({LauncherBox::Kind::Critical, text + '.', reason, {}}, m_argc, m_argv);
    std::exit(LauncherFailed);
}

int Launcher::run()
{
    m_bin = binDirectory();
    if (m_bin.empty()) {
        fail("the launcher cannot tell where it is installed", "/proc/self/exe cannot be read");
    }
    m_home = homeDirectory();
    if (m_home.empty()) {
        fail("your home directory is not known", "HOME is not set");
    }
    m_directory = xdgDirectory(std::getenv("XDG_CONFIG_HOME"), m_home, ".config") + "/horaloom";
    m_settings = m_directory + '/' + std::string(SettingsFileName);
    if (const std::string error = makeDirectories(m_directory); !error.empty()) {
        fail("its settings directory cannot be made", error);
    }
    if (!entryExists(m_settings)) {
        migrateOldSettings();
    }
    if (!entryExists(m_settings)) {
        placeSettings(defaultSettings());
    } else {
        recoverUnreadable();
    }
    if (::chdir(m_directory.c_str()) != 0) {
        fail("its settings directory cannot be entered", m_directory + ": " + std::strerror(errno));
    }
    // Horaloom takes the launcher's place: the same process, its exit status the launcher's.
    const std::string program = m_bin + "/horaloom";
    std::vector<char*> arguments(m_argv, m_argv + m_argc);
    arguments[0] = const_cast<char*>(program.c_str());
    arguments.push_back(nullptr);
    ::execv(program.c_str(), arguments.data());
    fail("the program cannot be run", program + ": " + std::strerror(errno));
}

void Launcher::migrateOldSettings()
{
    const std::string old = xdgDirectory(std::getenv("XDG_DATA_HOME"), m_home, ".local/share") +
                            "/horaloom/" + std::string(SettingsFileName);
    if (!entryExists(old)) {
        return;
    }
    if (const std::string error = moveEntry(old, m_settings); !error.empty()) {
        std::fprintf(stderr, "horaloom-launcher: the settings in %s stay there (%s)\n", old.c_str(),
                     error.c_str());
        return;
    }
    std::fprintf(stderr, "horaloom-launcher: moved the settings from %s to %s\n", old.c_str(),
                 m_settings.c_str());
    // The old directory goes too once it is empty; anything else in it is left alone.
    ::rmdir(old.substr(0, old.rfind('/')).c_str());
}

std::string Launcher::defaultSettings()
{
    // The shipped default, found relative to this installed tree so a staged one works too.
    const std::string path =
        m_bin + "/" HORALOOM_DATADIR_FROM_BINDIR "/horaloom/" + std::string(SettingsFileName);
    FileContents contents = m_files.readSmallFile(path, SettingsMaxBytes);
    if (!contents.bytes) {
        fail("its default settings file is missing", path + ": " + contents.error);
    }
    return std::move(*contents.bytes);
}

void Launcher::placeSettings(std::string_view bytes)
{
    if (const std::string error = placeNewFile(m_settings, bytes); !error.empty()) {
        fail("its settings file cannot be written", error);
    }
}

std::string Launcher::whyUnreadable()
{
    const std::string shown = m_files.displayName(m_settings);
    const FileContents contents = m_files.readSmallFile(m_settings, SettingsMaxBytes);
    if (!contents.bytes) {
        return shown + ": " + contents.error;
    }
    const SettingsReadResult read = parseSettings(*contents.bytes);
    if (!read.settings) {
        return shown + ", line " + std::to_string(read.error.line) + ": " + read.error.problem;
    }
    return {};
}

void Launcher::recoverUnreadable()
{
    // Another launcher may recover the same file at the same moment: what is moved aside must
    // be the entry that was read, never the default it has put in its place.
    for (int round = 0; round < 3; ++round) {
        if (isSymbolicLink(m_settings)) {
            // A link is the user's arrangement (its target may be on a drive not mounted now):
            // Horaloom itself reports what is wrong with it.
            return;
        }
        const std::string examined = entryIdentity(m_settings);
        const std::string reason = whyUnreadable();
        if (reason.empty()) {
            return;
        }
        if (examined.empty() || entryIdentity(m_settings) != examined) {
            continue;
        }
        // Known to be there before the user's file goes aside.
        const std::string fresh = defaultSettings();
        std::string error;
        const std::string aside = moveAside(m_settings, error);
        if (aside.empty()) {
            // Horaloom's own box then gives the reason.
            std::fprintf(stderr, "horaloom-launcher: %s; it cannot be moved aside (%s)\n",
                         reason.c_str(), error.c_str());
            return;
        }
        placeSettings(fresh);
        std::fprintf(stderr,
                     "horaloom-launcher: %s; moved it aside to %s and started with the default "
                     "settings\n",
                     reason.c_str(), aside.c_str());
        showLauncherBox({LauncherBox::Kind::Warning,
                         "Horaloom could not read its settings and starts with the default "
                         "settings.",
                         "The old settings file is kept as " + aside + ".", reason},
                        m_argc, m_argv);
        return;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (const auto status = answerCommandLine(argc, argv, LauncherCommandLine)) {
        return *status;
    }
    return Launcher(argc, argv).run();
}
