#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "support/FileBytes.h"
#include "support/ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

const std::string kFormatText = "The file cannot be opened.\r\nThe file format is not correct.";

// The codec still being a stand-in shows as a decode that fills nothing: the
// real one derives a product type from every image.
bool CodecIsPlaceholder() {
    TMap36 image;
    TRKmem model;
    image.Decode(model);
    return model.ProductType.empty();
}

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    return bytes;
}

// A model and image that differ from anything a load could produce, to see
// that a failed load leaves them alone.
void MarkUntouched(TRKmem& model, TMap36& image) {
    model.SetNewConfiguration();
    model.ModelText = "UNTOUCHED";
    model.Channels[3].Narrow = 0;
    image.Buf.fill(0xA5);
}

} // namespace

TEST(DataFileLoad, FileSizesDecideBetweenFormatMessageAndDecode) {
    struct Case {
        size_t size;
        bool loads;
    };
    for (const Case c : {Case{0, false}, Case{32767, false}, Case{32768, true}, Case{40000, true}}) {
        SCOPED_TRACE(c.size);
        TScratchFolder dir;
        const auto bytes = Pattern(c.size);
        WriteFileBytes(dir / "radio.k36", bytes);

        TRKmem model;
        TMap36 image;
        MarkUntouched(model, image);
        const TRKmem before = model;
        TScopedMessages messages;
        const bool loaded = LoadDataFile(dir / "radio.k36", model, image);
        EXPECT_EQ(loaded, c.loads);
        if (c.loads) {
            EXPECT_TRUE(messages.Texts().empty());
            // Bytes past the image are ignored; the image holds the first 32768.
            EXPECT_TRUE(std::equal(image.Buf.begin(), image.Buf.end(), bytes.begin()));
        } else {
            EXPECT_EQ(messages.Texts(), std::vector<std::string>{kFormatText});
            EXPECT_EQ(messages->Shown[0].Type, TMsgType::Error);
            EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::Ok);
            EXPECT_TRUE(model.Equals(before));
            EXPECT_EQ(image.Buf[0], 0xA5);
            EXPECT_EQ(image.Buf[TMap::Size - 1], 0xA5);
        }
    }
}

TEST(DataFileLoad, UnreadableFilesGiveTheReadErrorWithTheReasonAndChangeNothing) {
    TScratchFolder dir;
    fs::create_directory(dir / "folder.k36");
    ASSERT_EQ(::mkfifo((dir / "fifo.k36").c_str(), 0600), 0);
    struct Case {
        fs::path path;
        std::string reason;
    };
    for (const Case& c :
         {Case{dir / "missing.k36", "No such file or directory"}, Case{dir / "folder.k36", "Is a directory"},
          Case{dir / "no such folder" / "x.k36", "No such file or directory"},
          // Refused before the open that would wait for a writer for ever.
          Case{dir / "fifo.k36", "Not a regular file"}}) {
        SCOPED_TRACE(c.path.string());
        TRKmem model;
        TMap36 image;
        MarkUntouched(model, image);
        const TRKmem before = model;
        TScopedMessages messages;
        EXPECT_FALSE(LoadDataFile(c.path, model, image));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File read error  File Name = " +
                                                             c.path.string() + "\r\n" + c.reason});
        EXPECT_TRUE(model.Equals(before));
        EXPECT_EQ(image.Buf[100], 0xA5);
    }
}

TEST(DataFileLoad, AllZeroImageReachesTheDecoder) {
    TScratchFolder dir;
    WriteFileBytes(dir / "zero.k36", std::vector<uint8_t>(32768, 0));
    TRKmem model;
    TMap36 image;
    image.Buf.fill(1);
    TScopedMessages messages;
    if (!LoadDataFile(dir / "zero.k36", model, image)) {
        // The decoder may refuse it, but then with the read error, not the format message.
        EXPECT_EQ(messages.Texts(),
                  std::vector<std::string>{"File read error  File Name = " + (dir / "zero.k36").string()});
        return;
    }
    EXPECT_EQ(image.Buf, TMap36().Buf);
    if (!CodecIsPlaceholder()) {
        EXPECT_EQ(model.ProductType, "TR-2100");
    }
}

