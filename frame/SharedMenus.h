// The menus every window of the program repeats, written once: "Utilities" with the backup
// and restore entries and "&Help" with its topics, About and the maker's web site, and the
// right-button popup of the window's own "&Options" menu. A window owns one SharedMenus and
// keeps reference members with its menus' names (`platform::Menu& mH = Menus.mH;`); what
// differs from window to window is in SharedMenuNames and the callbacks.
#pragma once

#include "frame/SharedBehaviours.h"
#include "platform/Controls.h"

#include <QString>
#include <functional>
#include <initializer_list>

// The few names and captions that differ between the windows.
struct SharedMenuNames {
    // The Utilities title ("&Utilities" on the Miscellaneous window).
    QString utilities = QStringLiteral("Utilities");
    // The restore entry's name (the Miscellaneous window spells it "mUResore").
    QString restore = QStringLiteral("mURestore");
    // The Help entry of the window's own topic; no name: the window has none (the start window).
    QString screenTopic = {};
    QString screenTopicCaption = {};
    // The web-site entry's name (the start window's is "mOWeb").
    QString web = QStringLiteral("mHWeb");
};

class SharedMenus {
public:
    SharedMenus(platform::Form& form, const SharedMenuNames& names);

    // Puts the window's Options menu, then Utilities and Help, on its menu bar and wires the
    // entries. Call once, from the window's constructor.
    void AddToMenuBar(platform::Menu& options);

    // ---- the right-button popup of the Options menu -------------------------------------------
    // A right-button release pops up the Options menu; other buttons do nothing.
    void PopupOptionsMenu(int button);
    // Wires the popup to the mouse-up event of each control given, and of every element of
    // each control array given.
    void AttachOptionsPopup(std::initializer_list<platform::Control*> controls);
    // Wires the popup to every other control of the window: each one that has no mouse
    // handling of its own and is not a box the user types or selects text in (those keep their
    // editing menu). Call last in the window's constructor, after every control exists.
    void AttachOptionsPopupToEveryOtherControl();
    template <class... Arrays>
    void AttachOptionsPopupToArrays(Arrays&... arrays) {
        (arrays.setOnMouseUp([this](int, int button, int, int, int) { PopupOptionsMenu(button); }), ...);
    }

    // ---- handlers ---------------------------------------------------------------------------
    void mUBack_Click();
    void mURestore_Click();
    // The Help title: while the window's print preview shows, it opens the print-preview topic
    // and closes the menu again; otherwise opening it only shows it.
    void mH_Click();
    void mHCont_Click();
    void mHI_Click();
    void mHScreen_Click();
    void mHA_Click();
    void mHWeb_Click();

    // ---- what the window supplies -------------------------------------------------------------
    // The topic of the screen-topic entry (required when the window has that entry).
    std::function<int()> ScreenTopic;
    // Runs before the screen topic opens (the Action Area hides its calendar there).
    std::function<void()> BeforeScreenTopic;
    // Whether the window's print preview shows (windows with a print panel).
    std::function<bool()> PreviewShowing;
    // Run before the backup window opens for a backup and for a restore (the Action Area offers
    // its unsaved text for saving, so that nothing of it is left to be saved over a restored
    // file); false stops it.
    std::function<bool()> BeforeBackup;
    std::function<bool()> BeforeRestore;
    // Runs after the restore (the Action Area returns to its first area tab).
    std::function<void()> AfterRestore;

    // =========================================================================================
    // Menus, by their names in the windows
    // =========================================================================================
    platform::Menu mU;
    platform::Menu mUBack;
    platform::Menu mURestore;
    platform::Menu mH;
    platform::Menu mHCont;
    platform::Menu mHI;
    // mHSceen, mHSec or mHScreen; not on the menu bar of a window without a topic of its own.
    platform::Menu mHScreen;
    platform::Menu mHSep1;
    platform::Menu mHA;
    platform::Menu mHSep2;
    platform::Menu mHWeb;

private:
    platform::Form& form_;
    platform::Menu* options_ = nullptr;
    bool hasScreenTopic_;
};
