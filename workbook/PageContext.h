// What a page part of the Action Area shares with the hub, handed to the part when the hub
// builds it. A part never includes the hub's header: what crosses pages reaches it here.
#pragma once

#include "workbook/StatusStore.h"

#include <functional>

namespace platform {
class Form;
class SpellChecker;
}

struct PageContext {
    // The window the part's controls belong to.
    platform::Form& form;
    // 1 while the user's typing (or a to-do change) is not saved yet; the save question and
    // every Save read it.
    int& UnsavedChanges;
    // The page shown (catalogue::AreaModes).
    const int& AreaMode;
    // The status texts by StatusNumber, as the status store holds them.
    workbook::StatusStore::Statuses& SpecStatus;
    // "Save changes/entries before next action?": saves the document shown on a Yes. False
    // when that save failed: the part then stops where it is.
    std::function<bool()> AskSaveChanges;
    // The window's right-button Options popup (a right button pops it up; others do nothing).
    std::function<void(int button)> PopupOptionsMenu;
    // Presses the page selector's first button (the page switch asks about unsaved changes).
    std::function<void()> ShowOverviewPage;
    // The Options menu's "&Print" for the page shown, the preview set up as every opener does.
    std::function<void()> PrintThisPage;
    // The window's spell checker; its events are the window's (grid mode on the to-do page).
    platform::SpellChecker& VSSpell1;
    // False, with the message said, when the spelling dictionary is missing.
    std::function<bool()> SpellCheckerReady;
};
