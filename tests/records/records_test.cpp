// The E1 and E2 records against layouts built by hand, and their files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "editions/edition.h"
#include "records/cp1253.h"
#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/errors.h"
#include "records/real48.h"
#include "records/record_files.h"

namespace kestrana {
namespace {

namespace fs = std::filesystem;

// Hand-built layout writer: string[N] in cp1253 at an offset, numbers LE.
template <size_t N>
struct Layout {
    std::array<uint8_t, N> b{};
    void Str(size_t off, const std::string& utf8) {
        std::string c = Utf8ToCp1253(utf8);
        b[off] = static_cast<uint8_t>(c.size());
        std::memcpy(&b[off + 1], c.data(), c.size());
    }
    void Le(size_t off, int64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b[off + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    }
    void Real(size_t off, double v) {
        auto r = EncodeReal48(v);
        std::memcpy(&b[off], r.data(), 6);
    }
};

template <class Fields>
void ExpectTableIsSound(const Fields& fields, size_t recordSize) {
    std::set<std::string> names;
    std::vector<int> owner(recordSize, -1);
    for (size_t i = 0; i < fields.size(); ++i) {
        const auto& f = fields[i];
        std::string lower;
        for (char c : f.name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(names.insert(lower).second) << "duplicate " << f.name;
        ASSERT_LE(f.offset + f.Size(), recordSize) << f.name;
        for (size_t k = f.offset; k < f.offset + f.Size(); ++k) {
            EXPECT_EQ(owner[k], -1) << f.name << " overlaps " << fields[static_cast<size_t>(owner[k])].name;
            owner[k] = static_cast<int>(i);
        }
    }
}

TEST(E1Record, FieldTableHasUniqueNamesAndNoOverlaps) {
    ExpectTableIsSound(E1Fields(), E1Record::kSize);
    // Code table area belongs to no named field.
    for (const auto& f : E1Fields())
        EXPECT_TRUE(f.offset + f.Size() <= 4301 || f.offset >= 5501) << f.name;
    EXPECT_EQ(E1Record::Field("EDCARNAME7").offset, 3166u + 6 * 45);
    EXPECT_EQ(E1Record::Field("cbCarWhich3").kind, FieldKind::Star);
    EXPECT_EQ(E1Record::Field("edP2AFM4").offset, 6277u + 30);
    EXPECT_EQ(E1Record::Field("edCarMeiwsi7").offset, 6214u + 12);
    EXPECT_EQ(E1Record::Field("edScafosPososto4").offset, 6853u + 137);
    EXPECT_THROW(E1Record::Field("edNoSuchBox"), std::out_of_range);
}

TEST(E1Record, FieldByFieldEqualsTheLayoutBuiltByHand) {
    E1Record r;
    r.SetInt("edAACode", 123456);
    r.SetText("edAFM", "094014201");
    r.SetText("edBigName", "ΠΑΠΑΔΟΠΟΥΛΟΣ");
    r.SetText("edName", "Γιώργος");
    r.SetText("edDoy", "Α' ΑΘΗΝΩΝ");
    r.SetInt("edEkprot", 3);
    r.SetText("edEnoikioName2", "ΙΔΙΟΚΤΗΤΗΣ");
    r.SetReal("edEnoikioEpif2", 85.5);
    r.SetText("edPlace3", "Οδός Ερμού 5");
    r.SetText("edThesi3", "2ος");
    r.SetText("edCompName9", "ΑΛΛΟΣ");
    r.SetReal("edCompEpifania9", 40);
    r.SetText("edCarNumber2", "ΙΚΑ1234");
    r.SetInt("edCarIppoi2", 1598);
    r.SetInt("edCarMonths2", 12);
    r.SetInt("edCarPosost2", 100);
    r.SetInt("edCarYear2", -2012);
    r.SetBool("cbCarWhich2", true);
    r.SetText("edCarMeiwsi2", "Χ");
    r.SetText("edScafosLimani2", "Πειραιάς");
    r.SetBool("cbBoatType3", true);
    r.SetInt("edScafosMonths2", 7);
    r.SetInt("edScafosPososto4", 50);
    r.SetInt("edAeroPlaneKoroi", 70000);
    r.SetReal("edDexamSPosIn", 12.5);
    r.SetText("edP2Year3", "2010");
    r.SetText("edP2AFM3", "123456789");
    r.SetBool("cbMarried", true);
    r.SetBool("cbTelos400S", true);
    r.SetText("edSyzAMKA", "01017012345");
    r.SetCode(0, 301, 15000);
    r.SetCode(1, 327, 1);

    Layout<6991> h;
    h.Le(0, 123456, 4);
    h.Str(4, "094014201");
    h.Str(17, "ΠΑΠΑΔΟΠΟΥΛΟΣ");
    h.Str(58, "Γιώργος");
    h.Str(151, "Α' ΑΘΗΝΩΝ");
    h.b[213] = 3;
    h.Str(1116 + 43, "ΙΔΙΟΚΤΗΤΗΣ");
    h.Real(1116 + 43 + 37, 85.5);
    h.Str(1503 + 2 * 289, "Οδός Ερμού 5");
    h.Str(1503 + 2 * 289 + 258, "2ος");
    h.Str(2994 + 2 * 43, "ΑΛΛΟΣ");
    h.Real(2994 + 2 * 43 + 37, 40);
    h.Str(3166 + 45 + 26, "ΙΚΑ1234");
    h.Le(3166 + 45 + 37, 1598, 2);
    h.b[3166 + 45 + 39] = 12;
    h.b[3166 + 45 + 40] = 100;
    h.Le(3166 + 45 + 41, -2012, 2);
    h.Str(3166 + 45 + 43, "*");
    h.Str(6214 + 2, "Χ");
    h.Str(6853 + 62, "Πειραιάς");
    h.b[6853 + 131] = 1;
    h.Le(6853 + 134, 7, 2);
    h.b[6853 + 137] = 50;
    h.Le(3834, 70000, 4);
    h.Real(3877, 12.5);
    h.Str(3949 + 2 * 88 + 16, "2010");
    h.Str(6277 + 20, "123456789");
    h.b[5650] = 1;
    h.b[6320] = 1;
    h.Str(6756, "01017012345");
    h.Le(4301, 301, 2);
    h.Real(4303, 15000);
    h.Le(4309, 327, 2);
    const uint8_t tick[6] = {0x81, 0, 0, 0, 0, 0};
    std::memcpy(&h.b[4311], tick, 6);

    for (size_t i = 0; i < 6991; ++i) ASSERT_EQ(r.Bytes()[i], h.b[i]) << "offset " << i;

    EXPECT_EQ(r.GetText("edBigName"), "ΠΑΠΑΔΟΠΟΥΛΟΣ");
    EXPECT_EQ(r.GetInt("edCarYear2"), -2012);
    EXPECT_TRUE(r.GetBool("cbCarWhich2"));
    EXPECT_FALSE(r.GetBool("cbCarWhich1"));
    EXPECT_DOUBLE_EQ(r.GetReal("edEnoikioEpif2"), 85.5);
    EXPECT_EQ(r.RegistrationNumber(), 123456);
    EXPECT_EQ(r.TaxNumber(), "094014201");
}

TEST(E1Record, TextsAreCutToCapacityAndOutOfRangeWritesNothing) {
    E1Record r;
    r.SetText("edBigName", std::string(45, 'A'));
    EXPECT_EQ(r.GetText("edBigName"), std::string(40, 'A'));
    r.SetText("edEnoikioName1", "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΑΒΓΔΕ");  // 30 characters
    EXPECT_EQ(r.GetText("edEnoikioName1"), "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΑ");
    struct Case { const char* field; int64_t bad; } cases[] = {
        {"edEkprot", 256}, {"edEkprot", -1}, {"edCarMonths1", 300}, {"edCarPosost3", -5},
        {"edScafosLen", 256}, {"edScafosPososto3", 1000}, {"edCarIppoi1", 32768},
        {"edCarYear7", -32769}, {"edScafosMonths", 40000}, {"edAeroPlaneMonths", 32768},
        {"edAACode", 2147483648LL},
    };
    for (const auto& c : cases) {
        auto before = r.Bytes();
        EXPECT_THROW(r.SetInt(c.field, c.bad), RangeError) << c.field;
        EXPECT_EQ(r.Bytes(), before) << c.field;
    }
    try {
        r.SetInt("edEkprot", 300);
        ADD_FAILURE() << "300 was taken into a byte";
    } catch (const RangeError& e) {
        EXPECT_STREQ(e.what(), "Range check error: η τιμή 300 δεν χωράει στο πεδίο edEkprot");
    }
    auto before = r.Bytes();
    EXPECT_THROW(r.SetReal("edDexamInMetr", 1e39), FloatOverflowError);
    EXPECT_THROW(r.SetCode(5, 301, 1e39), FloatOverflowError);
    EXPECT_EQ(r.Bytes(), before);
    EXPECT_THROW(r.GetText("edEkprot"), std::invalid_argument);
}

TEST(E1Record, CodeTableKeepsStoredOrderAndSkipsEmptyEntries) {
    E1Record r;
    for (size_t i = 4301; i < 5501; ++i) EXPECT_EQ(r.Bytes()[i], 0);
    r.SetCode(0, 327, 1);
    r.SetCode(2, 93, 0);       // a box showing 0,00 is an entry
    r.SetCode(149, 999, -12.34);
    auto used = r.UsedCodes();
    ASSERT_EQ(used.size(), 3u);
    EXPECT_EQ(used[0], (CodeEntry{327, 1}));
    EXPECT_EQ(used[1], (CodeEntry{93, 0}));
    EXPECT_EQ(used[2].code, 999);
    EXPECT_NEAR(used[2].value, -12.34, 1e-9);
    EXPECT_THROW(r.GetCode(150), std::out_of_range);
    EXPECT_THROW(r.SetCode(-1, 1, 1), std::out_of_range);
    r.ClearCodes();
    EXPECT_TRUE(r.UsedCodes().empty());
}

TEST(E2Record, FieldTableHasUniqueNamesAndNoOverlaps) {
    ExpectTableIsSound(E2Fields(), E2Record::kSize);
    EXPECT_EQ(E2Record::Field("edDate116").offset, 251u + 15 * 162 + 84);  // edDate1, row 16
    EXPECT_EQ(E2Record::Field("edPin2Misto9").offset, 2843u + 8 * 137 + 131);
    EXPECT_EQ(E2Record::Field("edPin3Title4").offset, 4076u + 3 * 82 + 46);
    EXPECT_EQ(E2Record::Field("edParoxesDEH29").offset, 4660u + 28 * 16);
    EXPECT_EQ(E2Record::Field("edEidosMist25").offset, 5460u + 24 * 51);
    EXPECT_EQ(E2Record::Field("edArMist16").offset, 6990u + 15 * 21);
    EXPECT_EQ(E2Record::Field("edTotal4").offset, 4405u + 18);
}

TEST(E2Record, FieldByFieldEqualsTheLayoutBuiltByHand) {
    E2Record r;
    r.SetSerialNumber(7);
    r.SetText("edAFM", "000000000");
    r.SetText("edBigName", "ΚΩΣΤΑΣ");
    r.SetText("edFatherName", "Νίκος");
    r.SetText("edTopos3", "Αθήνα, Πατησίων 10");
    r.SetText("edInUse3", "Σταθμ.Αυτ.Δ.Χ.");
    r.SetText("edAFM3", "123456783");
    r.SetText("edDate13", "01/01");
    r.SetText("edDate23", "31/12");
    r.SetReal("edMonths3", 12);
    r.SetReal("edEnoikio3", 450.5);
    r.SetText("edSinid3", "1/2");
    r.SetReal("edKat3", 2703);
    r.SetColumnMarks(3, LeaseColumnMarks(10, Edition2019()));
    r.SetText("edPin2SName9", "ΔΕΥΤΕΡΟΣ");
    r.SetReal("edPin2Misto9", 100);
    r.SetText("edPin3Title1", "Τίτλος");
    r.SetInt("sbCalcOff", 1);
    r.SetReal("edTotal1", 2703);
    r.SetInt("edXrisiID3", 7);
    r.SetInt("edThesiID29", 52);
    r.SetText("edParoxesDEH17", "1234567890123456789");  // cut to 15
    r.SetText("edEidosMist3", "10");
    r.SetText("edArMist16", "ΑΡ123");

    Layout<7620> h;
    h.Le(0, 7, 4);
    h.Str(4, "000000000");
    h.Str(17, "ΚΩΣΤΑΣ");
    h.Str(153, "Νίκος");
    size_t row3 = 251 + 2 * 162;
    h.Str(row3, "Αθήνα, Πατησίων 10");
    h.Str(row3 + 36, "Σταθ");
    h.Str(row3 + 71, "123456783");
    h.Str(row3 + 84, "01/01");
    h.Str(row3 + 95, "31/12");
    h.Real(row3 + 106, 12);
    h.Real(row3 + 112, 450.5);
    h.Str(row3 + 118, "1/2");
    h.Real(row3 + 127, 2703);
    h.b[row3 + 157] = 1;
    h.Str(2843 + 8 * 137 + 46, "ΔΕΥΤΕΡΟΣ");
    h.Real(2843 + 8 * 137 + 131, 100);
    h.Str(4076 + 46, "Τίτλος");
    h.b[4404] = 1;
    h.Real(4405, 2703);
    h.b[4436 + 2] = 7;
    h.b[4465 + 28] = 52;
    h.Str(4660 + 16 * 16, "123456789012345");
    h.Str(5460 + 2 * 51, "10");
    h.Str(6990 + 15 * 21, "ΑΡ123");
    for (size_t i = 0; i < 7620; ++i) ASSERT_EQ(r.Bytes()[i], h.b[i]) << "offset " << i;

    EXPECT_EQ(r.GetText("edInUse3"), "Σταθ");
    EXPECT_THROW(r.SetInt("edXrisiID1", 256), RangeError);
    ClearE2Record(r);
    EXPECT_EQ(r.Bytes(), (std::array<uint8_t, 7620>{}));
}

TEST(E2Codes, LeaseColumnMarksPerEdition) {
    using M = std::array<uint8_t, 5>;
    const M none{}, c1{1, 0, 0, 0, 0}, c2{0, 1, 0, 0, 0}, c3{0, 0, 1, 0, 0}, c4{0, 0, 0, 1, 0};
    struct Case { int t; M y2019, y2018; } cases[] = {
        {0, none, none},  {1, c1, c1},  {10, c1, c1}, {12, c1, c1}, {13, c2, c2}, {22, c2, c2},
        {23, c1, c1},     {25, c1, c1}, {26, c2, c2}, {27, c3, c3}, {36, c3, c3}, {37, c1, c1},
        {38, c2, c2},     {39, none, none}, {40, none, none}, {41, c4, none}, {42, c1, none},
        {60, c1, none},   {63, c1, none}, {64, none, none}, {-1, none, none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeaseColumnMarks(c.t, Edition2019()), c.y2019) << c.t;
        EXPECT_EQ(LeaseColumnMarks(c.t, Edition2018()), c.y2018) << c.t;
    }
}

TEST(E2Codes, UsePositionAndLeaseTexts) {
    EXPECT_EQ(UseDisplayText(0), "");
    EXPECT_EQ(UseDisplayText(2), "Μονοκατοκία");
    EXPECT_EQ(UseDisplayText(7), "Σταθμ.Αυτ.Δ.Χ.");
    EXPECT_EQ(UseShortText(13), "Αγρός");
    EXPECT_EQ(UsePickerText(0), "ΧΩΡΙΣ ΧΡΗΣΗ");
    EXPECT_EQ(UseDisplayText(15), "");
    struct Pos { int code; const char* text; const char* picker; } pos[] = {
        {0, "", "ΧΩΡΙΣ ΘΕΣΗ"}, {1, "Υπ.", "Υπ."}, {2, "0", "Ισογ."}, {3, "1", "1"},
        {14, "12", "12"}, {52, "50", "50"}, {53, "", ""},
    };
    for (const auto& p : pos) {
        EXPECT_EQ(PositionText(p.code), p.text) << p.code;
        EXPECT_EQ(PositionPickerText(p.code), p.picker) << p.code;
    }
    const auto& l19 = LeasePickerTexts(Edition2019());
    const auto& l18 = LeasePickerTexts(Edition2018());
    ASSERT_EQ(l19.size(), 64u);
    ASSERT_EQ(l18.size(), 63u);
    EXPECT_EQ(l19[0], "ΧΩΡΙΣ ΕΙΔΟΣ ΜΙΣΘΩΣΗΣ");
    EXPECT_EQ(l19[45], "45.Εισπραχθέντα εισοδήματα πρ. έτους από εκμίσθωση εκπ/κών ιδρυμάτων Ε1 (105");
    EXPECT_EQ(l19[63], "63.Εκμίσθωση κατοικίας που υπεκμισθώνεται για βραχυχρόνια μίσθωση μέσω ψηφ. πλατφ.  Ε1 (105)");
    EXPECT_EQ(l18[59], l19[59]);
    EXPECT_EQ(l18[62], "62.Εκμίσθωση κατοικίας που υπεκμισθώνεται");
    for (size_t i = 1; i < l19.size(); ++i)
        EXPECT_EQ(l19[i].rfind(std::to_string(i) + ".", 0), 0u) << i;
}

class RecordFiles : public ::testing::Test {
protected:
    void SetUp() override {
        base = (fs::temp_directory_path() / ("kestrana_records_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                   .string();
        fs::remove_all(base);
        fs::create_directories(base + "/Tables");
    }
    void TearDown() override { fs::remove_all(base); }
    void WriteRaw(const std::string& path, size_t size, uint8_t fill) {
        std::ofstream(path, std::ios::binary) << std::string(size, static_cast<char>(fill));
    }
    std::string base;
};

TEST_F(RecordFiles, NamesAndSafeTaxNumbers) {
    EXPECT_EQ(E1FileName("000000000"), "Tables/E1000000000.dta");
    EXPECT_EQ(E1FileName(""), "Tables/E1.dta");
    EXPECT_EQ(E2FileName("123", "/x"), "/x/Tables/E2123.dta");
    for (const char* bad : {"../../etc", "12/34", "a\\b", "..", "12\n3"})
        EXPECT_FALSE(TaxNumberIsSafeForFileName(bad)) << bad;
    EXPECT_FALSE(TaxNumberIsSafeForFileName(std::string("1\0002", 3)));
    for (const char* good : {"", "000000000", "EL094014201", "A.B"})
        EXPECT_TRUE(TaxNumberIsSafeForFileName(good)) << good;
}

TEST_F(RecordFiles, WriteThenReadRoundTripsEveryByte) {
    E1Record r;
    for (size_t i = 0; i < r.kSize; ++i) r.Data()[i] = static_cast<uint8_t>(i * 7 + 3);
    r.SetText("edAFM", "094014201");
    EXPECT_EQ(WriteE1File(r, base), base + "/Tables/E1094014201.dta");
    EXPECT_EQ(fs::file_size(base + "/Tables/E1094014201.dta"), 6991u);
    E1Record back;
    EXPECT_EQ(ReadE1File("094014201", back, base), ReadResult::Read);
    EXPECT_EQ(back.Bytes(), r.Bytes());

    E2Record e2;
    e2.SetText("edAFM", "");
    WriteE2File(e2, base);
    EXPECT_TRUE(E2FileExists("", base));
    EXPECT_FALSE(E1FileExists("", base));
    EXPECT_EQ(fs::file_size(base + "/Tables/E2.dta"), 7620u);
}

TEST_F(RecordFiles, LongerFileReadsOnlyTheRecord) {
    WriteRaw(base + "/Tables/E1X.dta", 8000, 0x41);
    E1Record r;
    EXPECT_EQ(ReadE1File("X", r, base), ReadResult::Read);
    EXPECT_EQ(r.Bytes()[6990], 0x41);
}

TEST_F(RecordFiles, MissingShortAndUnsafeLeaveTheRecordUnchanged) {
    E1Record r;
    r.SetText("edBigName", "ΚΡΑΤΑΩ");
    auto before = r.Bytes();
    EXPECT_EQ(ReadE1File("111111111", r, base), ReadResult::NotFound);
    EXPECT_EQ(ReadE1File("111111111", r, base + "/nowhere"), ReadResult::NotFound);
    WriteRaw(base + "/Tables/E1222.dta", 6990, 0xFF);
    EXPECT_THROW(ReadE1File("222", r, base), IoError);
    fs::create_directory(base + "/Tables/E1333.dta");
    EXPECT_THROW(ReadE1File("333", r, base), IoError);
    EXPECT_THROW(ReadE1File("../../x", r, base), IoError);
    E2Record e2;
    WriteRaw(base + "/Tables/E2222.dta", 7619, 0xFF);
    EXPECT_THROW(ReadE2File("222", e2, base), IoError);
    EXPECT_EQ(r.Bytes(), before);
    EXPECT_EQ(e2.Bytes(), (std::array<uint8_t, 7620>{}));
}

TEST_F(RecordFiles, UnsafeTaxNumberIsNeverAFileName) {
    E1Record r;
    r.SetText("edAFM", "../../evil");
    try {
        WriteE1File(r, base);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.Reason(), kUnsafeTaxNumberMessage);
    }
    EXPECT_FALSE(fs::exists(base + "/evil.dta"));
}

TEST_F(RecordFiles, FailedAtomicWriteKeepsTheOldFileAndLeavesNoTemporary) {
    std::string path = base + "/Tables/E1old.dta";
    WriteRaw(path, 10, 'x');
    std::vector<uint8_t> data(6991, 1);
    WriteFileAtomically(path, data);
    EXPECT_EQ(fs::file_size(path), 6991u);

    // Target is a folder: the rename fails after the temporary was written.
    fs::create_directory(base + "/Tables/E1dir.dta");
    fs::path inner = base + "/Tables/E1dir.dta/keep";
    WriteRaw(inner.string(), 3, 'k');
    EXPECT_THROW(WriteFileAtomically(base + "/Tables/E1dir.dta", data), IoError);
    EXPECT_TRUE(fs::exists(inner));
    // Missing folder: the temporary cannot be created.
    EXPECT_THROW(WriteFileAtomically(base + "/missing/E1.dta", data), IoError);

    size_t entries = 0;
    for (const auto& e : fs::directory_iterator(base + "/Tables")) {
        ++entries;
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
        EXPECT_EQ(e.path().filename().string().find("kestrana-save"), std::string::npos) << e.path();
    }
    EXPECT_EQ(entries, 2u);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(in.get(), 1);
}

}  // namespace
}  // namespace kestrana
