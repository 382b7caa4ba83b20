// The version 5 curve editor's rules: what the New dialog offers and refuses, and the codes field.
#include "curve_edit_rules.h"
#include "message_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A list holding one curve of each of `types` (codes for the curves against other radios).
Radio_Curve_List list_of(const std::vector<int>& types) {
    Radio_Curve_List list;
    for (int type : types) {
        list.add_curve(type, is_other_radio_type(type) ? "R1" : "");
    }
    return list;
}

TEST(NewCurveRules, StateTypesOfBothFamilies) {
    EXPECT_EQ(state_curve_type(State_Family::tx_emission, 1), 12);
    EXPECT_EQ(state_curve_type(State_Family::tx_emission, 99), 110);
    EXPECT_EQ(state_curve_type(State_Family::rx_selectivity, 1), 111);
    EXPECT_EQ(state_curve_type(State_Family::rx_selectivity, 99), 209);
}

TEST(NewCurveRules, EnabledTypesAndTheFirstChecked) {
    struct Case {
        std::vector<int> existing;
        std::vector<bool> enabled; // types 0 to 8
        int first;
    };
    const Case cases[] = {
        {{}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 0},
        {{0}, {0, 1, 1, 1, 1, 1, 1, 1, 1}, 1},
        // Curves against other radios stay offered however many exist.
        {{0, 1, 2, 3}, {0, 1, 0, 1, 1, 1, 1, 1, 1}, 1},
        {{4, 5, 6, 7, 8}, {1, 1, 1, 1, 0, 0, 0, 0, 0}, 0},
        // The per-state curves do not take the place of their base types.
        {{12, 111}, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 0},
    };
    for (const Case& c : cases) {
        const Radio_Curve_List list = list_of(c.existing);
        for (int type = 0; type <= 8; ++type) {
            EXPECT_EQ(new_type_enabled(list, type), c.enabled[static_cast<std::size_t>(type)])
                << "type " << type << " with " << c.existing.size() << " curves";
        }
        EXPECT_EQ(first_new_type(list), c.first);
    }
    EXPECT_FALSE(new_type_enabled(list_of({}), 9));
    EXPECT_FALSE(new_type_enabled(list_of({}), 12));
}

TEST(NewCurveRules, FirstFreeStateNumber) {
    std::vector<int> all_tx;
    for (int type = 12; type <= 110; ++type) {
        all_tx.push_back(type);
    }
    struct Case {
        std::vector<int> existing;
        int tx;
        int rx;
    };
    const Case cases[] = {
        {{}, 1, 1},
        {{12, 13}, 3, 1},       // TX_EMISSION_01 and _02 used
        {{13, 111, 112}, 1, 3}, // a gap is filled first
        {{5, 6}, 1, 1},
        {all_tx, 0, 1},         // the family is full
    };
    for (const Case& c : cases) {
        const Radio_Curve_List list = list_of(c.existing);
        EXPECT_EQ(first_free_state(list, State_Family::tx_emission), c.tx);
        EXPECT_EQ(first_free_state(list, State_Family::rx_selectivity), c.rx);
    }
}

TEST(NewCurveRules, Refusals) {
    const Radio_Curve_List list = list_of({0, 1, 5, 13});
    struct Case {
        int type;
        const char* code;
        int refusal;
    };
    const Case cases[] = {
        {13, "", MSG_CURVE_TYPE_EXISTS},
        {13, "QAM16", MSG_CURVE_TYPE_EXISTS},
        {12, "", 0},
        {12, "QAM16", 0},
        {112, "", 0},
        {1, "", MSG_INTERFERING_CODE_REQUIRED},
        {3, " , ,", MSG_INTERFERING_CODE_REQUIRED}, // commas alone name no radio
        {1, "R1", 0},                             // same code as an existing one: allowed
        {3, "R2, R3", 0},
        {5, "", MSG_CURVE_TYPE_EXISTS},
        {6, "", 0},
        {9, "", MSG_CURVE_TYPE_EXISTS}, // a derived type is never offered
        {210, "", MSG_CURVE_TYPE_EXISTS},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(new_curve_refusal(list, c.type, c.code), c.refusal)
            << "type " << c.type << " code '" << c.code << "'";
    }
}

