// Paths, file operations and the Windows lookup stand-ins, on a scratch
// folder of their own.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/system_lookups.h"

using namespace kestrana;
namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kestrana-platform-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path Write(const fs::path& relative, const std::string& content) {
        fs::path p = root / relative;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }
    static std::string Read(const fs::path& p) { return ReadWholeFile(p).value_or("<missing>"); }

    fs::path root;
};

TEST_F(FilesTest, NamesAreFoundWithoutRegardToLetterCase) {
    Write("WParams/Doys.txt", "doys");
    Write("WParams/Font.txt", "font");
    Write("Tables/E1123456783.dta", "e1");

    EXPECT_EQ(FindCaseInsensitive(root, "Wparams/Doys.txt"), root / "WParams/Doys.txt");
    EXPECT_EQ(FindCaseInsensitive(root, "wParams\\FONT.TXT"), root / "WParams/Font.txt");
    EXPECT_EQ(FindCaseInsensitive(root, "tables\\e1123456783.DTA"), root / "Tables/E1123456783.dta");
    EXPECT_EQ(FindCaseInsensitive(root, "wparams"), root / "WParams");
    EXPECT_EQ(FindCaseInsensitive(root, "WParams/Missing.txt"), std::nullopt);
    // Never outside the folder.
    EXPECT_EQ(FindCaseInsensitive(root / "WParams", "../Tables/E1123456783.dta"), std::nullopt);
    EXPECT_EQ(FindCaseInsensitive(root, (root / "WParams/Doys.txt").string()), std::nullopt);

    // Several spellings: the exact one wins, otherwise the first by name.
    Write("wparams/Doys.txt", "other");
    EXPECT_EQ(FindCaseInsensitive(root, "wparams/Doys.txt"), root / "wparams/Doys.txt");
    EXPECT_EQ(FindCaseInsensitive(root, "WPARAMS/doys.txt"), root / "WParams/Doys.txt");

    // A file still to be written keeps the stored spelling of its folders.
    EXPECT_EQ(ResolveCaseInsensitive(root, "TABLES\\E1000000000.dta"), root / "Tables/E1000000000.dta");
    EXPECT_EQ(ResolveCaseInsensitive(root, "Upgrade/Setup.exe"), root / "Upgrade/Setup.exe");
    EXPECT_EQ(ResolveCaseInsensitive(root, "Tables/../x"), fs::path());
    EXPECT_EQ(NativePath("Tables\\E1.dta"), "Tables/E1.dta");
}

TEST_F(FilesTest, CopyNeverReplacesAnExistingFile) {
    fs::path from = Write("old/E1123456783.dta", "from the earlier install");
    fs::path kept = Write("Tables/E1123456783.dta", "typed here");
    EXPECT_FALSE(CopyFileNoOverwrite(from, kept));
    EXPECT_EQ(Read(kept), "typed here");

    fs::path fresh = root / "Tables/E1000000000.dta";
    EXPECT_TRUE(CopyFileNoOverwrite(from, fresh));
    EXPECT_EQ(Read(fresh), "from the earlier install");

    EXPECT_FALSE(CopyFileNoOverwrite(root / "old/none.dta", root / "Tables/none.dta"));
    EXPECT_FALSE(FileExists(root / "Tables/none.dta"));
    EXPECT_FALSE(CopyFileNoOverwrite(root / "old", root / "Tables/folder"));  // a folder is no file
    EXPECT_FALSE(fs::exists(root / "Tables/folder"));
}

TEST_F(FilesTest, ExistenceDeleteFolderAndListing) {
    fs::path file = Write("Tables/E2000000000.dta", "x");
    Write("Tables/Notes.txt", "y");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(root / "Tables"));
    EXPECT_TRUE(FolderExists(root / "Tables"));
    EXPECT_EQ(ListFolder(root / "Tables"), (std::vector<std::string>{"E2000000000.dta", "Notes.txt"}));
    EXPECT_TRUE(ListFolder(root / "none").empty());

    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(root / "Tables"));  // folders are not deleted this way
    EXPECT_TRUE(FolderExists(root / "Tables"));

    EXPECT_TRUE(CreateFolder(root / "EKA2019/sub"));
    EXPECT_TRUE(CreateFolder(root / "EKA2019"));  // already there
    Write("plain", "");
    EXPECT_FALSE(CreateFolder(root / "plain"));
}

