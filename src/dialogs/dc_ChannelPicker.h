#pragma once
// One group box and one channel box that together choose a channel: the
// groups that hold channels, shown by their tags with their numbers kept in
// a hidden list, and the group's channels that are not blank, shown by
// their tags with their positions in the group kept beside them. Used by the
// home channel, the power-on channel, the position LED channel, the direct
// channel keys and the channel switch table.

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class TRKmem;

struct TPickerStyle {
    // "None" first in both boxes; it stands for 255.
    bool NoneEntry = false;
    // Channels as "Ch%.3d: " with the position in the whole table, then the tag.
    bool NumberedChannels = false;
};

class TGroupChannelPicker : public QObject {
    Q_OBJECT
  public:
    static constexpr int32_t kNone = 255;

    TGroupChannelPicker(QComboBox* group, QComboBox* channel, TPickerStyle style = {});

    // Lists the groups of `model` (kept for the channel lists) and no channels.
    void Load(const TRKmem& model);
    // Selects a stored group and position: 255, or a group or channel that
    // is not offered, selects "None" or nothing.
    void Show(int32_t group, int32_t position);
    // With no group selected, selects the first offered one and lists its channels.
    void SelectFirstGroupIfNone();

    // The chosen group number, kNone for "None", nothing without a selection.
    std::optional<int32_t> Group() const;
    // The chosen position in the group, kNone for "None", nothing without a selection.
    std::optional<int32_t> Position() const;
    // The table index of the chosen channel, -1 when none is chosen.
    int32_t ChannelIndex() const;

    // Channels (table indexes) another picker holds: left out of this one's
    // list. Refills the list, keeping the chosen channel.
    void SetTaken(const std::vector<int32_t>& taken);

    // After the user chose a group or a channel.
    std::function<void()> OnChange;

    QComboBox* GroupBox() const { return group_; }
    QComboBox* ChannelBox() const { return channel_; }
    const std::vector<int32_t>& GroupNumbers() const { return groupNumbers_; }
    const std::vector<int32_t>& Positions() const { return positions_; }

  private:
    void GroupChosen();
    void FillChannels(int32_t keepPosition);
    int32_t SelectedGroupNumber() const; // -1 for "None" or no selection

    QComboBox* group_;
    QComboBox* channel_;
    TPickerStyle style_;
    const TRKmem* model_ = nullptr;
    std::vector<int32_t> groupNumbers_; // per group item after "None"
    std::vector<int32_t> positions_;    // per channel item after "None"
    std::vector<int32_t> taken_;
};

// Pickers of which no two may hold the same channel: after any choice in
// one of them, every one is refilled without the channels the others hold.
void RefillExclusive(const std::vector<TGroupChannelPicker*>& pickers);
