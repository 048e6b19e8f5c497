#pragma once
// A radio in clone mode, as a byte-in/byte-out state machine: it echoes what
// it receives (single-wire cable), answers the search and confirm exchanges
// for its model code and serves reads, writes, erases and the end frame.
// Used by an in-process fake port in tests and by the radio-sim tool on a
// pseudo-terminal.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/dc_Map.h"

// Faults to inject; the defaults are a healthy radio.
struct TEmuFaults {
    int64_t SilentAfterBytes = -1; // stop sending anything after this many bytes
    int32_t BadAckAt = 0;          // the Kth acknowledgement sent (from 1) is 0x00 instead of ACK
    bool NoEcho = false;           // no echo of received bytes
    int32_t GarbageAtReply = 0;    // before the Kth acknowledgement, send GarbageCount bytes 0x55
    int32_t GarbageCount = 0;
    // Bytes changed in the radio's memory (address as the protocol names it:
    // main from 0x8000, auxiliary from 0) once the first transfer has ended,
    // as a memory fault after a write would.
    std::vector<std::pair<int32_t, uint8_t>> PokesAfterFirstEnd{};
};

// One command the radio carried out, for tests and the tool's log.
struct TEmuEvent {
    uint8_t Command; // frame command, or 0x18/0xE8 for a search or confirm code
    int32_t Address;
    uint8_t Space;
    int32_t Length;
};

class TRadioEmulator {
  public:
    static constexpr int32_t MainBase = 0x8000;
    static constexpr int32_t MainSize = 0x4000; // 0x8000..0xBFFF
    static constexpr int32_t AuxSize = 0x0F00;  // 0x0000..0x0EFF
    static constexpr int32_t EraseSpan = 0x2000;

    uint8_t ModelCode = 0x25;
    TEmuFaults Faults;
    std::array<uint8_t, MainSize> Main{};
    std::array<uint8_t, AuxSize> Aux{};
    std::vector<TEmuEvent> Events;
    int32_t EndFrames = 0; // transfers ended by an end frame

    // Main memory = image 0x0000..0x3FFF, auxiliary memory = image 0x3200..0x40FF.
    void LoadImage(const TMap& image);
    // The image a complete read would give: main 0x8000..0xB1FF at 0x0000,
    // auxiliary memory at 0x3200, everything else zero.
    void StoreImage(TMap& image) const;

    // Consumes one received byte and appends what the radio sends in answer.
    void Receive(uint8_t byte, std::vector<uint8_t>& out);
    void Receive(const uint8_t* data, size_t count, std::vector<uint8_t>& out);

    bool InCloneSession() const { return session_; }
    int64_t BytesSent() const { return sent_; }

  private:
    enum class TState { Idle, SearchCode, ConfirmCode, Frame, WriteData };
    TState state_ = TState::Idle;
    bool session_ = false;
    std::array<uint8_t, 8> frame_{};
    size_t frameLen_ = 0;
    std::vector<uint8_t> data_;
    int32_t dataWanted_ = 0;
    int64_t sent_ = 0;
    int32_t acks_ = 0;

    void Send(uint8_t byte, std::vector<uint8_t>& out);
    void SendAck(std::vector<uint8_t>& out);
    void Execute(std::vector<uint8_t>& out);
    uint8_t* Address(uint8_t space, int32_t address);
};
