// The worksheet title panel SSPanel4 of the Action Area, laid over the page area: a row per
// risk-analysis worksheet with its number (Label12), its present title (Label13) and a box for
// a new title (Text3), and the two ways out (SSCommand21). The part builds, arranges and
// handles its controls; the hub keeps reference members with their names.
#pragma once

#include "platform/Controls.h"
#include "workbook/PageContext.h"

class WorksheetTitlePanel {
public:
    // Creates the panel in the window, hidden.
    explicit WorksheetTitlePanel(PageContext context);

    // Places the panel over the page area and its rows inside it (twips).
    void Arrange(int left, int top, int width, int height);

    // "Save &Changes and Exit" (0) and "&Exit Without Saving Changes" (1); empty until the
    // worksheet titles are built.
    void SSCommand21_Click(int index);

    // =========================================================================================
    // Controls, by their names in the window
    // =========================================================================================
    platform::SSPanel SSPanel4;
    platform::Label Label8;
    platform::ControlArray<platform::Label> Label12{QStringLiteral("Label12")};
    platform::ControlArray<platform::Label> Label13{QStringLiteral("Label13")};
    platform::ControlArray<platform::TextBox> Text3{QStringLiteral("Text3")};
    platform::ControlArray<platform::SSCommand> SSCommand21{QStringLiteral("SSCommand21")};

private:
    PageContext context_;
};
