// The JSON view of a record used by kestrana-calc dump.
#include <gtest/gtest.h>

#include <cmath>

#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/real48.h"
#include "records/record_json.h"

namespace kestrana {
namespace {

TEST(RecordJson, E1FieldsTablesAndCodesInStoredOrder) {
    E1Record r;
    r.SetText("edBigName", "ΠΑΠΑΣ \"Ο\\ΝΕΟΣ\"");
    r.SetBool("cbCarWhich2", true);
    r.SetInt("edCarIppoi2", 1598);
    r.SetReal("edEnoikioEpif1", 85.5);
    r.SetBool("cbMarried", true);
    r.SetCode(0, 327, 1);
    r.SetCode(2, 301, 1234.56);  // an empty entry before it is skipped, the order kept
    r.SetCode(3, 93, 0.01);
    std::string j = RecordToJson(DeclarationKind::E1, r.Bytes());
    EXPECT_NE(j.find("\"kind\": \"E1\""), std::string::npos);
    EXPECT_NE(j.find("\"edBigName\": \"ΠΑΠΑΣ \\\"Ο\\\\ΝΕΟΣ\\\"\""), std::string::npos);
    EXPECT_NE(j.find("\"cbCarWhich2\": \"*\""), std::string::npos);
    EXPECT_NE(j.find("\"cbMarried\": true"), std::string::npos);
    EXPECT_NE(j.find("\"edEnoikioEpif1\": 85.5"), std::string::npos);
    EXPECT_NE(j.find("{\"row\": 2, \"edCarName\": \"\", \"edCarNumber\": \"\", \"edCarIppoi\": 1598"),
              std::string::npos);
    EXPECT_NE(j.find("\"codes\": [[327, 1], [301, 1234.56], [93, 0.01]]"), std::string::npos);
    EXPECT_THROW(RecordToJson(DeclarationKind::E2, r.Bytes()), std::invalid_argument);
}

TEST(RecordJson, E2MarksAndAmountsShortestText) {
    E2Record r;
    r.SetColumnMarks(1, {0, 0, 0, 1, 0});
    r.SetReal("edTotal2", -2703.1);
    std::string j = RecordToJson(DeclarationKind::E2, r.Bytes());
    EXPECT_NE(j.find("\"ColumnMarks1\": [0,0,0,1,0]"), std::string::npos);
    EXPECT_NE(j.find("\"edTotal2\": -2703.1"), std::string::npos);
    EXPECT_EQ(Real48Text(0.010000000000005116), "0.01");
    struct Case { double v; const char* text; } cases[] = {
        {1e20, "1e+20"}, {100, "100"}, {15000, "15000"}, {-1, "-1"}, {1234.56, "1234.56"},
        {DecodeReal48(EncodeReal48(0.33)), "0.33"}, {1e-5, "1e-05"},
        // The largest storable value: a shorter text would round past it.
        {std::ldexp(2.0 - std::ldexp(1.0, -39), 126), "1.701411834603e+38"},
    };
    for (const auto& c : cases) EXPECT_EQ(Real48Text(c.v), c.text) << c.v;
}

}  // namespace
}  // namespace kestrana
