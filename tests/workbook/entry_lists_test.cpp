// The entry lists of the five catalogue pages: pressing an entry highlights it, shows its
// status and labels and names it in the window caption.
#include "catalogue/Catalogue.h"
#include "catalogue/EntryButtons.h"
#include "tests/workbook/HubFixture.h"

using namespace platform;

namespace {

ControlArray<SSCommand>& listOf(WorkArea1& w, int page) {
    ControlArray<SSCommand>* lists[5] = {&w.SSCommand14, &w.SSCommand17, &w.SSCommand16, &w.SSCommand15,
                                         &w.SSCommand13};
    return *lists[page - 2];
}

QString u8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

class EntryListTest : public hubtest::HubTest, public ::testing::WithParamInterface<int> {};

TEST_P(EntryListTest, PressingAnEntrySelectsItsSpecification) {
    const int k = GetParam();
    const catalogue::SpecEntry& e = catalogue::entry(k);
    // The buttons stand in SpecNumber order.
    const catalogue::EntryButton* b = &catalogue::EntryButtons[std::size_t(k - 1)];
    ASSERT_EQ(b->page, e.areaMode);
    ASSERT_EQ(b->index, e.specIndex);
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{k, "Working"}}));
    WorkArea1& w = openHub();
    page(w, e.areaMode);
    ControlArray<SSCommand>& list = listOf(w, e.areaMode);
    EXPECT_EQ(list.count(), catalogue::entryCount(e.areaMode));
    list[e.specIndex].click();

    EXPECT_EQ(w.SpecIndex, e.specIndex);
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Working"));
    EXPECT_EQ(w.caption(), w.AreaCaption + QStringLiteral(" - ") + u8(b->tooltip));
    EXPECT_EQ(list[e.specIndex].caption(), u8(b->caption));
    for (auto& [i, button] : list) {
        const bool pressed = i == e.specIndex;
        EXPECT_EQ(button->bevelWidth(), pressed ? 0 : 2) << i;
        EXPECT_EQ(button->foreColor(), paletteColor(pressed ? 9 : 0)) << i;
        EXPECT_EQ(button->font().bold, pressed) << i;
    }
    if (e.overview) {
        EXPECT_EQ(w.Label5.caption(), u8(k == 43 ? catalogue::OrganizationalOverviewLabel : catalogue::PoliciesOverviewLabel));
        EXPECT_EQ(w.Label6.caption(), u8(k == 43 ? catalogue::OrganizationalOverviewSection : catalogue::PoliciesOverviewSection));
        EXPECT_TRUE(w.Label7.caption().isEmpty());
        EXPECT_FALSE(w.SSOption6.enabled());
    } else {
        EXPECT_EQ(w.Label5.caption(), QStringLiteral(" Standard: ") + u8(e.standard));
        EXPECT_EQ(w.Label6.caption(), QStringLiteral(" Section: ") + u8(e.section));
        EXPECT_EQ(w.Label7.caption(), QStringLiteral(" Specification: ") + u8(e.specification));
        EXPECT_EQ(w.WorkText, u8(e.section));
        EXPECT_TRUE(w.SSOption6.enabled());
    }
}

INSTANTIATE_TEST_SUITE_P(AllEntries, EntryListTest, ::testing::Range(1, 48));

class EntryListEdgeTest : public hubtest::HubTest {};

TEST_F(EntryListEdgeTest, FirstEntryLabelsAndTheEmergencyModeCaption) {
    WorkArea1& w = openHub();
    page(w, 2);
    EXPECT_EQ(w.Label5.caption(), QStringLiteral(" Standard: Security Mananagement Process"));
    EXPECT_EQ(w.Label6.caption(), QStringLiteral(" Section: 164.308(a)(1)"));
    EXPECT_EQ(w.Label7.caption(), QStringLiteral(" Specification: Risk Analysis (R)"));
    w.SSCommand14[18].click();
    EXPECT_EQ(w.caption(), QStringLiteral("Action Area - Administrative Safeguards - Emergency Mode Operation Plan"));
    page(w, 6);
    w.SSCommand13[1].click();
    EXPECT_EQ(w.Label7.caption(), QStringLiteral(" Specification: (R)"));
}

TEST_F(EntryListEdgeTest, InsertTemplateFollowsThePolicyOptionOnTheAdministrativePage) {
    WorkArea1& w = openHub();
    page(w, 2);
    w.SSOption5.setValue(true);
    for (int i : {1, 7, 22}) {
        w.SSCommand14[i].click();
        EXPECT_TRUE(w.SSCommand2.enabled()) << i;
    }
    w.SSOption3.setValue(true);
    w.SSCommand14[2].click();
    EXPECT_FALSE(w.SSCommand2.enabled());
}

TEST_F(EntryListEdgeTest, PressingTheSelectedEntryAgainAsksAgainAndEmptiesTheEditor) {
    WorkArea1& w = openHub();
    page(w, 3);
    typeUnsaved(w, QStringLiteral("typed"));
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSCommand17[0].click();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Save Changes?")).size(), 1u);
    EXPECT_TRUE(w.Rtext3.text().isEmpty());
    EXPECT_EQ(w.UnsavedChanges, 0);
}

TEST_F(EntryListEdgeTest, TheOverviewEntryKeepsTheSectionTextAndItsStatus) {
    folder->write(QStringLiteral("Stat1.Fil"), hubtest::statusFile({{46, "Review"}}));
    WorkArea1& w = openHub();
    page(w, 6);
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Review"));
    w.SSCommand13[1].click();
    EXPECT_EQ(w.WorkText, QStringLiteral("164.316"));
    typeUnsaved(w);
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::No);
    w.SSCommand13[0].click();
    EXPECT_EQ(w.WorkText, QStringLiteral("164.316"));
}

}  // namespace
