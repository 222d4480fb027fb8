// The Action Area's Options menu: what opening it enables, Copy to Clipboard, the grid
// wallpaper, and the entries that run a button of the page (spell check, thesaurus).
#include "catalogue/Catalogue.h"
#include "frame/Settings.h"
#include "frame/SharedBehaviours.h"
#include "platform/Files.h"
#include "workbook/WorkArea1.h"

using namespace platform;

void WorkArea1::mO_Click() {
    mOClip.setEnabled(!Rtext3.text().trimmed().isEmpty());
    ToDo.HideCalendar();
    if (AreaMode == catalogue::PageTimeline) mOIn.setEnabled(VSGd2.editable() != 0);
}

// The editor's whole rich text; the message says whether it reached the clipboard.
void WorkArea1::mOClip_Click() { CopyAsRichText(Rtext3); }

// The wallpaper behind both grids, kept for the next start in the display settings.
void WorkArea1::mOGrid1_Click(int index) {
    if (index < 0 || index > 8) return;
    // Stored first: a wallpaper that could not be stored would be gone at the next start.
    WriteOutcome written = WriteOutcome::Failed;
    frame::writeGridWallpaperSetting(index, &written);
    if (!SettingWritten(written, QString::fromLatin1(frame::DisplaySettingsFile), QStringLiteral("The grids keep their background.")))
        return;
    ApplyGridWallpaper(index);
}

void WorkArea1::mOSpell_Click() {
    if (AreaMode == catalogue::PageTimeline)
        ToDo.SSCommand20_Click();
    else
        SSCommand10_Click();
}

void WorkArea1::mOThes_Click() { SSCommand9_Click(); }