TEST_F(FilesTest, LockedFileIsOneHeldByAnother) {
    fs::path pdf = Write("KestraE1.Pdf", "%PDF");
    EXPECT_FALSE(FileIsLocked(root / "absent.pdf"));
    EXPECT_FALSE(FileIsLocked(pdf));
    {
        int viewer = ::open(pdf.c_str(), O_RDONLY);
        ASSERT_GE(viewer, 0);
        ASSERT_EQ(::flock(viewer, LOCK_EX | LOCK_NB), 0);
        EXPECT_TRUE(FileIsLocked(pdf));
        ::close(viewer);
    }
    EXPECT_FALSE(FileIsLocked(pdf));
    if (::geteuid() != 0) {  // root opens read-only files for writing anyway
        fs::permissions(pdf, fs::perms::owner_read);
        EXPECT_TRUE(FileIsLocked(pdf));
    }
}

TEST_F(FilesTest, WholeFileWriteReplacesAtomically) {
    fs::path file = Write("Tables/E1123456783.dta", "old");
    ::chmod(file.c_str(), 0640);
    EXPECT_TRUE(WriteWholeFile(file, std::string("new\0bytes", 9)));
    EXPECT_EQ(Read(file), std::string("new\0bytes", 9));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ListFolder(root / "Tables"), std::vector<std::string>{"E1123456783.dta"});  // no temporary left

    EXPECT_FALSE(WriteWholeFile(root / "none/E1.dta", "x"));
    // A folder in the way: the write fails and nothing else changes.
    fs::create_directories(root / "Tables/E1000000000.dta");
    EXPECT_FALSE(WriteWholeFile(root / "Tables/E1000000000.dta", "x"));
    EXPECT_EQ(ListFolder(root / "Tables").size(), 2u);
    EXPECT_EQ(ReadWholeFile(root / "Tables"), std::nullopt);
}

TEST_F(FilesTest, ProgramFolderBecomesTheWorkingFolder) {
    fs::path before = fs::current_path();
    ASSERT_TRUE(MakeProgramFolderCurrent());
    EXPECT_TRUE(FileExists(fs::current_path() / "test_platform"));
    fs::current_path(before);
}

TEST(LoginName, IsCleanedLikeTheWindowsName) {
    struct Case {
        std::string raw, clean;
    } cases[] = {
        {"giorgos", "giorgos"},
        {"g.papadopoulos", "gpapadopoulos"},
        {"...", ""},
        {std::string(300, 'a'), std::string(254, 'a')},
        {std::string(253, 'a') + ".b", std::string(253, 'a')},  // cut first, then the dots go
    };
    for (const Case& c : cases) EXPECT_EQ(CleanLoginName(c.raw), c.clean) << c.raw;

    std::string greek;
    for (int i = 0; i < 255; ++i) greek += "Α";
    std::string expected;
    for (int i = 0; i < 254; ++i) expected += "Α";
    EXPECT_EQ(CleanLoginName(greek), expected);  // whole letters, not bytes

    std::string name = GetLoginName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find('.'), std::string::npos);
}

TEST(ProgramFilesDir, ComesFromTheEnvironmentThenTheSettingsFile) {
    std::string pattern = (fs::temp_directory_path() / "kestrana-config-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    fs::path config = pattern;
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    ::setenv("KESTRANA_PROGRAMFILESDIR", "/mnt/c/Program Files (x86)", 1);
    EXPECT_EQ(GetProgramFilesDir(), "/mnt/c/Program Files (x86)");
    ::unsetenv("KESTRANA_PROGRAMFILESDIR");
    EXPECT_EQ(GetProgramFilesDir(), "");

    fs::create_directories(config / "kestrana");
    std::ofstream(config / "kestrana/platform.ini") << "# moved from Windows\r\nprogramfilesdir = /srv/Program Files \r\n";
    EXPECT_EQ(GetProgramFilesDir(), "/srv/Program Files");
    ::setenv("KESTRANA_PROGRAMFILESDIR", "", 1);  // set, even empty, wins
    EXPECT_EQ(GetProgramFilesDir(), "");
    ::unsetenv("KESTRANA_PROGRAMFILESDIR");
    ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(config);

    EXPECT_EQ(FindSetting("a=1\n;ProgramFilesDir=x\nProgramFilesDir=y\nProgramFilesDir=z", "ProgramFilesDir"), "y");
    EXPECT_EQ(FindSetting("ProgramFilesDir", "ProgramFilesDir"), std::nullopt);
    EXPECT_EQ(FindSetting("ProgramFilesDir=", "ProgramFilesDir"), "");
}

}  // namespace
