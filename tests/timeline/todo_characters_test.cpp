// Characters that the to-do files cannot hold: TODOActv.FIL and TODONAME.FIL keep 8-bit
// Windows-1252 text, in which "Ł" or "ź" would be written as "?". Wherever such a character
// is typed (the entry box, the item-name list's box, a cell of the grid) it is left out at
// once and a message names it; everything else typed stays, and the files hold exactly what
// the grid shows. The keys come as a keyboard sends them, to the widget that has the focus.
#include "tests/support/TypedKeys.h"
#include "tests/timeline/ToDoFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

using namespace platform;
using namespace todotest;
using testsupport::clickAt;
using testsupport::pressKey;
using testsupport::typeText;

namespace {

const QString Title = QStringLiteral("Item Grid");

QString refusal(const QString& named) {
    return QStringLiteral("The character ") + named +
           QStringLiteral(" cannot be kept in the to-do list: TODOActv.FIL and TODONAME.FIL hold only Western "
                          "European (Windows-1252) characters.\rIt has been left out.");
}

class ToDoCharactersTest : public ToDoTest {
public:
    // The message boxes the typing showed, in order.
    QStringList refusals() const {
        QStringList out;
        for (const auto& b : dialogs->shownWithTitle(Title)) out << b.text;
        return out;
    }
    void expectRefusals(int n) {
        for (int i = 0; i < n; ++i) dialogs->answer(Title, Answer::OK);
    }
    static void clickIntoCell(WorkArea1& w, int row, int col) {
        QTableWidget* t = w.VSGd2.table();
        clickAt(t->viewport(), QPointF(t->visualRect(t->model()->index(row - 1, col - 1)).center()));
    }
};

TEST_F(ToDoCharactersTest, TheEntryBoxLeavesOutWhatTheFilesCannotHoldAndTheRestIsSavedAsTyped) {
    WorkArea1& w = openTimeline();
    clickAt(w.Text1[0].widget());
    ASSERT_EQ(QApplication::focusWidget(), w.Text1[0].widget());
    expectRefusals(2);
    typeText(QString::fromUtf8("Łódź office check"));
    EXPECT_EQ(w.Text1[0].text(), QString::fromUtf8("ód office check"));
    EXPECT_EQ(refusals(), (QStringList{refusal(QStringLiteral("\"\u0141\" (U+0141)")),
                                       refusal(QStringLiteral("\"\u017A\" (U+017A)"))}));
    // What stays is placed and saved as it stands: "ó" is a character the files hold.
    press(w.SSCommand19[2]);
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QString::fromUtf8("ód office check"));
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row("\xF3" "d office check")}));
    EXPECT_EQ(namesFile(), lines({"\xF3" "d office check"}));
}

TEST_F(ToDoCharactersTest, ARefusedCharacterLeavesTheCursorWhereItWas) {
    WorkArea1& w = openTimeline();
    clickAt(w.Text1[0].widget());
    typeText(QStringLiteral("Audit"));
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Right);
    expectRefusals(1);
    typeText(QString::fromUtf8("€✓"));  // the euro sign is in the code page, the tick is not
    typeText(QStringLiteral("x"));
    EXPECT_EQ(w.Text1[0].text(), QString::fromUtf8("A€xudit"));
    EXPECT_EQ(refusals(), QStringList{refusal(QStringLiteral("\"\u2713\" (U+2713)"))});
}

TEST_F(ToDoCharactersTest, TheNameListsBoxLeavesThemOutBeforeANameIsKept) {
    WorkArea1& w = openTimeline();
    auto* combo = qobject_cast<QComboBox*>(w.Combo2.widget());
    ASSERT_NE(combo, nullptr);
    clickAt(combo->lineEdit());
    ASSERT_EQ(QApplication::focusWidget(), combo);  // which hands the keys to its line
    expectRefusals(1);
    typeText(QString::fromUtf8("Kraków 😀"));
    EXPECT_EQ(w.Combo2.text(), QString::fromUtf8("Kraków "));
    EXPECT_EQ(refusals(), QStringList{refusal(QStringLiteral("\"\U0001F600\" (U+1F600)"))});
    pressKey(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(namesFile(), lines({"Krak\xF3w "}));
}

TEST_F(ToDoCharactersTest, ACellBeingEditedLeavesThemOutAndACellStartedByOneKeepsItsText) {
    folder->write(timeline::ToDoGridFile, listOf({row("Audit", "Thu - Jan 6, 05")}));
    WorkArea1& w = openTimeline();
    clickIntoCell(w, 1, 1);
    ASSERT_EQ(w.ToDo.CellEditMode(), 1);
    // The first key would begin an edit over the item: refused, the item stays as it was.
    expectRefusals(4);
    typeText(QString::fromUtf8("Ł"));
    EXPECT_FALSE(w.VSGd2.isEditing());
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QStringLiteral("Audit"));
    typeText(QString::fromUtf8("Zażółć"));
    ASSERT_TRUE(w.VSGd2.isEditing());
    EXPECT_EQ(w.VSGd2.editText(), QString::fromUtf8("Zaó"));
    pressKey(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(w.VSGd2.textMatrix(1, 1), QString::fromUtf8("Zaó"));
    EXPECT_EQ(refusals(), (QStringList{refusal(QStringLiteral("\"\u0141\" (U+0141)")),
                                       refusal(QStringLiteral("\"\u017C\" (U+017C)")),
                                       refusal(QStringLiteral("\"\u0142\" (U+0142)")),
                                       refusal(QStringLiteral("\"\u0107\" (U+0107)"))}));
    press(w.SSCommand19[5]);
    EXPECT_EQ(listFile(), listOf({row("Za\xF3", "Thu - Jan 6, 05")}));
}

}  // namespace
