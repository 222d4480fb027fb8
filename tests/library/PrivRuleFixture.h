// A Security Rule window over a program folder holding the shipped rule documents.
#pragma once

#include "frame/HINFO1.h"
#include "library/PrivRule.h"
#include "platform/Files.h"
#include "tests/support/TestSupport.h"

#include <optional>

namespace privruletest {

// Answers like the scripted dialogs and also keeps the font the program offered the user.
class FontRecordingDialogs : public testsupport::ScriptedDialogs {
public:
    bool fontDialog(platform::FontChoice& choice) override {
        offered.push_back(choice);
        return ScriptedDialogs::fontDialog(choice);
    }
    std::vector<platform::FontChoice> offered;
};

class PrivRuleTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        auto d = std::make_unique<FontRecordingDialogs>();
        fontDialogs = d.get();
        dialogs = d.get();
        platform::setDialogs(std::move(d));
        folder->copyContent();
        DisplayMode = 9;
        RuleSection = 0;
    }

    PrivRule& showRule() {
        PrivRule& w = platform::defaultInstance<PrivRule>();
        w.show();
        return w;
    }
    // The window as the user leaves it open.
    PrivRule& openAt(int section) {
        PrivRule& w = showRule();
        w.SSOption1[section].click();
        return w;
    }
    // Replaces a rule document with rich text of our own.
    void writeSection(int section, const QByteArray& rtf) {
        folder->write(RuleSectionFileName(section), rtf);
    }
    std::vector<testsupport::ShownBox> boxes(const QString& title) const {
        return dialogs->shownWithTitle(title);
    }

    FontRecordingDialogs* fontDialogs = nullptr;
};

inline PrivRule* openWindow() { return platform::existingInstance<PrivRule>(); }

}  // namespace privruletest
