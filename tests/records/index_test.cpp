// The declarations scan, index lines, the stable grid sort and quick search.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "records/cp1253.h"
#include "records/declarations_index.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/errors.h"
#include "records/record_files.h"

namespace kestrana {
namespace {

namespace fs = std::filesystem;

class IndexScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = (fs::temp_directory_path() / ("kestrana_index_" + std::to_string(::getpid()))).string();
        fs::remove_all(dir);
        fs::create_directories(dir + "/Tables");
    }
    void TearDown() override { fs::remove_all(dir); }
    void SaveE1(const char* afm, const char* surname, const char* name, const std::string& file = "") {
        E1Record r;
        r.SetText("edAFM", afm);
        r.SetText("edBigName", surname);
        r.SetText("edName", name);
        if (file.empty()) {
            WriteE1File(r, dir);
        } else {
            std::ofstream(dir + "/Tables/" + file, std::ios::binary)
                .write(reinterpret_cast<const char*>(r.Data()), r.kSize);
        }
    }
    std::string dir;
};

TEST_F(IndexScanTest, ListsEveryNameContainingE1AndReportsUnreadableOnes) {
    SaveE1("094014201", "ΠΑΠΑΔΟΠΟΥΛΟΣ", "ΓΙΩΡΓΟΣ");
    SaveE1("", "ΧΩΡΙΣ", "ΑΦΜ");
    SaveE1("123456783", "BACKUP", "X", "backupE1.txt");
    std::ofstream(dir + "/Tables/E1short.dta") << "too short";
    fs::create_directory(dir + "/Tables/E1folder");
    // A named pipe would block a plain open for ever.
    ASSERT_EQ(::mkfifo((dir + "/Tables/E1pipe.dta").c_str(), 0600), 0);
    std::ofstream(dir + "/Tables/notes.txt") << std::string(8000, 'x');
    E2Record e2;
    e2.SetText("edAFM", "094014201");
    e2.SetText("edBigName", "ΕΝΟΙΚΙΑ");
    WriteE2File(e2, dir);

    IndexScan scan = ListE1Files(dir + "/Tables");
    std::sort(scan.lines.begin(), scan.lines.end());
    std::vector<std::string> expect = {"BACKUP;X;123456783", "ΠΑΠΑΔΟΠΟΥΛΟΣ;ΓΙΩΡΓΟΣ;094014201", "ΧΩΡΙΣ;ΑΦΜ;"};
    EXPECT_EQ(scan.lines, expect);
    std::sort(scan.unreadable.begin(), scan.unreadable.end());
    EXPECT_EQ(scan.unreadable, (std::vector<std::string>{"E1folder", "E1pipe.dta", "E1short.dta"}));
    E1Record r;
    EXPECT_THROW(ReadFilePrefix(dir + "/Tables/E1pipe.dta", r.Data(), r.kSize), IoError);

    IndexScan e2scan = ListE2Files(dir + "/Tables");
    EXPECT_EQ(e2scan.lines, (std::vector<std::string>{"ΕΝΟΙΚΙΑ;;094014201"}));
    // An E1 file of 6991 bytes is too short for an E2 record.
    EXPECT_TRUE(e2scan.unreadable.empty());

    EXPECT_TRUE(ListE1Files(dir + "/NoTables").lines.empty());
}

TEST(IndexLine, RunningLimitsAndSplit) {
    E1Record r;
    r.SetText("edBigName", std::string(40, 'S'));
    r.SetText("edName", std::string(40, 'N'));
    r.SetText("edAFM", "EL0940142011");
    // Length bytes above the capacities are clamped to the fields.
    r.Data()[17] = 200;
    r.Data()[58] = 200;
    r.Data()[4] = 200;
    std::string line = IndexLine(r.Data());
    EXPECT_EQ(line.size(), 94u);
    auto parts = SplitIndexLine(line);
    EXPECT_EQ(parts[0], std::string(40, 'S'));
    EXPECT_EQ(parts[1], std::string(40, 'N'));
    EXPECT_EQ(parts[2], "EL0940142011");
    EXPECT_EQ(SplitIndexLine("A;B;C;D")[2], "C;D");
    EXPECT_EQ(SplitIndexLine("plain")[0], "plain");
    TextGrid g = IndexGrid({"Α;Β;1"});
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0], (std::vector<std::string>{"Επώνυμο/ία", "Όνομα", "Α.Φ.Μ."}));
    EXPECT_EQ(g[1], (std::vector<std::string>{"Α", "Β", "1"}));
}

