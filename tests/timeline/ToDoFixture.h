// What the tests of the to-do page share: the Action Area opened on its timeline page as a
// person opens it, and a person's clicks, presses and typing there.
#pragma once

#include "tests/workbook/HubFixture.h"
#include "timeline/ToDoFiles.h"

#include <QDate>

namespace todotest {

namespace Answer = platform::Answer;

class ToDoTest : public hubtest::HubTest {
public:
    void SetUp() override {
        HubTest::SetUp();
        clock->setDate(2005, 1, 6);
    }
    WorkArea1& openTimeline() {
        WorkArea1& w = openHub();
        page(w, catalogue::PageTimeline);
        return w;
    }
    // A click on a cell: the grid takes the focus as the mouse goes down, then the click.
    static void clickCell(WorkArea1& w, int row, int col) {
        w.VSGd2.setFocus();
        w.VSGd2.clickCell(row, col);
    }
    // A press of a button: it takes the focus, then it is clicked.
    static void press(platform::SSCommand& button) {
        button.setFocus();
        button.click();
    }
    // Keys typed one by one into the control that has the focus.
    static void typeKeys(WorkArea1& w, const QString& text) {
        for (QChar ch : text) {
            const int code = ch.isLetter() ? ch.toUpper().unicode() : (ch.isDigit() || ch == QLatin1Char(' ')) ? ch.unicode() : 0;
            w.dispatchKey(code, 0, ch.unicode());
        }
    }
    static void key(WorkArea1& w, int keyCode, int keyAscii = 0) { w.dispatchKey(keyCode, 0, keyAscii); }
    // A name typed into the entry box.
    static void typeName(WorkArea1& w, const QString& name) {
        w.Text1[0].click();
        typeKeys(w, name);
    }
    // A date chosen on the calendar for a date cell.
    static void dateCell(WorkArea1& w, int row, int col, const QDate& date) {
        clickCell(w, row, col);
        ASSERT_TRUE(w.MonthView1.visible());
        w.MonthView1.clickDate(date);
    }
    QByteArray listFile() const { return folder->read(timeline::ToDoGridFile); }
    QByteArray namesFile() const { return folder->read(timeline::ToDoNameFile); }

    // The QuotedLines of values.
    static QByteArray lines(const QList<QByteArray>& values) {
        QByteArray out;
        for (const QByteArray& v : values) out += '"' + v + "\"\r\n";
        return out;
    }
    // A row of the list file: item, to-do date, actual date, the empty fourth line, review date.
    static QByteArray row(const QByteArray& item, const QByteArray& toDo = {}, const QByteArray& actual = {},
                          const QByteArray& review = {}) {
        return lines({item, toDo, actual, {}, review});
    }
    static QByteArray emptyRows(int n) {
        QByteArray out;
        for (int i = 0; i < n * 5; ++i) out += "\"\"\r\n";
        return out;
    }
    // A list file of these rows, then empty rows up to 500.
    static QByteArray listOf(const QList<QByteArray>& rows) {
        QByteArray out;
        for (const QByteArray& r : rows) out += r;
        return out + emptyRows(500 - int(rows.size()));
    }
    static QStringList itemColumn(WorkArea1& w, int rows) {
        QStringList out;
        for (int r = 1; r <= rows; ++r) out << w.VSGd2.textMatrix(r, 1);
        return out;
    }
    static bool saveOffered(WorkArea1& w) { return w.SSCommand19[5].enabled() && w.mOSave.enabled(); }
};

}  // namespace todotest
