// The worksheet title panel SSPanel4 of the Action Area, laid over the page area: a row per
// risk-analysis worksheet with its number (Label12), its present title (Label13) and a box for
// a new title (Text3), and the two ways out (SSCommand21). The part builds, arranges and
// handles its controls; the hub keeps reference members with their names.
#pragma once

#include "platform/Controls.h"
#include "workbook/PageContext.h"
#include "workbook/WorksheetTitles.h"

#include <functional>

class WorksheetTitlePanel {
public:
    // Creates the panel in the window, hidden.
    explicit WorksheetTitlePanel(PageContext context);

    // Places the panel over the page area and its rows inside it (twips).
    void Arrange(int left, int top, int width, int height);

    // Shows the panel with each worksheet's present title, in its row and in its box.
    void Open(const workbook::WorksheetTitleTexts& titles);

    // "Save &Changes and Exit" (0) stores every box that holds more than blanks and closes the
    // panel; when the titles cannot be stored the user is told and the panel stays open with
    // the typing. "&Exit Without Saving Changes" (1) closes it and writes nothing.
    void SSCommand21_Click(int index);

    // A typed title keeps only what its record can hold.
    void Text3_Change(int n);

    // Runs as the panel closes: with what the store now holds after a save, else with nothing.
    std::function<void(const workbook::WorksheetTitlesWrite* saved)> Closed;

    // =========================================================================================
    // Controls, by their names in the window
    // =========================================================================================
    platform::SSPanel SSPanel4;
    // Column headings: "Button Number", "Current Title", "Change Title To:".
    platform::ControlArray<platform::Label> Label8{QStringLiteral("Label8")};
    platform::ControlArray<platform::Label> Label12{QStringLiteral("Label12")};
    platform::ControlArray<platform::Label> Label13{QStringLiteral("Label13")};
    platform::ControlArray<platform::TextBox> Text3{QStringLiteral("Text3")};
    platform::ControlArray<platform::SSCommand> SSCommand21{QStringLiteral("SSCommand21")};

private:
    PageContext context_;
};
