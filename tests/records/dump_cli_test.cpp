// kestrana-calc dump, run as a program on E1 and E2 files whose bytes are
// placed here at the layout's offsets, without the record code: every named
// field must come out with its own value, so a wrong offset, size, type or
// name in the record tables shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/tool_test.h"

namespace kestrana {
namespace {

namespace fs = std::filesystem;

// One field of a layout: s string[cap], b byte, h int16, i int32, r Real48,
// o boolean, * string[1] holding "*", m five mark bytes.
struct LayoutField {
    std::string name;
    size_t offset;
    char type;
    size_t cap = 0;
};

struct Col {
    const char* name;
    size_t offset;
    char type;
    size_t cap = 0;
};

void Rows(std::vector<LayoutField>& out, size_t base, size_t stride, int rows, const std::vector<Col>& cols) {
    for (int r = 1; r <= rows; ++r)
        for (const auto& c : cols)
            out.push_back({c.name + std::to_string(r), base + stride * static_cast<size_t>(r - 1) + c.offset, c.type, c.cap});
}

std::vector<LayoutField> E1Layout() {
    std::vector<LayoutField> v = {
        {"edAACode", 0, 'i'},          {"edAFM", 4, 's', 12},           {"edBigName", 17, 's', 40},
        {"edName", 58, 's', 40},       {"edPhone", 99, 's', 10},        {"edDoy", 151, 's', 30},
        {"edEkprot", 213, 'b'},        {"edFatherName", 214, 's', 15},  {"edTaytNum", 313, 's', 10},
        {"edAdress", 324, 's', 50},    {"edSyzBigName", 375, 's', 25},  {"edSyzName", 401, 's', 15},
        {"edSyzFatherName", 417, 's', 15}, {"edSyzTaytNum", 433, 's', 10}, {"edSyzJobAdr", 480, 's', 50},
        {"edSyzPhone", 531, 's', 15},  {"edEkprosopos", 547, 's', 80},  {"edParoxi", 628, 's', 60},
    };
    Rows(v, 1116, 43, 7, {{"edEnoikioName", 0, 's', 25}, {"ed80", 26, 's', 10}, {"edEnoikioEpif", 37, 'r'}});
    Rows(v, 1503, 289, 3, {{"edPlace", 0, 's', 255}, {"edThesi", 258, 's', 5}});
    v.insert(v.end(), {{"edCompany8aName", 2371, 's', 50}, {"edCompany8aDiax", 2422, 's', 20},
                       {"edCompany8aDOY", 2443, 's', 30}, {"edCompany8bName", 2475, 's', 50},
                       {"edCompName9", 2994 + 86, 's', 25}, {"edCompAFM9", 2994 + 86 + 26, 's', 10},
                       {"edCompEpifania9", 2994 + 86 + 37, 'r'}});
    Rows(v, 3166, 45, 7,
         {{"edCarName", 0, 's', 25}, {"edCarNumber", 26, 's', 10}, {"edCarIppoi", 37, 'h'},
          {"edCarMonths", 39, 'b'}, {"edCarPosost", 40, 'b'}, {"edCarYear", 41, 'h'}, {"cbCarWhich", 43, '*'}});
    auto boat = [&](size_t base, const std::string& n, const char* t0, const char* t1, const char* p1, const char* p2) {
        v.insert(v.end(), {{"edScafosName" + n, base, 's', 40}, {"edScafosLimani" + n, base + 62, 's', 40},
                           {"edScafosCountry" + n, base + 103, 's', 20}, {"edScafosLen" + n, base + 124, 'b'},
                           {t0, base + 130, 'o'}, {t1, base + 131, 'o'}, {"edScafosMonths" + n, base + 134, 'h'},
                           {p1, base + 136, 'b'}, {p2, base + 137, 'b'}});
    };
    boat(3571, "", "cbBoatType0", "cbBoatType1", "edScafosPososto1", "edScafosPososto2");
    v.insert(v.end(), {{"edAeroPlaneName", 3709, 's', 40}, {"edAeroPlaneTipos", 3750, 's', 20},
                       {"edAeroPlaneNum", 3771, 's', 40}, {"edAeroPlaneLimani", 3812, 's', 20},
                       {"edAeroPlaneKoroi", 3834, 'i'}, {"edAeroPlaneMonths", 3843, 'h'},
                       {"edDexamOutMetr", 3847, 'r'}, {"edDexamInMetr", 3853, 'r'}, {"edDexamPosOut", 3859, 'r'},
                       {"edDexamSPosOut", 3865, 'r'}, {"edDexamPosIn", 3871, 'r'}, {"edDexamSPosIn", 3877, 'r'},
                       {"edTrapezaName", 3883, 's', 20}, {"edTrapezaCode", 3904, 's', 3}, {"edIBAN", 3908, 's', 26}});
    Rows(v, 3949, 88, 4,
         {{"edP2Name", 0, 's', 15}, {"edP2Year", 16, 's', 4}, {"edP2School", 21, 's', 15},
          {"edP2BigName", 37, 's', 28}, {"edP2Ypox", 66, 's', 10}, {"edP2Syz", 77, 's', 10}});
    v.insert(v.end(), {{"edSyzAFM", 5534, 's', 12}, {"edCompany8AFM1", 5553, 's', 12},
                       {"edCompany8AFM2", 5566, 's', 12}, {"edCompany8AFM3", 5579, 's', 12},
                       {"edCompany12cAFM", 5592, 's', 12}, {"edEkprosAFM", 5618, 's', 12},
                       {"cbMarried", 5650, 'o'}});
    Rows(v, 6214, 2, 7, {{"edCarMeiwsi", 0, 's', 1}});
    v.push_back({"edDOYTK", 6270, 's', 6});
    Rows(v, 6277, 10, 4, {{"edP2AFM", 0, 's', 9}});
    v.insert(v.end(), {{"cbExairesiF", 6317, 'o'}, {"cbTelos400F", 6318, 'o'}, {"cbExairesiS", 6319, 'o'},
                       {"cbTelos400S", 6320, 'o'}, {"edAMKA", 6659, 's', 15}, {"edSyzAMKA", 6756, 's', 15}});
    boat(6853, "2", "cbBoatType2", "cbBoatType3", "edScafosPososto3", "edScafosPososto4");
    return v;
}

std::vector<LayoutField> E2Layout() {
    std::vector<LayoutField> v = {{"SerialNumber", 0, 'i'},   {"edAFM", 4, 's', 12}, {"edBigName", 17, 's', 40},
                           {"edName", 58, 's', 40},    {"edFatherName", 153, 's', 15}};
    Rows(v, 251, 162, 16,
         {{"edTopos", 0, 's', 30},  {"edPlace", 31, 's', 4},   {"edInUse", 36, 's', 4},   {"edSurfa", 41, 's', 5},
          {"edEName", 47, 's', 23}, {"edAFM", 71, 's', 12},    {"edDate1", 84, 's', 10},  {"edDate2", 95, 's', 10},
          {"edMonths", 106, 'r'},   {"edEnoikio", 112, 'r'},   {"edSinid", 118, 's', 8},  {"edKat", 127, 'r'},
          {"edGr", 133, 'r'},       {"edGi", 139, 'r'},        {"edLi", 145, 'r'},        {"ColumnMarks", 157, 'm'}});
    Rows(v, 2843, 137, 9,
         {{"edPin2Topos", 0, 's', 30}, {"edPin2Place", 31, 's', 4}, {"edPin2InUse", 36, 's', 4},
          {"edPin2Surfa", 41, 's', 4}, {"edPin2SName", 46, 's', 30}, {"edPin2SAFM", 77, 's', 12},
          {"edPin2Addre", 90, 's', 34}, {"edPin2Sinid", 125, 's', 5}, {"edPin2Misto", 131, 'r'}});
    Rows(v, 4076, 82, 4,
         {{"edPin3Topos", 0, 's', 30}, {"edPin3Place", 31, 's', 4}, {"edPin3InUse", 36, 's', 4},
          {"edPin3Surfa", 41, 's', 4}, {"edPin3Title", 46, 's', 35}});
    v.push_back({"sbCalcOff", 4404, 'b'});
    Rows(v, 4405, 6, 4, {{"edTotal", 0, 'r'}});
    Rows(v, 4436, 1, 29, {{"edXrisiID", 0, 'b'}});
    Rows(v, 4465, 1, 29, {{"edThesiID", 0, 'b'}});
    Rows(v, 4660, 16, 29, {{"edParoxesDEH", 0, 's', 15}});
    Rows(v, 5460, 51, 25, {{"edEidosMist", 0, 's', 50}});
    Rows(v, 6990, 21, 16, {{"edArMist", 0, 's', 20}});
    return v;
}

// Real48 bytes of amounts the file format fixes, and their JSON numbers.
struct Amount {
    uint8_t b[6];
    const char* json;
};
const Amount kAmounts[] = {
    {{0x81, 0, 0, 0, 0, 0}, "1"},           {{0x81, 0, 0, 0, 0, 0x80}, "-1"},
    {{0x80, 0, 0, 0, 0, 0}, "0.5"},         {{0x82, 0, 0, 0, 0, 0}, "2"},
    {{0x87, 0, 0, 0, 0, 0x48}, "100"},      {{0x8E, 0, 0, 0, 0x60, 0x6A}, "15000"},
    {{0x8B, 0x1F, 0x85, 0xEB, 0x51, 0x1A}, "1234.56"}, {{0x7A, 0x71, 0x3D, 0x0A, 0xD7, 0x23}, "0.01"},
};

// Fills every field with a value of its own and returns what the dump must
// show for it: `"name": value`.
std::vector<std::string> Fill(std::vector<uint8_t>& rec, const std::vector<LayoutField>& layout) {
    std::vector<std::string> expect;
    for (size_t k = 0; k < layout.size(); ++k) {
        const LayoutField& f = layout[k];
        uint8_t* p = rec.data() + f.offset;
        std::string json;
        switch (f.type) {
            case 's': {
                // "Ωά" (1253 bytes D9 DC) and the name, padded with "~" to the
                // full capacity; a name too long keeps its last characters
                // (the row number); string[1] gets a letter of its own.
                std::string bytes = "\xD9\xDC" + f.name, text = "Ωά" + f.name;
                if (f.cap == 1) {
                    bytes = std::string(1, static_cast<char>(0xC1 + k % 7));  // Α..Η
                    text = std::string("\xCE") + static_cast<char>(0x91 + k % 7);
                } else if (f.name.size() >= f.cap) {
                    bytes = f.name.substr(f.name.size() - f.cap);
                    text = bytes;
                } else {
                    if (bytes.size() > f.cap) {  // room for "Ω" only
                        bytes = "\xD9" + f.name;
                        text = "Ω" + f.name;
                    }
                    text += std::string(f.cap - bytes.size(), '~');
                    bytes += std::string(f.cap - bytes.size(), '~');
                }
                p[0] = static_cast<uint8_t>(bytes.size());
                std::copy(bytes.begin(), bytes.end(), p + 1);
                json = "\"" + text + "\"";
                break;
            }
            case 'b': {
                int v = static_cast<int>((f.offset * 7 + 1) % 256);
                p[0] = static_cast<uint8_t>(v);
                json = std::to_string(v);
                break;
            }
            case 'h': {
                int v = -static_cast<int>(f.offset % 30000) - 1;
                p[0] = static_cast<uint8_t>(v);
                p[1] = static_cast<uint8_t>(v >> 8);
                json = std::to_string(v);
                break;
            }
            case 'i': {
                long v = -static_cast<long>(f.offset) * 100000 - 7;
                for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
                json = std::to_string(v);
                break;
            }
            case 'r': {
                const Amount& a = kAmounts[k % std::size(kAmounts)];
                std::copy(a.b, a.b + 6, p);
                json = a.json;
                break;
            }
            case 'o': p[0] = 1; json = "true"; break;
            case '*': p[0] = 1; p[1] = '*'; json = "\"*\""; break;
            case 'm': {
                std::string list = "[";
                for (size_t i = 0; i < 5; ++i) {
                    p[i] = i == k % 4 ? 1 : 0;
                    list += (i ? "," : "") + std::to_string(p[i]);
                }
                json = list + "]";
                break;
            }
        }
        expect.push_back("\"" + f.name + "\": " + json);
    }
    return expect;
}

class DumpCli : public ToolTest {
protected:
    DumpCli() : ToolTest("kestrana_dump_") {}

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }

