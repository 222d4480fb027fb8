// A reference window (the Information Advisor or the Miscellaneous window) over a program
// folder holding the shipped content, in the smaller display.
#pragma once

#include "frame/HINFO1.h"
#include "platform/RichTextBox.h"
#include "tests/support/TestSupport.h"

namespace referencetest {

// The plain text a topic document gives when loaded on its own.
inline QString documentText(int n) {
    platform::Form scratch(QStringLiteral("Scratch"));
    platform::RichTextBox box(scratch, scratch, QStringLiteral("box"));
    box.loadFile(QStringLiteral("Misc%1.Hlp").arg(n));
    return box.text();
}

template <class Window>
class ReferenceWindowTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder->copyContent();
        DisplayMode = SmallerScreenDisplay;
    }
    Window& open() {
        Window& w = platform::defaultInstance<Window>();
        w.show();
        return w;
    }
    std::vector<testsupport::ShownBox> boxes(const QString& title) const { return dialogs->shownWithTitle(title); }
};

}  // namespace referencetest