TEST(CompareGreekText, FoldsCaseAndAccents) {
    struct Case { const char* a; const char* b; int sign; } cases[] = {
        {"άλφα", "ΑΛΦΑ", 0}, {"Ωμέγα", "ωμεγα", 0}, {"ΐ", "ι", 0}, {"Ϋ", "υ", 0},
        {"ΠΑΠΑΣ", "παπας", 0}, {"Άρης", "Βασίλης", -1}, {"ΩΡΑ", "αλφα", 1},
        {"abc", "ABD", -1}, {"Zeta", "Άλφα", -1}, {"ΑΒ", "ΑΒΓ", -1}, {"", "", 0},
    };
    for (const auto& c : cases) {
        int r = CompareGreekText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    }
}

TEST(SortGrid, StableInEveryModeAndDirection) {
    TextGrid g = {{"head", ""}, {"Βήτα", "1"}, {"άλφα", "2"}, {"ΒΗΤΑ", "3"}, {"Άλφα", "4"}, {"γάμμα", "5"}};
    SortGrid(g, 1, 0, kSortText, 0, true);
    std::vector<std::string> order;
    for (const auto& r : g) order.push_back(r[1].empty() ? r[0] : r[1]);
    EXPECT_EQ(order, (std::vector<std::string>{"head", "2", "4", "1", "3", "5"}));

    SortGrid(g, 1, 0, kSortText, 0, false);
    order.clear();
    for (size_t i = 1; i < g.size(); ++i) order.push_back(g[i][1]);
    EXPECT_EQ(order, (std::vector<std::string>{"5", "1", "3", "2", "4"}));

    TextGrid n = {{"h"}, {"*10", "a"}, {"9", "b"}, {"x", "c"}, {"10", "d"}, {"-3", "e"}};
    SortGrid(n, 1, 0, kSortInteger, 0, true);
    order.clear();
    for (size_t i = 1; i < n.size(); ++i) order.push_back(n[i][1]);
    EXPECT_EQ(order, (std::vector<std::string>{"e", "c", "b", "a", "d"}));

    TextGrid d = {{"h"}, {"1.234,50", "a"}, {"-", "b"}, {"", "c"}, {"*99,9", "d"}, {"0,01", "e"}};
    // Count on column 1 so the empty amount still takes part.
    SortGrid(d, 1, 0, kSortDecimal, 1, true);
    order.clear();
    for (size_t i = 1; i < d.size(); ++i) order.push_back(d[i][1]);
    EXPECT_EQ(order, (std::vector<std::string>{"b", "c", "e", "d", "a"}));
}

TEST(SortGrid, SortsOnlyTheCountedRowsAndTakesAComparator) {
    TextGrid g = {{"h"}, {"c"}, {"b"}, {""}, {"a"}};
    SortGrid(g, 1, 0, kSortText, 0, true);  // 3 non-empty cells: rows 1..3
    EXPECT_EQ(g, (TextGrid{{"h"}, {""}, {"b"}, {"c"}, {"a"}}));
    TextGrid h = {{"h"}, {"bb"}, {"a"}, {"ccc"}};
    SortGrid(h, 1, 0, kSortText, 0, true,
             [](const std::string& x, const std::string& y) { return static_cast<int>(x.size()) - static_cast<int>(y.size()); });
    EXPECT_EQ(h, (TextGrid{{"h"}, {"a"}, {"bb"}, {"ccc"}}));
}

TEST(QuickSearch, PrefixThenGreaterThenLastRow) {
    TextGrid g = {{"Επώνυμο/ία"}, {"ΑΛΕΞΙΟΥ"}, {"ΠΑΠΑΔΑΚΗΣ"}, {"ΠΑΠΑΔΟΠΟΥΛΟΣ"}, {"ΣΑΒΒΑΣ"}};
    struct Case { const char* text; int row; } cases[] = {
        {"ΠΑ", 2}, {"ΠΑΠΑΔΟ", 3}, {"ΠΒ", 4}, {"Β", 2}, {"ΩΩ", 4},
        {"πα", 4},  // small letters sort above every capital
        {"", 1}, {"Α", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(QuickSearch(g, 0, c.text), c.row) << c.text;
    EXPECT_EQ(QuickSearch(TextGrid{{"head"}}, 0, "x"), -1);
}

}  // namespace
}  // namespace kestrana
