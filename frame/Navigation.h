// Moving between the program's windows. Every window opens, hides or places another one
// through these functions only; their definitions (frame/Navigation.cpp) are the one place
// that knows every window's class.
#pragma once

#include <optional>

namespace platform {
class Form;
}

namespace frame {

// The start window, the first window of the program.
void ShowStartWindow();
// Hides the start window when it is shown (the Action Area takes its place; it stays loaded).
void HideStartWindow();
// Gives a window the start window's place, size and state, when the start window exists.
void PlaceLikeStartWindow(platform::Form& form);
// The start window's place and size (twips), when it exists.
struct WindowPlace {
    int left = 0, top = 0, width = 0, height = 0;
};
std::optional<WindowPlace> StartWindowPlace();
// The splash window, modally.
void ShowSplash();

// The Action Area, modeless; ShowActionAreaAt first moves its top left corner to (left, top).
void ShowActionArea();
void ShowActionAreaAt(int left, int top);
// Hides the Action Area when it is shown (a reference window takes its place).
void HideActionArea();
// Gives a window the Action Area's place and size, when the Action Area exists (the hub is
// never built just to be looked at).
void PlaceLikeActionArea(platform::Form& form);

// The reference windows, modeless.
void ShowSecurityRule();
void ShowInformationAdvisor();
void ShowMiscellaneous();

// The About window and the backup window, modally.
void ShowAbout();
void ShowBackupWindow();
// After the backup window restored (or may have restored) the user files: the Action Area
// forgets the document its editor held and reads the statuses again.
void UserFilesRestored();

}  // namespace frame
