#include "dialogs/dc_ChannelPicker.h"

#include <QComboBox>

#include <algorithm>
#include <cstdio>

#include "app/dc_GuiSeams.h"
#include "dialogs/DlgBase.h"
#include "model/dc_Groups.h"
#include "model/dc_RKmem.h"

namespace {

void SelectQuietly(QComboBox* combo, int index) {
    const bool blocked = combo->blockSignals(true);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    combo->blockSignals(blocked);
}

int ItemOf(const std::vector<int32_t>& values, int32_t value, int first) {
    const auto it = std::find(values.begin(), values.end(), value);
    return it == values.end() ? -1 : first + static_cast<int>(it - values.begin());
}

} // namespace

TGroupChannelPicker::TGroupChannelPicker(QComboBox* group, QComboBox* channel, TPickerStyle style)
    : QObject(group), group_(group), channel_(channel), style_(style) {
    connect(group_, &QComboBox::activated, this, [this] {
        GroupChosen();
        if (OnChange) OnChange();
    });
    connect(channel_, &QComboBox::activated, this, [this] {
        if (OnChange) OnChange();
    });
}

void TGroupChannelPicker::Load(const TRKmem& model) {
    model_ = &model;
    groupNumbers_ = GroupsWithChannels(model);
    QStringList items;
    if (style_.NoneEntry) items << QStringLiteral("None");
    for (int32_t g : groupNumbers_)
        items << ToQ(model.GroupNames[g].Text);
    RefillCombo(group_, items, -1);
    positions_.clear();
    RefillCombo(channel_, style_.NoneEntry ? QStringList{QStringLiteral("None")} : QStringList{}, -1);
}

void TGroupChannelPicker::Show(int32_t group, int32_t position) {
    const int first = style_.NoneEntry ? 1 : 0;
    int item = ItemOf(groupNumbers_, group, first);
    if (item < 0 && style_.NoneEntry) item = 0;
    SelectQuietly(group_, item);
    FillChannels(position);
}

void TGroupChannelPicker::SelectFirstGroupIfNone() {
    if (SelectedGroupNumber() >= 0 || groupNumbers_.empty()) return;
    SelectQuietly(group_, style_.NoneEntry ? 1 : 0);
    GroupChosen();
}

void TGroupChannelPicker::GroupChosen() {
    FillChannels(-1);
    if (channel_->currentIndex() < 0 && channel_->count() > 0) SelectQuietly(channel_, 0);
}

int32_t TGroupChannelPicker::SelectedGroupNumber() const {
    const int item = group_->currentIndex() - (style_.NoneEntry ? 1 : 0);
    return item >= 0 && item < static_cast<int>(groupNumbers_.size())
               ? groupNumbers_[static_cast<size_t>(item)]
               : -1;
}

void TGroupChannelPicker::FillChannels(int32_t keepPosition) {
    positions_.clear();
    QStringList items;
    if (style_.NoneEntry) items << QStringLiteral("None");
    const int32_t g = SelectedGroupNumber();
    if (model_ && g >= 0) {
        for (int32_t p : NonBlankPositions(*model_, g)) {
            const int32_t index = ChannelIndexOf(*model_, g, p);
            if (p != keepPosition && std::find(taken_.begin(), taken_.end(), index) != taken_.end()) continue;
            QString text = ToQ(model_->Channels[index].Tags.Joined());
            if (style_.NumberedChannels) {
                char head[16];
                std::snprintf(head, sizeof head, "Ch%.3d: ", index + 1);
                text.prepend(ToQ(head));
            }
            positions_.push_back(p);
            items << text;
        }
    }
    const int first = style_.NoneEntry ? 1 : 0;
    int item = ItemOf(positions_, keepPosition, first);
    if (item < 0 && style_.NoneEntry && (g < 0 || keepPosition == kNone)) item = 0;
    RefillCombo(channel_, items, item);
}

std::optional<int32_t> TGroupChannelPicker::Group() const {
    if (group_->currentIndex() < 0) return std::nullopt;
    if (style_.NoneEntry && group_->currentIndex() == 0) return kNone;
    const int32_t g = SelectedGroupNumber();
    return g >= 0 ? std::optional<int32_t>(g) : std::nullopt;
}

std::optional<int32_t> TGroupChannelPicker::Position() const {
    const int i = channel_->currentIndex();
    if (i < 0) return std::nullopt;
    const int item = i - (style_.NoneEntry ? 1 : 0);
    if (item < 0) return kNone;
    if (item >= static_cast<int>(positions_.size())) return std::nullopt;
    return positions_[static_cast<size_t>(item)];
}

int32_t TGroupChannelPicker::ChannelIndex() const {
    const auto g = Group();
    const auto p = Position();
    if (!model_ || !g || !p || *g == kNone || *p == kNone) return -1;
    return ChannelIndexOf(*model_, *g, *p);
}

void TGroupChannelPicker::SetTaken(const std::vector<int32_t>& taken) {
    taken_ = taken;
    const auto p = Position();
    FillChannels(p ? *p : -1);
}

void RefillExclusive(const std::vector<TGroupChannelPicker*>& pickers) {
    std::vector<int32_t> held;
    for (const auto* p : pickers)
        held.push_back(p->ChannelIndex());
    for (size_t i = 0; i < pickers.size(); ++i) {
        std::vector<int32_t> taken;
        for (size_t j = 0; j < pickers.size(); ++j)
            if (j != i && held[j] >= 0) taken.push_back(held[j]);
        pickers[i]->SetTaken(taken);
    }
}
