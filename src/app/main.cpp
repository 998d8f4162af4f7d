// Horaloom: a desktop timer that shows the running time in the title of the window in front.
#include "clockicon.h"
#include "commandline.h"
#include "displaycheck.h"
#include "displayinstance.h"
#include "fonts.h"
#include "lazysound.h"
#include "mainwindow.h"
#include "ownwindowtitles.h"
#include "qtclock.h"
#include "qtfiledialog.h"
#include "qtfiles.h"
#include "qtmessageboxes.h"
#include "qtprogramend.h"
#include "qttray.h"
#include "signalguard.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <memory>

#if defined(HORALOOM_HAVE_X11)
#include "xcbframeextents.h"
#include "xcbwindowtitles.h"
#endif
#if defined(Q_OS_WIN)
#include "win32sound.h"
#include "win32windowtitles.h"
#endif

namespace {

// The backend for other programs' windows, or null where they cannot be written.
std::unique_ptr<horaloom::WindowTitles> desktopTitles()
{
#if defined(HORALOOM_HAVE_X11)
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        auto x11 = std::make_unique<horaloom::XcbWindowTitles>();
        if (x11->connected()) {
            return x11;
        }
    }
#endif
#if defined(Q_OS_WIN)
    return std::make_unique<horaloom::Win32WindowTitles>();
#endif
    std::fprintf(stderr,
                 "horaloom: the running time cannot be shown in other programs' titles in this "
                 "session (%s); Horaloom's own caption shows it\n",
                 qPrintable(QGuiApplication::platformName()));
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const auto status = horaloom::answerCommandLine(argc, argv)) {
        return *status;
    }
    // Without TZ, glibc looks at /etc/localtime again on every reading of the local time.
    // Naming the file reads it once.
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsEmpty("TZ")) {
        qputenv("TZ", ":/etc/localtime");
    }
#endif
    if (!horaloom::displayReachable(argc, argv)) {
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Horaloom"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.horaloom.Horaloom"));
    // Hidden in the tray, with no window on the screen, Horaloom goes on running.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(horaloom::clockIcon());
    horaloom::registerFontSubstitutions();

    const std::unique_ptr<horaloom::WindowTitles> desktop = desktopTitles();
    horaloom::OwnWindowTitles titles(desktop.get());
#if defined(Q_OS_WIN)
    horaloom::Win32Sound sound;
#else
    // Beside the binary in a build, in the private library directory once installed.
    const QString binDir = QCoreApplication::applicationDirPath();
    horaloom::LazySound sound(
        {binDir, QDir(binDir).filePath(QStringLiteral(HORALOOM_MODULE_DIR_FROM_BIN))});
#endif
    horaloom::QtMessageBoxes messageBoxes;
    horaloom::QtFileDialog fileDialog;
    horaloom::QtFiles files;
    horaloom::QtClock clock;
    horaloom::QtTray tray(horaloom::clockIcon(), QStringLiteral("Horaloom V1.00"));
    const std::unique_ptr<horaloom::SingleInstance> singleInstance = horaloom::makeSingleInstance();
    horaloom::QtProgramEnd programEnd;
    horaloom::Platform platform{titles, sound, messageBoxes,    fileDialog, files,
                                clock,  tray,  *singleInstance, programEnd};

    horaloom::Form1 form(platform);
#if defined(HORALOOM_HAVE_X11)
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        form.setFrameProbe([](WId window) {
            const auto frame = horaloom::requestFrameExtents(window, 300);
            return frame ? QMargins(frame->left, frame->top, frame->right, frame->bottom)
                         : QMargins();
        });
    }
#endif
    horaloom::MainPresenter& presenter = form.presenter();
    // Before start-up, which gives back titles a killed copy left: a signal that comes now ends
    // Horaloom as cleanly as one that comes later.
    horaloom::installSignalGuard([&presenter] { presenter.endWithoutAsking(); });
    if (!presenter.Form_Load()) {
        return 1;
    }
    return QApplication::exec();
}
