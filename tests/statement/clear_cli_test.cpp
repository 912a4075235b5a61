// kestrana-calc clear, run as a program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "records/e1_record.h"
#include "records/record_files.h"
#include "support/tool_test.h"

namespace kestrana {
namespace {

namespace fs = std::filesystem;

class ClearCli : public ToolTest {
protected:
    ClearCli() : ToolTest("kestrana_clear_") {}

    ToolRun Clear(const std::string& args) { return RunTool("clear", args); }

    // A declaration of the single-person salary run, written as the program does.
    void WriteSalaryDeclaration(const std::string& afm, const std::string& surname) {
        E1Record r;
        r.SetText("edAFM", afm);
        r.SetText("edBigName", surname);
        r.SetText("edName", "ΝΙΚΟΣ");
        r.SetCode(0, 301, 20000);
        r.SetCode(1, 49, 2500);
        r.SetCode(2, 315, 3000);
        WriteE1File(r, dir_.string());
    }
};

TEST_F(ClearCli, BadInputIsRefusedWithStatus2AndNothingComputed) {
    const char* const cases[] = {
        "--codes 301=abc",          // not a number
        "--codes 1001=5",           // above 1000
        "--codes 5000=5",
        "--codes 999=5",            // not a code of the form
        "--codes 0=5",
        "--codes 301",              // no value
        "--codes 301=1e5",          // only plain decimals
        "--codes 301=,049=1",
        "--codes 301=1,301=2",      // the same code twice
        "--codes x01=3",
        "--tick 32a",
        "--codes 301=1 --late-months -1",
        "--edition 2020 --codes 301=1",
        "--bogus",
        "",                         // nothing to compute
        "--married",                // flags need codes
        "some.dta --codes 301=1",   // two sources
        "--one-instalment --codes 301=1",  // edition 2019 has no such box
    };
    for (const char* args : cases) {
        const ToolRun r = Clear(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("kestrana-calc clear: "), std::string::npos) << args;
    }
    EXPECT_NE(Clear("--codes 1001=5").err.find("above 1000"), std::string::npos);
    EXPECT_NE(Clear("--codes 999=5").err.find("unknown code 999"), std::string::npos);
}

TEST_F(ClearCli, JsonOfTheSalaryRun) {
    const ToolRun r = Clear("--codes 301=20000,049=2500,315=3000 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* key : {"\"edition\": 2019", "\"NothingDeclared\": false", "\"SalaryIncome\": [20000, 0]",
                            "\"ScaleTax\": [4400, 0]", "\"TaxDue\": [2500, 0]", "\"MainTaxCredit\": [500, 0]",
                            "\"SolidarityContribution\": [176, 0]", "\"FinalBalance\": -324",
                            "\"TaxReductionKinds\": [[1900, 0,", "\"EkaCells\": {",
                            "{\"row\": 25, \"caption\": \" ΤΕΛΙΚΗ ΕΠΙΣΤΡΟΦΗ (Υ) \", \"taxpayer\": \"-324,00\", "
                            "\"spouse\": \"\"}",
                            "\"requiredReceipts\": null"})
        EXPECT_NE(r.out.find(key), std::string::npos) << key;

    const ToolRun r18 = Clear("--edition 2018 --codes 301=20000,049=2500,315=3000 --json");
    ASSERT_EQ(r18.status, 0) << r18.err;
    EXPECT_NE(r18.out.find("\"edition\": 2018"), std::string::npos);
    EXPECT_NE(r18.out.find("{\"row\": 25, \"caption\": \"ΤΕΛΙΚΟ ΠΟΣΟ ΠΛΗΡΩΜΗΣ\""), std::string::npos);

    const ToolRun once = Clear("--edition 2018 --one-instalment --married --codes 301=30000,302=15000 --json");
    ASSERT_EQ(once.status, 0) << once.err;
    const ToolRun twice = Clear("--edition 2018 --married --codes 301=30000,302=15000 --json");
    const auto row19 = [](const std::string& json) { return json.substr(json.find("{\"row\": 19"), 80); };
    EXPECT_NE(row19(once.out), row19(twice.out));

    const ToolRun none = Clear("--codes 001=1 --json");  // code 1 alone declares nothing
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_NE(none.out.find("\"NothingDeclared\": true"), std::string::npos);
    EXPECT_NE(none.out.find("\"breakdownsEnabled\": false"), std::string::npos);
}

TEST_F(ClearCli, TicksFlagsAndTextLayout) {
    const ToolRun r = Clear("--codes 301=20000,049=1000 --tick 327 --married --late-months 2 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"Married\": true"), std::string::npos);
    EXPECT_NE(r.out.find("\"LateMonths\": 2"), std::string::npos);
    EXPECT_NE(r.out.find("\"PrepaymentHalved\": [1, 0]"), std::string::npos);

