#pragma once
// The editor's transfer window against an in-process radio in virtual time:
// the radio's memory as a radio keeps it, the link the editor opens, and the
// window while it is on screen.

#include <QApplication>

#include <filesystem>
#include <memory>
#include <string>

#include "app/D_Radio.h"
#include "link/link_fakes.h"
#include "model/dc_MessageBox.h"
#include "support/GuiSupport.h"

// The question before a transfer, headed by its window caption.
inline std::string ClonePrompt(const char* heading) {
    return std::string(heading) +
           "\r\n\r\nPress and hold the PF-1 button while powering-on.\r\nLCD on radio will display PC CLONE.";
}

inline TfrmRadio* TransferWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* radio = qobject_cast<TfrmRadio*>(w); radio && radio->isVisible()) return radio;
    return nullptr;
}

inline TRKmem Decoded(const TMap36& image) {
    TRKmem model;
    EXPECT_TRUE(image.Decode(model));
    return model;
}

// A radio's memory as the radio keeps it: the radio form, and the identity
// copy in the auxiliary memory where a standard write fetches it.
inline TMap36 RadioMemory(const TRKmem& model) {
    TMap36 image;
    image.Encode(model, true, TCodecContext{2});
    SealIdentityCopy(image);
    return image;
}

// A program folder with the band templates, scripted messages and a radio
// the editor's transfers reach; the radio holds a new configuration with a
// serial number of its own.
class TransferFixture : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TVirtualClock clock; // Sunday 2026-12-06 23:59:59
    TRadioEmulator radio;
    TEmuPort port{clock, radio};
    TRadioLink previousLink;
    TRKmem radioModel;

    void SetUp() override {
        std::filesystem::copy(RK36_BINARY_DIR "/src/NewFile", folder / "NewFile",
                              std::filesystem::copy_options::recursive);
        previousLink = SetRadioLink({&clock, [this] { return std::make_unique<TPortRef>(port); }});
        radioModel.SetNewConfiguration();
        radioModel.SerialNumber = "5123456";
        // Decoding fills in what the encoder derives; the radio's model is what a read gives.
        radioModel = Decoded(RadioMemory(radioModel));
        radio.LoadImage(RadioMemory(radioModel));
        radio.ModelCode = ModelCodeFor(radioModel);
    }
    void TearDown() override { SetRadioLink(previousLink); }
};
