// The 2-tone data file (data/two-tone-frequencies.json) and its loader.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "model/dc_TwoTone.h"

namespace {

std::string DataFileText() {
    std::ifstream in(std::string(RK36_SOURCE_DIR) + "/data/two-tone-frequencies.json", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TTwoToneList LoadDataFile() {
    TTwoToneList list;
    std::string error;
    EXPECT_TRUE(ParseTwoToneList(DataFileText(), list, error)) << error;
    return list;
}

} // namespace

TEST(TwoToneData, TheBuiltInListIsTheDataFile) {
    EXPECT_EQ(TwoToneDataText(), DataFileText());
    EXPECT_EQ(TwoToneList().Standard, LoadDataFile().Standard);
}

TEST(TwoToneData, GroupsByIndexRange) {
    const TTwoToneList list = LoadDataFile();
    const std::vector<std::tuple<const char*, int, int>> expected = {
        {"Motorola 1", 0, 9},          {"Motorola 2", 10, 19},         {"Motorola 3", 20, 29},
        {"Motorola 4", 32, 41},        {"Motorola 5", 42, 51},         {"Motorola 6", 52, 61},
        {"Motorola 10", 64, 73},       {"Motorola 11", 74, 83},        {"GE Type 99 GRP A", 84, 93},
        {"GE Type 99 GRP B", 94, 103}, {"GE Type 99 GRP C", 104, 114}, {"AVCALL2", 115, 130},
        {"PLECTRON", 131, 189},        {"REACH GRP A", 190, 199},      {"REACH GRP B", 200, 209},
        {"REACH GRP C", 210, 219},     {"REACH GRP D", 220, 229},      {"REACH GRP E", 230, 239}};
    ASSERT_EQ(list.Groups.size(), expected.size());
    for (size_t g = 0; g < expected.size(); ++g) {
        EXPECT_EQ(list.Groups[g].Name, std::get<0>(expected[g]));
        EXPECT_EQ(list.Groups[g].First, std::get<1>(expected[g]));
        EXPECT_EQ(list.Groups[g].Last, std::get<2>(expected[g]));
    }
    // Between groups an index shows the group before it.
    EXPECT_EQ(list.GroupOf(30), 2);
    EXPECT_EQ(list.GroupOf(63), 5);
    EXPECT_EQ(list.GroupOf(239), 17);
    EXPECT_EQ(list.GroupOf(240), -1);
}

TEST(TwoToneData, DocumentedValuesAndTheirForm) {
    const TTwoToneList list = LoadDataFile();
    ASSERT_EQ(list.Standard.size(), 240u);
    const std::vector<std::pair<int, const char*>> documented = {
        {0, "330.5"}, {1, "349.0"}, {2, "368.5"}, {3, "389.0"}, {4, "410.8"}, {9, "539.0"}, {239, "588.0"}};
    for (const auto& [index, hz] : documented)
        EXPECT_EQ(list.Text(index), hz) << index;
    int known = 0;
    for (const std::string& t : list.Standard) {
        if (t.empty()) continue;
        ++known;
        const size_t point = t.find('.');
        EXPECT_TRUE(point != std::string::npos && point + 2 == t.size()) << t;
    }
    EXPECT_EQ(known, 140);
    for (int unknown : {30, 31, 62, 63, 84, 130, 190, 238})
        EXPECT_EQ(list.Text(unknown), "") << unknown;
}

TEST(TwoToneData, UserListIsTheAscendingDistinctKnownFrequencies) {
    const TTwoToneList list = LoadDataFile();
    ASSERT_EQ(list.User.size(), 139u); // 140 known, 1598.0 twice
    EXPECT_EQ(list.User.front(), "282.2");
    EXPECT_EQ(list.User.back(), "3487.0");
    for (size_t i = 1; i < list.User.size(); ++i)
        EXPECT_LT(std::stod(list.User[i - 1]), std::stod(list.User[i]));
    // Every user frequency maps to a standard index, the first occurrence.
    for (const std::string& t : list.User)
        EXPECT_LT(list.IndexOf(t), 240) << t;
    EXPECT_EQ(list.IndexOf("1598.0"), 67);
    EXPECT_EQ(list.IndexOf(""), kTwoToneNone);
    EXPECT_EQ(list.GroupTexts(0).front(), "330.5");
    EXPECT_TRUE(list.GroupTexts(8).empty()); // GE Type 99 GRP A: nothing published
}

TEST(TwoToneData, BrokenFilesAreRefusedWithAReason) {
    std::string good = DataFileText();
    const std::vector<std::pair<const char*, std::pair<std::string, std::string>>> rows = {
        {"two decimals", {"\"330.5\"", "\"330.55\""}},
        {"group name off its range",
         {"\"index\": 0, \"group\": \"Motorola 1\"", "\"index\": 0, \"group\": \"X\""}},
        {"index out of order", {"\"index\": 5,", "\"index\": 6,"}},
        {"overlapping ranges", {"\"first\": 10, \"last\": 19", "\"first\": 9, \"last\": 19"}},
    };
    for (const auto& [name, edit] : rows) {
        std::string text = good;
        const size_t at = text.find(edit.first);
        ASSERT_NE(at, std::string::npos) << name;
        text.replace(at, edit.first.size(), edit.second);
        TTwoToneList list;
        std::string error;
        EXPECT_FALSE(ParseTwoToneList(text, list, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
    TTwoToneList list;
    std::string error;
    EXPECT_FALSE(ParseTwoToneList(good.substr(0, good.size() / 2), list, error));
}