    ToolRun Dump(const std::string& args) { return RunTool("dump", args); }
};

// Number of members of the dump's "fields" object (one per line).
size_t FieldCount(const std::string& json) {
    size_t from = json.find("\"fields\": {"), to = json.find("\n  },", from);
    size_t n = 0;
    for (size_t at = json.find("\n    \"", from); at < to; at = json.find("\n    \"", at + 1)) ++n;
    return n;
}

TEST_F(DumpCli, EveryE1FieldRowAndCodeFromAHandBuiltFile) {
    std::vector<uint8_t> rec(6991, 0);
    const auto layout = E1Layout();
    const auto expect = Fill(rec, layout);
    // Code table: entries 1, 2 and 4 and the last; entry 3 empty.
    auto code = [&](int k, int c, const Amount& a) {
        uint8_t* p = rec.data() + 4301 + 8 * k;
        p[0] = static_cast<uint8_t>(c);
        p[1] = static_cast<uint8_t>(c >> 8);
        std::copy(a.b, a.b + 6, p + 2);
    };
    code(0, 301, kAmounts[5]);
    code(1, 327, kAmounts[0]);
    code(3, 93, kAmounts[7]);
    code(149, 999, kAmounts[1]);
    // Row 1 of the table at 2994, which the window leaves empty.
    rec[2994] = 2;
    rec[2995] = 0xC1;
    rec[2996] = 0xC2;

    ToolRun r = Dump("'" + Write("E1094014201.dta", rec) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const auto& e : expect) EXPECT_NE(r.out.find(e), std::string::npos) << e;
    EXPECT_EQ(FieldCount(r.out), layout.size());
    EXPECT_NE(r.out.find("\"kind\": \"E1\""), std::string::npos);
    EXPECT_NE(r.out.find("\"codes\": [[301, 15000], [327, 1], [93, 0.01], [999, -1]]"), std::string::npos);
    // Row objects carry the column names without the row number.
    EXPECT_NE(r.out.find("{\"row\": 2, \"edEnoikioName\": \"Ωάed" "EnoikioName2~~~~~~~~~\""), std::string::npos);
    EXPECT_NE(r.out.find("{\"row\": 1, \"edCompName\": \"ΑΒ\", \"edCompAFM\": \"\", \"edCompEpifania\": 0}"),
              std::string::npos);
}

TEST_F(DumpCli, EveryE2FieldFromAHandBuiltFile) {
    std::vector<uint8_t> rec(7620, 0);
    const auto layout = E2Layout();
    const auto expect = Fill(rec, layout);
    ToolRun r = Dump("'" + Write("E2000000000.dta", rec) + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const auto& e : expect) EXPECT_NE(r.out.find(e), std::string::npos) << e;
    EXPECT_EQ(FieldCount(r.out), layout.size());
    EXPECT_NE(r.out.find("\"kind\": \"E2\""), std::string::npos);
    EXPECT_EQ(r.out.find("\"codes\""), std::string::npos);
}

TEST_F(DumpCli, KindFollowsTheNameThenTheSize) {
    std::vector<uint8_t> e2(7620, 0);
    // An E1 file may be longer than its record: the name decides.
    EXPECT_NE(Dump("'" + Write("E1long.dta", e2) + "'").out.find("\"kind\": \"E1\""), std::string::npos);
    EXPECT_NE(Dump("'" + Write("plain.bin", e2) + "'").out.find("\"kind\": \"E2\""), std::string::npos);
    EXPECT_NE(Dump("--e1 '" + Write("other.bin", e2) + "'").out.find("\"kind\": \"E1\""), std::string::npos);
}

TEST_F(DumpCli, UnreadableInputIsAnErrorWithAMessage) {
    const std::string shortE2 = Write("E2short.dta", std::vector<uint8_t>(6991, 0));
    const std::string odd = Write("notes.txt", std::vector<uint8_t>(100, 'x'));
    struct Case { std::string args, message; } cases[] = {
        {"'" + shortE2 + "'", "shorter than an E2 record (7620)"},
        {"'" + odd + "'", "not an E1 (6991) or E2 (7620) declaration file"},
        {"'" + (dir_ / "missing.dta").string() + "'", "cannot open"},
        {"'" + dir_.string() + "'", "is a folder"},
        {"", "usage"},
    };
    for (const auto& c : cases) {
        ToolRun r = Dump(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_TRUE(r.out.empty()) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    }
}

}  // namespace
}  // namespace kestrana