TEST(DataFileSave, SaveThenReloadGivesTheSameBytes) {
    TScratchFolder dir;
    TRKmem model;
    model.SetNewConfiguration();
    TMap36 image;
    image.Buf = [] {
        std::array<uint8_t, TMap::Size> b{};
        const auto p = Pattern(TMap::Size);
        std::copy(p.begin(), p.end(), b.begin());
        return b;
    }();
    TScopedMessages messages;
    ASSERT_TRUE(SaveDataFile(dir / "out.k36", model, image));
    EXPECT_TRUE(messages.Texts().empty());
    const auto saved = ReadFileData(dir / "out.k36");
    ASSERT_EQ(saved.size(), 32768u);
    // What was written is the image the model was encoded into.
    EXPECT_TRUE(std::equal(saved.begin(), saved.end(), image.Buf.begin()));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.k36"});

    TRKmem reloaded;
    TMap36 reloadedImage;
    ASSERT_TRUE(LoadDataFile(dir / "out.k36", reloaded, reloadedImage));
    EXPECT_EQ(reloadedImage.Buf, image.Buf);

    // From the second generation on, load and save is the identity: the
    // model survives the file and the file survives the model.
    ASSERT_TRUE(SaveDataFile(dir / "out.k36", reloaded, reloadedImage));
    const auto second = ReadFileData(dir / "out.k36");
    TRKmem third;
    TMap36 thirdImage;
    ASSERT_TRUE(LoadDataFile(dir / "out.k36", third, thirdImage));
    ASSERT_TRUE(SaveDataFile(dir / "out.k36", third, thirdImage));
    EXPECT_EQ(ReadFileData(dir / "out.k36"), second);
    TRKmem fourth;
    TMap36 fourthImage;
    ASSERT_TRUE(LoadDataFile(dir / "out.k36", fourth, fourthImage));
    EXPECT_TRUE(fourth.Equals(third));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.k36"});
}

TEST(DataFileSave, ReplacingAFileKeepsItsPermissions) {
    TScratchFolder dir;
    WriteFileBytes(dir / "out.k36", Pattern(10));
    fs::permissions(dir / "out.k36", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TRKmem model;
    TMap36 image;
    TScopedMessages messages;
    ASSERT_TRUE(SaveDataFile(dir / "out.k36", model, image));
    EXPECT_EQ(fs::status(dir / "out.k36").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(DataFileSave, SavingThroughALinkReplacesTheLinkedFile) {
    TScratchFolder dir;
    WriteFileBytes(dir / "real.k36", Pattern(10));
    fs::create_symlink(dir / "real.k36", dir / "link.k36");
    TRKmem model;
    TMap36 image;
    TScopedMessages messages;
    ASSERT_TRUE(SaveDataFile(dir / "link.k36", model, image));
    EXPECT_TRUE(fs::is_symlink(dir / "link.k36"));
    EXPECT_EQ(ReadFileData(dir / "real.k36").size(), 32768u);
}

TEST(DataFileSave, UncreatableFileGivesTheWriteErrorWithTheReason) {
    TScratchFolder dir;
    fs::create_directory(dir / "folder.k36");
    struct Case {
        fs::path path;
        std::string reason;
    };
    for (const Case& c : {Case{dir / "no such folder" / "x.k36", "No such file or directory"},
                          Case{dir / "folder.k36", "Is a directory"}}) {
        SCOPED_TRACE(c.path.string());
        TRKmem model;
        TMap36 image;
        TScopedMessages messages;
        EXPECT_FALSE(SaveDataFile(c.path, model, image));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File write error  File Name = " +
                                                             c.path.string() + "\r\n" + c.reason});
        EXPECT_EQ(messages->Shown[0].Type, TMsgType::Error);
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder.k36"});
}

// Replacing a FIFO or a device node with a regular file would destroy it.
TEST(DataFileSave, SpecialFilesAreNotReplaced) {
    TScratchFolder dir;
    ASSERT_EQ(::mkfifo((dir / "fifo.k36").c_str(), 0600), 0);
    fs::create_symlink(dir / "fifo.k36", dir / "link.k36");
    std::vector<fs::path> targets{dir / "fifo.k36", dir / "link.k36"};
    if (::mknod((dir / "null.k36").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        targets.push_back(dir / "null.k36");
    for (const fs::path& p : targets) {
        SCOPED_TRACE(p.string());
        TRKmem model;
        TMap36 image;
        TScopedMessages messages;
        EXPECT_FALSE(SaveDataFile(p, model, image));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File write error  File Name = " + p.string() +
                                                             "\r\nNot a regular file"});
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo.k36"));
    if (targets.size() > 2) {
        EXPECT_TRUE(fs::is_character_file(dir / "null.k36"));
    }
    EXPECT_EQ(dir.Names().size(), targets.size());
}

// A write that runs out of room halfway (here: the file-size limit) must not
// cost the user the file that was there before.
TEST(DataFileSave, FailedWriteLeavesTheOldFileByteIdentical) {
    TScratchFolder dir;
    const auto old = Pattern(32768);
    WriteFileBytes(dir / "radio.k36", old);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    TRKmem model;
    TMap36 image;
    image.Buf.fill(0x11);
    TScopedMessages messages;
    const bool ok = SaveDataFile(dir / "radio.k36", model, image);

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"File write error  File Name = " + (dir / "radio.k36").string() +
                                       "\r\nFile too large"});
    EXPECT_EQ(ReadFileData(dir / "radio.k36"), old);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"radio.k36"}); // no temporary left behind
}

