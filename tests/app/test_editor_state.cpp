// The editor's state without a window: what each way a configuration
// becomes live leaves behind, the save and change marks, and the RK36.ini
// keys read into it and written from it.

#include <gtest/gtest.h>

#include <optional>

#include "app/dc_EditorState.h"
#include "app/dc_Settings.h"
#include "model/dc_Ini.h"
#include "support/GuiSupport.h"

namespace {

// A state whose every flag Adopt may touch holds a value Adopt would not leave.
void Prime(TEditorState& s) {
    s.Model.SetNewConfiguration();
    s.FileModified = false;
    s.HardwareChanged = true;
    s.SaveEnabled = false;
    s.CurrentFileName = "/radios/old.K36";
    s.RecentFiles = {"/radios/a.K36"};
    s.TemplateChannel.Narrow = 1 - s.TemplateChannel.Narrow;
    s.SavedChannels.Assign(s.Model.Channels);
    s.SavedChannels[5].Narrow = 1 - s.SavedChannels[5].Narrow;
    s.CopiedChannel = TCopiedChannel{TChannel(), 3, 2};
}

TEST(EditorState, AdoptLeavesWhatEachOriginImplies) {
    // No band templates in the program folder: a reloaded template channel is empty.
    TScopedProgramFolder folder;
    const struct {
        const char* Name;
        TModelOrigin Origin;
        std::string FileName;
        std::optional<bool> FileModified; // nullopt: as it was (primed false, then set true)
        bool HardwareChanged, SaveEnabled;
        std::string CurrentFileName;
        bool TemplateReloaded, NewBaseline, ToRecent, CopyKept;
    } rows[] = {
        {"start-up with a file", TModelOrigin::Startup, "/radios/b.K36", false, false, false, "/radios/b.K36",
         true, true, false, false},
        {"start-up without a file", TModelOrigin::Startup, "", false, false, false, kUntitled, true, true,
         false, false},
        {"new", TModelOrigin::New, "", false, false, false, kUntitled, false, true, false, true},
        {"open", TModelOrigin::Open, "/radios/b.K36", false, false, false, "/radios/b.K36", true, true, true,
         true},
        {"upload", TModelOrigin::Upload, "", true, false, true, kUntitled, true, true, false, true},
        {"download", TModelOrigin::Download, "", std::nullopt, true, false, "/radios/old.K36", true, true,
         false, true},
        {"file data", TModelOrigin::FileData, "", true, true, false, "/radios/old.K36", false, false, false,
         true},
        {"hardware", TModelOrigin::Hardware, "", std::nullopt, true, false, "/radios/old.K36", false, true,
         false, true},
    };
    for (const auto& r : rows) {
        for (const bool modifiedBefore : {false, true}) {
            TEditorState s;
            Prime(s);
            s.FileModified = modifiedBefore;
            TRKmem model;
            model.Assign(s.Model);
            model.SerialNumber = "7654321";
            TMap36 image;
            image.Buf[0x7FFF] = 0x5A;
            const TChannels before = s.SavedChannels;

            s.Adopt(model, image, r.Origin, r.FileName);

            SCOPED_TRACE(std::string(r.Name) + (modifiedBefore ? ", modified before" : ""));
            EXPECT_EQ(s.Model.SerialNumber, "7654321");
            EXPECT_EQ(s.Image.Buf[0x7FFF], 0x5A);
            EXPECT_EQ(s.FileModified, r.FileModified.value_or(modifiedBefore));
            EXPECT_EQ(s.HardwareChanged, r.HardwareChanged);
            EXPECT_EQ(s.SaveEnabled, r.SaveEnabled);
            EXPECT_EQ(s.CurrentFileName, r.CurrentFileName);
            EXPECT_EQ(s.TemplateChannel == TChannel(), r.TemplateReloaded);
            EXPECT_EQ(!s.SavedChannels.Equals(before), r.NewBaseline);
            EXPECT_EQ(s.RecentFiles.front(), r.ToRecent ? r.FileName : "/radios/a.K36");
            EXPECT_EQ(s.CopiedChannel.has_value(), r.CopyKept);
        }
    }
}

TEST(EditorState, AdoptingTheLiveConfigurationItselfKeepsIt) {
    TScopedProgramFolder folder;
    TEditorState s;
    Prime(s);
    s.Model.SerialNumber = "1111111";
    s.Image.Buf[3] = 0x77;
    s.Adopt(s.Model, s.Image, TModelOrigin::Open, "/radios/A.K36");
    EXPECT_EQ(s.Model.SerialNumber, "1111111");
    EXPECT_EQ(s.Image.Buf[3], 0x77);
    // The same file in another letter case moves to the front rather than twice.
    s.Adopt(s.Model, s.Image, TModelOrigin::Open, "/RADIOS/a.k36");
    EXPECT_EQ(s.RecentFiles, (std::vector<std::string>{"/RADIOS/a.k36"}));
}

TEST(EditorState, ASaveClearsTheChangeMarksAndAChannelEditSetsThem) {
    TEditorState s;
    Prime(s);
    s.FileModified = true;
    s.Saved("/radios/new.K36");
    EXPECT_FALSE(s.FileModified);
    EXPECT_FALSE(s.HardwareChanged);
    EXPECT_EQ(s.CurrentFileName, "/radios/new.K36");
    // The live table as the first page's write-back leaves it is no change.
    s.Model.Channels.Assign(s.SavedChannels);
    s.NoteChannelChanges();
    EXPECT_FALSE(s.FileModified);
    s.Model.Channels[7].Narrow = 1 - s.Model.Channels[7].Narrow;
    s.NoteChannelChanges();
    EXPECT_TRUE(s.FileModified);
}

TEST(Settings, EveryKeyHasItsDefaultAndOnlyTheWrittenOnesAreWritten) {
    TScopedProgramFolder folder;
    TIniData empty(folder / "none.ini");
    TEditorState s;
    TWindowPlacement placement{1, 2, 3, 4, 5};
    ReadSettings(empty, "/prog/", s, placement);
    EXPECT_EQ(placement.Left, -1);
    EXPECT_EQ(placement.Maximized, -1);
    EXPECT_EQ(s.ComPortNo, 1);
    EXPECT_EQ(s.CurrentFolder, "/prog/");
    EXPECT_EQ(s.FileFormat, 0);
    EXPECT_TRUE(s.RecentFiles.empty());
    for (int g = 1; g <= kColumnGroupCount; ++g)
        EXPECT_TRUE(s.ItemVisible[static_cast<size_t>(g)]) << g;

    WriteFileBytes(folder / "RK36.ini",
                   "FILEFMT=7\nFILE1=/x/a.K36\nFILE3=/x/c.K36\nITEM3 = 0 ; keep\nFRMMAX=1\n");
    TIniData ini(folder / "RK36.ini");
    ini.Load();
    ReadSettings(ini, "/prog/", s, placement);
    EXPECT_EQ(s.FileFormat, 0) << "anything but 1 is the original format";
    EXPECT_EQ(s.RecentFiles, (std::vector<std::string>{"/x/a.K36", "/x/c.K36"}));
    EXPECT_FALSE(s.ItemVisible[3]);
    EXPECT_EQ(placement.Maximized, 1);

    // A maximized window keeps the stored placement; FRMMAX is never written.
    WriteSettings(ini, s, TWindowPlacement{10, 20, 30, 40, -1}, false);
    EXPECT_EQ(ini.ReadInt("FRMX", -1), -1);
    EXPECT_EQ(ini.ReadInt("FRMMAX", -1), 1);
    EXPECT_EQ(ini.ReadStr("FILE2", ""), "/x/c.K36");
    EXPECT_EQ(ini.ReadStr("FILE3", "none"), "none") << "an empty slot is written empty";
    EXPECT_EQ(ini.ReadInt("ITEM3", 1), 0);
    WriteSettings(ini, s, TWindowPlacement{10, 20, 30, 40, -1}, true);
    EXPECT_EQ(ini.ReadInt("FRMX", -1), 10);
    EXPECT_EQ(ini.ReadInt("FRMH", -1), 40);
    EXPECT_EQ(SettingKeys().size(), 5u + 5u + 4u + 19u);
}

} // namespace
