// Marker files, deletion of all declarations and the one-time copy.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "editions/edition.h"
#include "shell/shell_files.h"

namespace fs = std::filesystem;
using namespace kestrana;

namespace {

class ShellFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("kestrana_shell_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    static void Write(const fs::path& p, const std::string& content) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
    }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // An earlier install under <root>/pf/Kestrana2019 and a working folder
    // inside the suite folder.
    OldInstallPlaces Places() {
        OldInstallPlaces places;
        places.programFilesDir = (root / "pf").string();
        places.loginName = "maria.p";
        places.usersRoot = root / "users";
        return places;
    }
    fs::path root;
};

TEST_F(ShellFiles, AutoCheckSwitchFollowsTheMarker) {
    const Edition& e = Edition2019();
    EXPECT_TRUE(AutoCheckEnabled(root, e));
    EXPECT_FALSE(ApplyAutoCheckSwitch(root, e, false));
    EXPECT_EQ(Read(root / "Autocheck19.ini"), "Not OK\r\n");
    EXPECT_FALSE(AutoCheckEnabled(root, e));
    EXPECT_TRUE(AutoCheckEnabled(root, Edition2018()));  // each edition has its own marker
    EXPECT_TRUE(ApplyAutoCheckSwitch(root, e, true));
    EXPECT_FALSE(fs::exists(root / "Autocheck19.ini"));
}

TEST_F(ShellFiles, AutoCheckTickShowsTheTruthWhenTheMarkerCannotBeWritten) {
    fs::create_directories(root / "Autocheck19.ini");  // a folder in the way
    fs::create_directories(root / "Autocheck19.ini" / "x");
    EXPECT_FALSE(ApplyAutoCheckSwitch(root, Edition2019(), true));
}

TEST_F(ShellFiles, DeleteAllKeepsFilesThatAreNotDeclarations) {
    const fs::path tables = root / "Tables";
    for (const char* name : {"E1123456789.dta", "E2123456789.dta", "backupE1.txt", "E1.dta"})
        Write(tables / name, "x");
    for (const char* name : {"Doys.txt", "e1small.dta", "notes.txt"}) Write(tables / name, "x");
    fs::create_directories(tables / "E1folder");
    EXPECT_EQ(DeleteAllDeclarationFiles(tables), 4);
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(tables)) left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"Doys.txt", "e1small.dta", "notes.txt", "E1folder"}));
    EXPECT_EQ(DeleteAllDeclarationFiles(root / "missing"), 0);
}

TEST_F(ShellFiles, CopyNeverOverwritesAndWritesTheMarker) {
    const fs::path old = root / "pf" / "Kestrana2019";
    Write(old / "KESTRANA19.exe", "exe");
    Write(old / "Tables" / "E1111111111.dta", "old 1");
    Write(old / "Tables" / "E1222222222.dta", "old 2");
    const fs::path store = root / "users" / "mariap" / "AppData" / "Local" / "VirtualStore";
    Write(store / "Program Files (x86)" / "Kestrana2019" / "Tables" / "E2333333333.dta", "redirected");
    Write(store / "Program Files (x86)" / "Kestrana2019" / "Tables" / "E1111111111.dta", "redirected 1");
    const fs::path work = root / "Vorantix" / "Kestrana";
    Write(work / "Tables" / "E1222222222.dta", "mine");

    CopyOldDeclarations(work, Edition2019(), Places());
    EXPECT_EQ(Read(work / "Tables" / "E1111111111.dta"), "old 1");  // the install comes first
    EXPECT_EQ(Read(work / "Tables" / "E1222222222.dta"), "mine");
    EXPECT_EQ(Read(work / "Tables" / "E2333333333.dta"), "redirected");
    EXPECT_EQ(Read(work / "DoneCopy.txt"), "OK\r\n");

    // Once only.
    Write(old / "Tables" / "E1444444444.dta", "later");
    CopyOldDeclarations(work, Edition2019(), Places());
    EXPECT_FALSE(fs::exists(work / "Tables" / "E1444444444.dta"));
}

TEST_F(ShellFiles, CopyConditionsStillWriteTheMarker) {
    struct Case {
        const char* name;
        fs::path work;
        bool programThere;
    };
    const Case cases[] = {
        {"under Program Files", root / "Program Files" / "VORANTIX", true},
        {"outside the suite folder", root / "Other", true},
        {"no earlier program", root / "VORANTIX" / "k", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root / "pf");
        const fs::path old = root / "pf" / "Kestrana2019";
        if (c.programThere) Write(old / "KESTRANA19.exe", "exe");
        Write(old / "Tables" / "E1111111111.dta", "old");
        fs::create_directories(c.work);
        CopyOldDeclarations(c.work, Edition2019(), Places());
        EXPECT_FALSE(fs::exists(c.work / "Tables" / "E1111111111.dta"));
        EXPECT_TRUE(fs::exists(c.work / "DoneCopy.txt"));
    }
}

TEST_F(ShellFiles, Edition2018RefreshesTheOlderProgram) {
    const fs::path work = root / "work";
    Write(work / "Kestrana17.exe", "new");
    Write(root / "pf" / "Kestrana2017" / "Kestrana17.exe", "old");
    CopyOldDeclarations(work, Edition2018(), Places());
    EXPECT_EQ(Read(root / "pf" / "Kestrana2017" / "Kestrana17.exe"), "new");
    EXPECT_FALSE(fs::exists(work / "DoneCopy.txt"));
}

}  // namespace
