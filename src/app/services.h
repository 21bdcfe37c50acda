// What the main window is given by its creator (WinMain, or a test) rather than
// reaching for: the file and clock services, the UI services, and the settings file.
// The windows it opens get theirs from it.
#pragma once

#include "winui/ui_services.h"
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

#include <string>

#include "platform/classes_registry.h"
#include "platform/selection_handover.h"

#include <vector>

struct Services {
    FileServices& files;
    UiServices& ui;
    // The settings file the window starts from and the options window saves to.
    std::string settingsPath;
    // The paths the program was started with ("vorlix.exe PATH...", as Explorer's "Send to"
    // passes them), full paths: a directory to open, or files whose directory opens with
    // them selected.
    std::vector<std::string> openPaths = {};
    // The journal of the last rename run (last-run.txt in the user's local application
    // data), which Undo Last Run reads; "" keeps none.
    std::string journalPath = {};
    // Rule sets: the folder the Save and Open dialogs show first (%APPDATA%\Vorlix\Rules),
    // the file of the recent list ("" keeps none), and a rule set to open at start-up
    // ("/rules FILE"), a full path or "".
    std::string rulesFolder = {};
    std::string recentRulesPath = {};
    std::string rulesPath = {};
    // The user's file classes, where the options window puts Explorer's menu entries
    // for the executable at `exePath`; nullptr offers none.
    ClassesRegistry* classes = nullptr;
    std::string exePath = {};
    // Started for one of several files chosen in Explorer ("/select"): the claim of this
    // window to gather the others, nullptr otherwise.
    SelectionGatherer* gatherer = nullptr;
};
