// What the Action Area tests share: the program started in a temporary folder and the hub
// opened from the start window's begin button, as a person starts it.
#pragma once

#include "catalogue/Catalogue.h"
#include "frame/HINFO1.h"
#include "frame/Startfrm.h"
#include "platform/Files.h"
#include "tests/support/TestSupport.h"
#include "workbook/WorkArea1.h"

#include <QByteArray>

namespace hubtest {

// A 20-byte StringRecord as it stands in Stat1.Fil.
inline QByteArray statusRecord(const QByteArray& text) {
    QByteArray r(20, '\0');
    r[0] = char(text.size());
    r[1] = 0;
    r.replace(2, text.size(), text);
    return r;
}

// A whole Stat1.Fil with the given records (1-based), every other record never written.
inline QByteArray statusFile(const std::vector<std::pair<int, QByteArray>>& records, int count = 68) {
    QByteArray file(count * 20, '\0');
    for (const auto& [n, text] : records) file.replace((n - 1) * 20, 20, statusRecord(text));
    return file;
}

// All the text a print preview holds, page after page, one line per recorded piece.
inline QString previewText(const platform::PrintPreview& vsp) {
    QString all;
    const platform::PrintDocument& doc = vsp.document();
    for (int n = 1; n <= doc.pageCount(); ++n)
        for (const platform::PrintOp& op : doc.page(n).ops) all += op.text + QLatin1Char('\n');
    return all;
}

class HubTest : public testsupport::ProgramTest {
protected:
    WorkArea1& openHub() {
        Startfrm& start = platform::defaultInstance<Startfrm>();
        start.show();
        start.Command2.click();
        return platform::defaultInstance<WorkArea1>();
    }
    // The entry of specification k pressed on its page, as the user does.
    WorkArea1& openSpec(int k) {
        WorkArea1& w = openHub();
        page(w, catalogue::areaModeOf(k));
        w.EntryList(catalogue::areaModeOf(k))[catalogue::specIndexOf(k)].click();
        return w;
    }
    // The page button pressed as the user does.
    void page(WorkArea1& w, int i) { w.SSCommand11[i].click(); }
    // "Action Taken" of the entry shown chosen and typed into, as the user does: the editor's
    // change tracking then holds the text as unsaved.
    void typeUnsaved(WorkArea1& w, const QString& text = QStringLiteral("Typed by the user.")) {
        w.SSOption3.click();
        w.Rtext3.type(text);
        ASSERT_EQ(w.UnsavedChanges, 1);
    }
    // Answers the boxes a page shows when it opens (the recovery plan message, the sample note).
    void answerPageBoxes(int i) {
        if (i == 8) dialogs->answer(QStringLiteral("Disaster Recovery Plan Information"), platform::Answer::OK);
        if (i == 9) dialogs->answer(QStringLiteral("Sample Safeguard Entry"), platform::Answer::OK);
    }
};

}  // namespace hubtest