    const ToolRun text = Clear("--codes 301=20000,049=1000,315=3000");
    ASSERT_EQ(text.status, 0) << text.err;
    // Receipts short by 1500: the surcharge row and the required-receipts line.
    EXPECT_NE(text.out.find("ΕΠΙΒΑΡΥΝΣΗ ΛΟΓΩ ΑΠΟΔΕΙΞΕΩΝ (+)"), std::string::npos);
    EXPECT_NE(text.out.find("330,00"), std::string::npos);
    EXPECT_NE(text.out.find("Απαιτούμενο Ποσό Αποδείξεων (κωδ. 049+050): 2.500,00"), std::string::npos);
    EXPECT_NE(text.out.find("ΤΟΥ ΥΠΟΧΡΕΟΥ"), std::string::npos);
    EXPECT_NE(text.out.find("[ΣΥΜΒΕΒΑΙΟΥΜΕΝΑ ΠΟΣΑ]"), std::string::npos);

    // As in the window: captions right-aligned, the hidden row 20 leaves its
    // line between the partial amount and the contributions.
    const std::string rule(72, '-');
    EXPECT_NE(text.out.find("ΜΕΡΙΚΟ ΠΟΣΟ ΦΟΡΟΥ         -170,00\n" + rule + "\n              ΕΙΣΟΔΗΜΑ ΕΠΙΒΟΛΗΣ ΕΙΣΦΟΡΑΣ"),
              std::string::npos)
        << text.out;
    // Leading zeros of a code are only zeros.
    EXPECT_EQ(Clear("--codes 0000301=20000,049=1000,315=3000").out, text.out);
}

TEST_F(ClearCli, DeclarationFileAndFolder) {
    WriteSalaryDeclaration("123456783", "ΠΑΠΑΔΟΠΟΥΛΟΣ");
    WriteSalaryDeclaration("000000000", "ΑΛΦΑ, ΒΗΤΑ");
    const fs::path tables = dir_ / "Tables";
    std::ofstream(tables / "E1broken.dta") << "short";

    const ToolRun one = Clear("'" + (tables / "E1123456783.dta").string() + "'");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_NE(one.out.find("Α.Φ.Μ. : 123456783"), std::string::npos);
    EXPECT_NE(one.out.find("ΠΑΠΑΔΟΠΟΥΛΟΣ ΝΙΚΟΣ"), std::string::npos);
    EXPECT_NE(one.out.find("-324,00"), std::string::npos);

    const ToolRun all = Clear("--all '" + tables.string() + "'");
    EXPECT_EQ(all.status, 1);  // one file left out
    EXPECT_EQ(all.out,
              "AFM,Surname,FirstName,FinalTaxpayer,FinalSpouse,FinalBalance\n"
              "000000000,\"ΑΛΦΑ, ΒΗΤΑ\",ΝΙΚΟΣ,-324.00,0.00,-324.00\n"
              "123456783,ΠΑΠΑΔΟΠΟΥΛΟΣ,ΝΙΚΟΣ,-324.00,0.00,-324.00\n");
    EXPECT_NE(all.err.find("E1broken.dta"), std::string::npos);

    // Each readable file by its own name: a copy under another name and a
    // second file of the same tax number both get their line.
    fs::copy_file(tables / "E1123456783.dta", tables / "E1123456783 copy.dta");
    fs::rename(tables / "E1000000000.dta", tables / "oldE1.dta");
    const ToolRun renamed = Clear("--all '" + tables.string() + "'");
    EXPECT_EQ(renamed.out,
              "AFM,Surname,FirstName,FinalTaxpayer,FinalSpouse,FinalBalance\n"
              "000000000,\"ΑΛΦΑ, ΒΗΤΑ\",ΝΙΚΟΣ,-324.00,0.00,-324.00\n"
              "123456783,ΠΑΠΑΔΟΠΟΥΛΟΣ,ΝΙΚΟΣ,-324.00,0.00,-324.00\n"
              "123456783,ΠΑΠΑΔΟΠΟΥΛΟΣ,ΝΙΚΟΣ,-324.00,0.00,-324.00\n");
    EXPECT_EQ(renamed.err.find("oldE1.dta"), std::string::npos) << renamed.err;

    const ToolRun noFolder = Clear("--all '" + (dir_ / "nothere").string() + "'");
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_EQ(noFolder.out, "");

    const ToolRun missing = Clear("'" + (dir_ / "nothere.dta").string() + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("nothere.dta"), std::string::npos);
}

}  // namespace
}  // namespace kestrana