TEST(DataFileSave, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    TScratchFolder dir;
    const auto old = Pattern(32768);
    WriteFileBytes(dir / "radio.k36", old);
    fs::permissions(dir / "radio.k36", fs::perms::owner_read);
    TRKmem model;
    TMap36 image;
    TScopedMessages messages;
    EXPECT_FALSE(SaveDataFile(dir / "radio.k36", model, image));
    EXPECT_EQ(ReadFileData(dir / "radio.k36"), old);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"radio.k36"});
}

// Needs the real encoder: in manufacture mode a serial number that is not a
// number is a conversion failure.
TEST(DataFileSave, ConversionFailureWritesNothing) {
    if (CodecIsPlaceholder()) GTEST_SKIP() << "needs the real encoder";
    TScratchFolder dir;
    const auto old = Pattern(32768);
    WriteFileBytes(dir / "radio.k36", old);
    TRKmem model;
    model.SetNewConfiguration();
    model.SerialNumber = "XC123456";
    TMap36 image;
    TScopedMessages messages;
    EXPECT_FALSE(SaveDataFile(dir / "radio.k36", model, image, TCodecContext{2}));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0].rfind(
                  "File write error  File Name = " + (dir / "radio.k36").string() + "\r\n", 0),
              0u);
    EXPECT_EQ(ReadFileData(dir / "radio.k36"), old);
    EXPECT_FALSE(SaveDataFile(dir / "new.k36", model, image, TCodecContext{2}));
    EXPECT_FALSE(fs::exists(dir / "new.k36"));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"radio.k36"});
}

// Watches the flushes of a save through the disk seam; restores fsync after.
class TWatchedSync {
  public:
    struct TEvent {
        TSyncTarget What;
        fs::path Name;    // what the descriptor refers to
        uintmax_t Size;   // its size at the flush
        uint32_t Mode;    // its permission bits at the flush
        uintmax_t Target; // the target's size at the flush
    };
    std::vector<TEvent> Events;
    int Result = 0;

    explicit TWatchedSync(fs::path target) : target_(std::move(target)) {
        previous_ = SetDiskSync([this](int fd, TSyncTarget what) {
            struct stat st {};
            ::fstat(fd, &st);
            std::error_code ec;
            const auto name = fs::read_symlink("/proc/self/fd/" + std::to_string(fd), ec);
            const auto targetSize = fs::file_size(target_, ec);
            Events.push_back(
                {what, name, static_cast<uintmax_t>(st.st_size), st.st_mode & 07777u, ec ? 0 : targetSize});
            return what == TSyncTarget::File ? Result : 0;
        });
    }
    ~TWatchedSync() { SetDiskSync(previous_); }

  private:
    fs::path target_;
    TDiskSync previous_;
};

TEST(DataFileSave, FlushesTheCompleteFileBeforeItTakesTheNameThenTheFolder) {
    TScratchFolder dir;
    WriteFileBytes(dir / "radio.k36", Pattern(10));
    TWatchedSync sync(dir / "radio.k36");
    TRKmem model;
    TMap36 image;
    TScopedMessages messages;
    ASSERT_TRUE(SaveDataFile(dir / "radio.k36", model, image));
    ASSERT_EQ(sync.Events.size(), 2u);
    EXPECT_EQ(sync.Events[0].What, TSyncTarget::File);
    EXPECT_EQ(sync.Events[0].Size, 32768u);
    EXPECT_EQ(sync.Events[0].Target, 10u); // the old file is still in place
    EXPECT_EQ(sync.Events[0].Name.parent_path(), dir.Path());
    EXPECT_EQ(sync.Events[1].What, TSyncTarget::Folder);
    EXPECT_EQ(sync.Events[1].Name, dir.Path());
    EXPECT_EQ(sync.Events[1].Target, 32768u);

    // A flush that fails is a failed save: the old file stays.
    sync.Result = EIO;
    EXPECT_FALSE(SaveDataFile(dir / "radio.k36", model, image));
    EXPECT_EQ(messages.Texts().back(),
              "File write error  File Name = " + (dir / "radio.k36").string() + "\r\nInput/output error");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"radio.k36"});
}

