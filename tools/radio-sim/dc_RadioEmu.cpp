#include "radio-sim/dc_RadioEmu.h"

#include <algorithm>

#include "link/U_Radio36.h"

using namespace radio36;

void TRadioEmulator::LoadImage(const TMap& image) {
    std::copy_n(image.Buf.begin(), MainSize, Main.begin());
    std::copy_n(image.Buf.begin() + AuxOffset, AuxSize, Aux.begin());
}

void TRadioEmulator::StoreImage(TMap& image) const {
    image.Clear();
    std::copy_n(Main.begin(), 0x3200, image.Buf.begin());
    std::copy_n(Aux.begin(), AuxSize, image.Buf.begin() + AuxOffset);
}

void TRadioEmulator::Send(uint8_t byte, std::vector<uint8_t>& out) {
    if (Faults.SilentAfterBytes >= 0 && sent_ >= Faults.SilentAfterBytes) return;
    out.push_back(byte);
    ++sent_;
}

void TRadioEmulator::SendAck(std::vector<uint8_t>& out) {
    ++acks_;
    if (acks_ == Faults.GarbageAtReply)
        for (int32_t i = 0; i < Faults.GarbageCount; ++i)
            Send(0x55, out);
    Send(acks_ == Faults.BadAckAt ? 0x00 : Ack, out);
}

uint8_t* TRadioEmulator::Address(uint8_t space, int32_t address) {
    if (space == SpaceMain && address >= MainBase && address < MainBase + MainSize)
        return &Main[static_cast<size_t>(address - MainBase)];
    if (space == SpaceAux && address >= 0 && address < AuxSize) return &Aux[static_cast<size_t>(address)];
    return nullptr;
}

void TRadioEmulator::Receive(const uint8_t* data, size_t count, std::vector<uint8_t>& out) {
    for (size_t i = 0; i < count; ++i)
        Receive(data[i], out);
}

void TRadioEmulator::Receive(uint8_t byte, std::vector<uint8_t>& out) {
    if (!Faults.NoEcho) Send(byte, out);
    switch (state_) {
    case TState::Idle:
        if (byte == SearchByte) {
            state_ = TState::SearchCode;
        } else if (byte == ConfirmByte) {
            state_ = TState::ConfirmCode;
        } else if (session_ && (byte == CmdReadMain || byte == CmdReadAux || byte == CmdWriteMain ||
                                byte == CmdWriteAux || byte == CmdErase || byte == CmdEnd)) {
            frame_[0] = byte;
            frameLen_ = 1;
            state_ = TState::Frame;
        }
        break;
    case TState::SearchCode:
        // Only its own code gets an answer; any other stays unanswered and the
        // programmer's receive runs into its time-out.
        state_ = TState::Idle;
        if (byte == ModelCode) {
            Events.push_back({SearchByte, 0, 0, 0});
            Send(Ack, out);
        }
        break;
    case TState::ConfirmCode:
        state_ = TState::Idle;
        if (byte == ModelCode) {
            Events.push_back({ConfirmByte, 0, 0, 0});
            session_ = true;
            SendAck(out);
        }
        break;
    case TState::Frame:
        frame_[frameLen_++] = byte;
        if (frameLen_ == frame_.size()) {
            state_ = TState::Idle;
            Execute(out);
        }
        break;
    case TState::WriteData:
        data_.push_back(byte);
        if (static_cast<int32_t>(data_.size()) == dataWanted_) {
            state_ = TState::Idle;
            const int32_t address = frame_[1] | (frame_[2] << 8);
            for (int32_t i = 0; i < dataWanted_; ++i)
                if (uint8_t* p = Address(frame_[3], address + i)) *p = data_[static_cast<size_t>(i)];
            SendAck(out);
        }
        break;
    }
}

void TRadioEmulator::Execute(std::vector<uint8_t>& out) {
    const uint8_t command = frame_[0];
    const int32_t address = frame_[1] | (frame_[2] << 8);
    const uint8_t space = frame_[3];
    const int32_t length = frame_[4] | (frame_[5] << 8);
    // A frame for another model is not for this radio.
    if (frame_[7] != ModelCode) return;
    Events.push_back({command, address, space, length});
    switch (command) {
    case CmdReadMain:
    case CmdReadAux:
        SendAck(out);
        for (int32_t i = 0; i < length; ++i) {
            const uint8_t* p = Address(space, address + i);
            Send(p ? *p : 0xFF, out);
        }
        SendAck(out);
        break;
    case CmdWriteMain:
    case CmdWriteAux:
        SendAck(out);
        data_.clear();
        dataWanted_ = length;
        if (length > 0) state_ = TState::WriteData;
        break;
    case CmdErase:
        // Flash sectors: each erase clears 8 KB from its address.
        for (int32_t i = 0; i < EraseSpan; ++i)
            if (uint8_t* p = Address(SpaceMain, address + i)) *p = 0xFF;
        SendAck(out);
        break;
    case CmdEnd:
        SendAck(out);
        session_ = false;
        if (++EndFrames == 1)
            for (const auto& [at, value] : Faults.PokesAfterFirstEnd)
                if (uint8_t* p = Address(at >= MainBase ? SpaceMain : SpaceAux, at)) *p = value;
        break;
    default:
        break;
    }
}
