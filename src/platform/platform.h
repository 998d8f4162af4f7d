// The bundle of outside services handed to the main window.
#pragma once

#include "clock.h"
#include "filedialog.h"
#include "files.h"
#include "messageboxes.h"
#include "programend.h"
#include "singleinstance.h"
#include "sound.h"
#include "traycomponent.h"
#include "windowtitles.h"

namespace horaloom {

struct Platform {
    WindowTitles& titles;
    Sound& sound;
    MessageBoxes& messageBoxes;
    FileDialog& fileDialog;
    Files& files;
    Clock& clock;
    TrayComponent& tray;
    SingleInstance& singleInstance;
    ProgramEnd& programEnd;
};

} // namespace horaloom