TEST(CodesField, TextSplitStrippedShortAndNonEmpty) {
    const std::string long_code(48, 'L');
    const std::string longest_kept(47, 'K');
    struct Case {
        std::string text;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        {"", {}},
        {"R1", {"R1"}},
        {" R1 ,\tR2\t, R3", {"R1", "R2", "R3"}},
        {"R1,,  ,R2,", {"R1", "R2"}},
        {",R1", {"R1"}},
        {long_code + ", R2", {"R2"}},
        {longest_kept + "," + long_code, {longest_kept}},
        {"A B, C", {"A B", "C"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(codes_of_field(c.text), c.codes) << "'" << c.text << "'";
    }
}

TEST(CodesField, ShownForTheTypesThatCarryCodes) {
    struct Case {
        int type;
        bool shown;
    };
    const Case cases[] = {{0, true},   {1, true},   {3, true},   {4, false},  {8, false},
                          {11, false}, {12, true},  {110, true}, {111, true}, {209, true},
                          {210, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(shows_codes(c.type), c.shown) << "type " << c.type;
    }
    Radio_Curve_List list;
    list.add_curve(CURVE_IRF_OTHER, "R1, R2 ,R3");
    EXPECT_EQ(codes_field_text(list[0]), "R1, R2, R3");
}

TEST(CodesField, AppliedCodesRenameTheCurvesAgainstOtherRadios) {
    struct Case {
        int type;
        const char* before; // codes of the new curve
        const char* text;
        Codes_Outcome outcome;
        std::vector<std::string> codes;
        const char* name;
    };
    const Case cases[] = {
        {1, "R1", "R7, R8", Codes_Outcome::changed, {"R7", "R8"}, "TtoI_Other - R7"},
        {3, "R1, R2", " R2 , R1", Codes_Outcome::changed, {"R2", "R1"}, "IRF_Other - R2"},
        {1, "R1, R2", "R1,R2", Codes_Outcome::unchanged, {"R1", "R2"}, "TtoI_Other - R1"},
        // Left without a code, the curve could not be read back from its file.
        {1, "R1", " , ", Codes_Outcome::code_required, {"R1"}, "TtoI_Other - R1"},
        {0, "", "S1, S2", Codes_Outcome::changed, {"S1", "S2"}, "TtoI_Same"},
        {2, "", "", Codes_Outcome::unchanged, {}, "IRF_Same"},
        {14, "QAM64", "", Codes_Outcome::changed, {}, "TX_EMISSION_03"},
        {14, "", "QAM256", Codes_Outcome::changed, {"QAM256"}, "TX_EMISSION_03"},
    };
    for (const Case& c : cases) {
        Radio_Curve_List list;
        list.add_curve(c.type, c.before);
        EXPECT_EQ(apply_codes_field(list[0], c.text), c.outcome) << c.text;
        EXPECT_EQ(list[0].interfering_codes, c.codes) << c.text;
        EXPECT_STREQ(list[0].name, c.name) << c.text;
    }
}

TEST(CurveOverlays, PartnersOfEmissionAndSelectivity) {
    struct Case {
        int type;
        int partner;
    };
    const Case cases[] = {{5, 6},    {6, 5},    {12, 111}, {110, 209}, {111, 12},
                          {209, 110}, {0, -1},  {4, -1},   {7, -1},    {10, -1}, {210, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(partner_curve_type(c.type), c.partner) << "type " << c.type;
    }
}

TEST(CurveCompare, ListsDifferInAnyValue) {
    Radio_Curve_List a;
    a.add_curve(CURVE_TTOI_OTHER, "R1");
    const double pairs[] = {0.0, -10.0, 1.0, -20.0};
    a.set_curve_points(0, 2, pairs);
    EXPECT_TRUE(same_curves(a, a));

    Radio_Curve_List point = a;
    point[0].points[1].db = -21.0f;
    Radio_Curve_List code = a;
    code[0].interfering_codes.push_back("R2");
    Radio_Curve_List name = a;
    name[0].name[0] = 'X';
    Radio_Curve_List more = a;
    more.add_curve(CURVE_TX_EMISSION, "");
    for (const Radio_Curve_List* other : {&point, &code, &name, &more}) {
        EXPECT_FALSE(same_curves(a, *other));
    }
}

} // namespace