TEST(DataFileSave, TemporaryFileIsNeverMoreVisibleThanItsTarget) {
    const mode_t mask = ::umask(022);
    struct Case {
        const char* name;
        int mode; // -1: a new file
    };
    for (const Case c : {Case{"private", 0600}, Case{"group", 0640}, Case{"public", 0644}, Case{"new", -1}}) {
        SCOPED_TRACE(c.name);
        TScratchFolder dir;
        const fs::path target = dir / "radio.k36";
        if (c.mode >= 0) {
            WriteFileBytes(target, Pattern(10));
            ::chmod(target.c_str(), static_cast<mode_t>(c.mode));
        }
        TWatchedSync sync(target);
        TRKmem model;
        TMap36 image;
        TScopedMessages messages;
        ASSERT_TRUE(SaveDataFile(target, model, image));
        ASSERT_FALSE(sync.Events.empty());
        const uint32_t tempMode = sync.Events[0].Mode;
        EXPECT_EQ(tempMode, c.mode >= 0 ? static_cast<uint32_t>(c.mode) : 0600u);
        EXPECT_EQ(fs::status(target).permissions(), static_cast<fs::perms>(c.mode >= 0 ? c.mode : 0644));
    }
    ::umask(mask);
}

TEST(DataFileSave, LeftoversOfKilledSavesGoOnTheNextSave) {
    TScratchFolder dir;
    TRKmem model;
    TMap36 image;
    TScopedMessages messages;
    std::string ourName;
    {
        TWatchedSync sync(dir / "a.k36");
        ASSERT_TRUE(SaveDataFile(dir / "a.k36", model, image));
        ourName = sync.Events.at(0).Name.filename().string();
    }
    // "<file>.rk36-<host>-<pid>-<random>.tmp": the same name with other processes.
    const std::string prefix = ourName.substr(0, ourName.find('-', ourName.find(".rk36-") + 6) + 1);
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string stale = prefix + std::to_string(dead) + "-0badf00d.tmp";
    const std::string running = prefix + "1-0badf00d.tmp"; // a process still alive
    const std::string foreign =
        "a.k36.rk36-00000000-" + std::to_string(dead) + "-0badf00d.tmp"; // another host
    const std::string users = "notes.tmp";
    for (const auto& n : {stale, running, foreign, users})
        WriteFileBytes(dir / n, Pattern(5));
    ASSERT_TRUE(SaveDataFile(dir / "b.k36", model, image));
    auto names = dir.Names();
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected{"a.k36", "b.k36", running, foreign, users};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

// Saves killed at random moments: the target is always complete, the
// temporary files never more visible than it, and the next save tidies up.
TEST(DataFileSave, KilledSavesLeaveNothingBehindAfterTheNextSave) {
    TScratchFolder dir;
    const fs::path target = dir / "radio.k36";
    WriteFileBytes(target, Pattern(32768));
    ::chmod(target.c_str(), 0600);
    std::mt19937 rng(12345);
    size_t leftovers = 0;
    for (int kills = 0; kills < 200; ++kills) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TRKmem model;
            TMap36 image;
            TScopedMessages quiet;
            for (;;)
                SaveDataFile(target, model, image);
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(rng));
        for (const auto& e : fs::directory_iterator(dir.Path())) {
            struct stat st {};
            if (::lstat(e.path().c_str(), &st) == 0) {
                EXPECT_EQ(st.st_mode & 077, 0u) << e.path();
            }
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_EQ(fs::file_size(target), 32768u);
        leftovers = std::max(leftovers, dir.Names().size() - 1);
    }
    EXPECT_GT(leftovers, 0u) << "no kill hit a save in progress";
    RecordProperty("leftovers", static_cast<int>(leftovers));
    TRKmem model;
    TMap36 image;
    TScopedMessages messages;
    ASSERT_TRUE(SaveDataFile(target, model, image));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"radio.k36"});
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(BandTemplate, PathFollowsHeadBandAndProduct) {
    SetProgramFolder("/opt/rk36");
    struct Case {
        int head;
        int band;
        const char* product;
        const char* path;
    };
    const Case cases[] = {
        {0, 0, "TR-2100", "/opt/rk36/NewFile/TR2100/singnorlva.k36"},
        {1, 1, "TR-2200", "/opt/rk36/NewFile/TR2200/singmotlvb.k36"},
        {0, 2, "TR-2300", "/opt/rk36/NewFile/TR2300/singnorva.k36"},
        {5, 3, "TQ2400", "/opt/rk36/NewFile/TR2300/singmotvc.k36"},
        {0, 6, "TR-2300", "/opt/rk36/NewFile/TR2300/singnorud1.k36"},
        {0, 6, "TR-2200", "/opt/rk36/NewFile/TR2200/singnoruf.k36"},
        {0, 7, "TR-2300", "/opt/rk36/NewFile/TR2300/singnoruf.k36"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BandTemplatePath(c.head, c.band, c.product), fs::path(c.path));
    SetProgramFolder({});
}

TEST(BandTemplate, MissingTemplateLeavesTheOutputsAlone) {
    TScratchFolder dir;
    SetProgramFolder(dir.Path());
    int32_t lower = 11, upper = 22;
    TChannel channel;
    channel.SqlLevel = 5;
    TScopedMessages messages;
    EXPECT_FALSE(LoadBandTemplate(0, 2, "TR-2300", true, lower, upper, &channel));
    EXPECT_EQ(lower, 11);
    EXPECT_EQ(upper, 22);
    EXPECT_EQ(channel.SqlLevel, 5);
    // The loader's own message, nothing more.
    EXPECT_EQ(messages.Texts().size(), 1u);
    SetProgramFolder({});
}

TEST(BandTemplate, TakesEdgesAndABlankChannelOne) {
    TScratchFolder dir;
    SetProgramFolder(dir.Path());
    fs::create_directories(dir / "NewFile/TR2200");
    TRKmem model;
    model.SetNewConfiguration();
    TMap36 image;
    TScopedMessages messages;
    ASSERT_TRUE(SaveDataFile(dir / "NewFile/TR2200/singmotua.k36", model, image));

    TRKmem loaded;
    TMap36 loadedImage;
    ASSERT_TRUE(LoadDataFile(dir / "NewFile/TR2200/singmotua.k36", loaded, loadedImage));
    int32_t lower = 11, upper = 22;
    TChannel channel;
    ASSERT_TRUE(LoadBandTemplate(1, 4, "TR-2200", true, lower, upper, &channel));
    EXPECT_EQ(lower, loaded.BandLowerEdge);
    EXPECT_EQ(upper, loaded.BandUpperEdge);
    TChannel expected = loaded.Channels[0];
    expected.Blank = 1;
    EXPECT_TRUE(channel.Equals(expected));

    // Without the take-channel flag the channel is not touched.
    TChannel untouched;
    untouched.SqlLevel = 7;
    ASSERT_TRUE(LoadBandTemplate(1, 4, "TR-2200", false, lower, upper, &untouched));
    EXPECT_EQ(untouched.SqlLevel, 7);
    SetProgramFolder({});
}

TEST(ProgramFolder, DefaultsToTheRunningProgramsFolder) {
    SetProgramFolder({});
    EXPECT_TRUE(fs::exists(ProgramFolder() / "test_core"));
}

TEST(DataFileSave, ABlankIdentityCopyIsMadeARadiosCopyIsKept) {
    struct Case {
        const char* name;
        uint8_t fill; // of the identity copy before the save
        bool sealed;
    } cases[] = {{"all zero", 0x00, true}, {"all 0xFF", 0xFF, true}, {"a radio's", 0x5A, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TScratchFolder dir;
        TRKmem model;
        model.SetNewConfiguration();
        TMap36 image;
        image.Encode(model, false);
        std::fill(image.Buf.begin() + 0x3E00, image.Buf.begin() + 0x4100, c.fill);
        TMap36 expected = image;
        if (c.sealed) SealIdentityCopy(expected);
        TScopedMessages messages;
        ASSERT_TRUE(SaveDataFile(dir / "out.k36", model, image));
        const auto saved = ReadFileData(dir / "out.k36");
        EXPECT_TRUE(std::equal(saved.begin(), saved.end(), expected.Buf.begin()));
        EXPECT_FALSE(IdentityCopyBlank(expected));
        // The copy and the sums are outside everything the model holds.
        TRKmem reloaded;
        ASSERT_TRUE(expected.Decode(reloaded));
        TRKmem plain;
        ASSERT_TRUE(image.Decode(plain));
        EXPECT_TRUE(reloaded.Equals(plain));
    }
}
