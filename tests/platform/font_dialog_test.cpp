// The real font dialog opens on the font it is given, by that font's own face name and size,
// also where this system has no such face and shows another in its stead; OK without a change
// gives the font back as it was, and what the user changes is what changes.
#include "platform/Dialogs.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

using namespace platform;

namespace {

struct FontCase {
    const char* name;
    double size;
    bool bold, italic, underline, strikethrough;
    Color color;
};

class RealFontDialog : public ::testing::TestWithParam<FontCase> {
protected:
    void SetUp() override { saved_ = setDialogs(nullptr); }  // the real dialogs
    void TearDown() override { setDialogs(std::move(saved_)); }

    // Runs step on the font dialog as soon as it is up, then presses its OK button with the
    // mouse.
    static void whenUp(std::function<void(QWidget*)> step) {
        QTimer::singleShot(0, [step] {
            QWidget* d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            step(d);
            auto* box = d->findChild<QDialogButtonBox*>();
            ASSERT_NE(box, nullptr);
            QPushButton* ok = box->button(QDialogButtonBox::Ok);
            const QPointF at = QPointF(ok->rect().center());
            QMouseEvent press(QEvent::MouseButtonPress, at, ok->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, at, ok->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QApplication::sendEvent(ok, &press);
            QApplication::sendEvent(ok, &release);
        });
    }
    static FontChoice choiceOf(const FontCase& c) {
        FontChoice f;
        f.font.name = QString::fromLatin1(c.name);
        f.font.size = c.size;
        f.font.bold = c.bold;
        f.font.italic = c.italic;
        f.font.underline = c.underline;
        f.font.strikethrough = c.strikethrough;
        f.color = c.color;
        return f;
    }

private:
    std::unique_ptr<Dialogs> saved_;
};

TEST_P(RealFontDialog, OpensOnTheGivenFaceAndSizeAndOkWithoutAChangeKeepsThem) {
    const FontChoice given = choiceOf(GetParam());
    QString shownFace;
    double shownSize = 0;
    whenUp([&](QWidget* d) {
        shownFace = d->findChild<QFontComboBox*>()->currentText();
        shownSize = d->findChild<QDoubleSpinBox*>()->value();
    });
    FontChoice choice = given;
    ASSERT_TRUE(dialogs().fontDialog(choice));
    EXPECT_EQ(shownFace, given.font.name);
    EXPECT_EQ(shownSize, given.font.size);
    EXPECT_EQ(choice.font.name, given.font.name);
    EXPECT_EQ(choice.font.size, given.font.size);
    EXPECT_EQ(choice.font.bold, given.font.bold);
    EXPECT_EQ(choice.font.italic, given.font.italic);
    EXPECT_EQ(choice.font.underline, given.font.underline);
    EXPECT_EQ(choice.font.strikethrough, given.font.strikethrough);
    EXPECT_EQ(choice.color, given.color);
}

TEST_P(RealFontDialog, WhatTheUserChangesIsWhatChanges) {
    const FontChoice given = choiceOf(GetParam());
    whenUp([](QWidget* d) {
        auto* size = d->findChild<QDoubleSpinBox*>();
        size->setValue(size->value() + 4);
        auto* face = d->findChild<QFontComboBox*>();
        face->setCurrentFont(QFont(QStringLiteral("DejaVu Serif")));
    });
    FontChoice choice = given;
    ASSERT_TRUE(dialogs().fontDialog(choice));
    EXPECT_EQ(choice.font.name, QStringLiteral("DejaVu Serif"));
    EXPECT_DOUBLE_EQ(choice.font.size, std::min(96.0, std::max(4.0, given.font.size) + 4));
    EXPECT_EQ(choice.font.bold, given.font.bold);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, RealFontDialog,
    ::testing::Values(FontCase{"MS Sans Serif", 8.25, false, false, false, false, 0},  // no such face here
                      FontCase{"Times New Roman", 12, true, true, false, false, 0x0000FF},
                      FontCase{"Courier New", 9.5, false, false, true, true, 0xFF0000},
                      FontCase{"DejaVu Sans", 10, false, false, false, false, 0}),
    [](const auto& info) {
        std::string s = info.param.name;
        std::erase(s, ' ');
        return s;
    });

}  // namespace
