#pragma once
// The 2-tone frequency lists. The radio stores a tone as an index into its
// standard list of 240 frequencies (eighteen named groups by index range);
// the user-defined format offers a list of frequencies that maps back into
// it. Public references give only part of the list, so the facts live in
// one data file with their sources (data/two-tone-frequencies.json, built
// into the program) and an entry nobody has published stays unknown.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int32_t kTwoToneCount = 240; // standard list indexes 0..239
constexpr int32_t kTwoToneNone = 255;  // a tone that is not set

struct TTwoToneGroup {
    std::string Name;
    int32_t First = 0;
    int32_t Last = 0;
};

struct TTwoToneList {
    // kTwoToneCount texts in Hz with one decimal ("330.5"); empty where unknown.
    std::vector<std::string> Standard;
    // Ascending, disjoint index ranges.
    std::vector<TTwoToneGroup> Groups;
    // The ascending distinct known frequencies.
    std::vector<std::string> User;

    // The frequency of a stored index; empty when unknown or not a list
    // index (the radio keeps 240..254 too, which point at nothing).
    std::string Text(int32_t index) const;
    // The group a stored tone shows: the last one starting at or below the
    // index, so an index between groups (30) shows the group before it.
    // -1 for an index outside the list.
    int32_t GroupOf(int32_t index) const;
    // The known frequencies of a group, in index order.
    std::vector<std::string> GroupTexts(int32_t group) const;
    // The first standard index with this frequency; kTwoToneNone for none.
    int32_t IndexOf(std::string_view text) const;
};

// Reads the data file's text. False, with the reason, when it is not a list
// of kTwoToneCount entries with valid groups and one-decimal frequencies.
bool ParseTwoToneList(std::string_view json, TTwoToneList& list, std::string& error);

// The list built into the program from the data file.
const TTwoToneList& TwoToneList();
// The data file's text as built in.
std::string_view TwoToneDataText();
