#include "launcherbox.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace horaloom {

namespace {

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// Whether a box would be seen: there is a display to open, and the platform is not one that
// draws nowhere (offscreen, minimal), where a box would wait for a click that never comes.
bool boxCanBeSeen(int argc, char* argv[])
{
    std::string_view platform = isSet("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    bool display = isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform") {
            platform = argv[i + 1];
        } else if (arg == "-display" || arg == "--display") {
            display = true;
        }
    }
    if (platform.starts_with("offscreen") || platform.starts_with("minimal")) {
        return false;
    }
    return display || !platform.empty();
}

[[noreturn]] void runBox(const LauncherBox& box, int argc, char* argv[])
{
    // A display that cannot be opened ends this process through qFatal: no core file for that.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // QApplication keeps the count and the array and takes its own options out of them.
    int count = argc;
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    QApplication app(count, arguments.data());
    QApplication::setDesktopFileName(QStringLiteral("io.github.horaloom.Horaloom"));
    // The clock from the icon theme the package installs it in.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("horaloom")));
    QMessageBox message(
        box.kind == LauncherBox::Kind::Critical ? QMessageBox::Critical : QMessageBox::Warning,
        QStringLiteral("Horaloom"), QString::fromStdString(box.text), QMessageBox::Ok);
    message.setInformativeText(QString::fromStdString(box.informative));
    if (!box.details.empty()) {
        message.setDetailedText(QString::fromStdString(box.details));
    }
    message.exec();
    // Nothing of the launcher's (buffers, exit handlers) runs twice.
    ::_exit(0);
}

} // namespace

void showLauncherBox(const LauncherBox& box, int argc, char* argv[])
{
    if (!boxCanBeSeen(argc, argv)) {
        return;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("horaloom-launcher: no message box");
        return;
    }
    if (child == 0) {
        runBox(box, argc, argv);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace horaloom
