// One declaration, three ways in: typed into the E1 window, opened in fast
// entry, computed by kestrana-calc from its file and from its boxes. Every
// way gives the same statement to the cent, in both editions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <regex>

#include "e1/fastentry/tfi_fast_dil.h"
#include "e1/model/e1_document_io.h"
#include "e1/window/tfi_e1.h"
#include "statement/statement_cells.h"
#include "support/test_context.h"
#include "support/tool_test.h"

namespace kestrana {
namespace {

namespace fs = std::filesystem;

// What the user does, box by box: a text typed and the box left, or a tick
// clicked (text null).
struct Step {
    const char* box;
    const char* text = nullptr;
};

struct Declaration {
    const char* name;
    std::vector<Step> steps;
    bool married = false;
    // Everything the clearance needs is in code boxes, so the headless tool
    // can take it as --codes/--tick too (cars, boats and the fee ticks of the
    // special-cases page are not codes).
    bool codesOnly = false;
};

const std::vector<Declaration>& Declarations() {
    static const std::vector<Declaration> table = {
        {"FeeExemptBy017", {{"edP401", "20000"}, {"cbP887"}, {"cbP017"}}, false, true},
        {"BusinessWithFee", {{"edP401", "25000,50"}, {"edP315", "100"}, {"cbP887"}}, false, true},
        {"LargeCity", {{"edP401", "20000"}, {"cbTelos500F"}}},
        {"TouristTownAndMerchantSpouse",
         {{"edP401", "18000"}, {"edP402", "9000"}, {"cbTelos400F"}, {"cbExairesiS"}},
         true},
        {"LuxuryCar",
         {{"edP301", "30000"}, {"edCarIppoi1", "2600"}, {"edCarMonths1", "12"}, {"edCarPosost1", "100"},
          {"edCarYear1", "12"}, {"edCarIppoi2", "2000"}, {"edCarMonths2", "12"}, {"edCarPosost2", "50"},
          {"cbCarWhich2"}, {"edCarYear2", "2015"}},
         true},
        {"Boat",
         {{"edP301", "40000"}, {"edScafosLen", "8"}, {"edScafosMonths", "12"}, {"edScafosPososto1", "100"},
          {"cbBoatType0"}, {"edP961", "2010"}}},
        {"TicksAndAmountCodes",
         {{"edP301", "20000"}, {"edP401", "10000"}, {"edP617", "1"}, {"cbP327"}, {"cbP013"}, {"edP049", "900"}},
         false, true},
        {"PostalCode205AndResidence",
         {{"edP301", "21000"}, {"edP205", "15234"}, {"cbP205"}, {"edP211", "100"}, {"edP213", "100"},
          {"edP215", "12"}, {"edP216", "3000"}},
         false, true},
    };
    return table;
}

void App() {
    static int argc = 1;
    static char arg0[] = "test_entrypaths";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// The 25 rows of the main statement, "taxpayer|spouse" each.
using Rows = std::vector<std::string>;

Rows RowsOf(const EkaCells& cells) {
    Rows rows;
    for (int r = 1; r <= kEkaRows; ++r) rows.push_back(cells.Cell(r, T) + "|" + cells.Cell(r, S));
    return rows;
}

Rows RowsOfJson(const std::string& json) {
    Rows rows;
    static const std::regex row(R"re(\{"row": (\d+), "caption": "[^"]*", "taxpayer": "([^"]*)", "spouse": "([^"]*)"\})re");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), row); it != std::sregex_iterator(); ++it)
        rows.push_back((*it)[2].str() + "|" + (*it)[3].str());
    return rows;
}

class EntryPaths : public ToolTest, public ::testing::WithParamInterface<int> {
protected:
    EntryPaths() : ToolTest("kestrana_paths_") {}
    const Edition& edition() const { return EditionForYear(GetParam()); }

    static void Do(TfiE1& w, const Step& step) {
        QWidget* box = w.Control(step.box);
        ASSERT_NE(box, nullptr) << step.box;
        QWidget* page = box;
        while (page && !qobject_cast<QScrollArea*>(page)) page = page->parentWidget();
        w.Pages()->setCurrentWidget(page);
        if (!step.text) {
            qobject_cast<QCheckBox*>(box)->click();
            return;
        }
        box->setFocus(Qt::TabFocusReason);
        qobject_cast<QLineEdit*>(box)->selectAll();
        QTest::keyClicks(box, step.text);
        // Leaving it, as Tab would: the box's calculator runs.
        for (QLineEdit* other : box->parentWidget()->findChildren<QLineEdit*>())
            if (other != box && other->isVisible() && other->isEnabled()) {
                other->setFocus(Qt::TabFocusReason);
                break;
            }
    }

    static void Type(TfiE1& w, const Declaration& decl) {
        w.resize(1100, 800);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        if (decl.married) w.Check("cbMarried")->click();
        for (const Step& step : decl.steps) Do(w, step);
    }

    // The same boxes as --codes/--tick arguments.
    static std::string CodeArguments(const E1Document& d) {
        std::string codes, ticks;
        for (size_t i = 0; i < d.Size(); ++i) {
            const FormControl& c = d.Control(i);
            if (!c.IsCodeBox()) continue;
            const FieldValue& v = d.Value(i);
            char item[64];
            if (c.IsNumeric() && v.number) {
                std::snprintf(item, sizeof item, "%03d=%.2f", c.code, *v.number);
                codes += (codes.empty() ? "" : ",") + std::string(item);
            } else if (c.kind == ControlKind::Check && v.checked) {
                std::snprintf(item, sizeof item, "%03d", c.code);
                ticks += (ticks.empty() ? "" : ",") + std::string(item);
            }
        }
        std::string args;
        if (!codes.empty()) args += " --codes " + codes;
        if (!ticks.empty()) args += " --tick " + ticks;
        if (d.Checked("cbMarried")) args += " --married";
        return args;
    }
};

TEST_P(EntryPaths, EveryWayInGivesTheSameStatement) {
    App();
    for (const Declaration& decl : Declarations()) {
        SCOPED_TRACE(decl.name);
        TestContext tc(edition(), dir_.string());
        fs::create_directories(dir_ / "Tables");
        const std::string afm = "123456789";

        // 1. Typed into the E1 window, computed there, saved.
        Rows window;
        std::string codeArgs;
        {
            TfiE1 w(tc.context);
            Type(w, decl);
            w.Edit("edAFM")->setText(QString::fromStdString(afm));
            EXPECT_TRUE(tc.dialogs.TextsOf(DialogKind::Error).empty());
            w.RunClearance();
            window = RowsOf(BuildEkaCells(tc.engine, edition()));
            codeArgs = CodeArguments(w.Document());
            tc.dialogs.answers = {true};
            ASSERT_TRUE(w.SaveE1());
            w.SetModified(false);
        }
        ASSERT_EQ(window.size(), 25u);
        EXPECT_NE(window[24], "|");  // something to pay or to get back

        // 2. Opened in fast entry and computed there.
        {
            TfiFastDil fast(tc.context);
            fast.OpenDeclaration(afm);
            ASSERT_TRUE(fast.Compute());
            EXPECT_EQ(RowsOf(BuildEkaCells(tc.engine, edition())), window) << "fast entry";
        }

        // 3. The headless tool on the file, and on the same boxes.
        const std::string year = " --edition " + std::to_string(edition().year) + " --json ";
        const ToolRun fromFile = RunTool("clear", year + "'" + tc.store.FileName(DeclarationKind::E1, afm) + "'");
        ASSERT_EQ(fromFile.status, 0) << fromFile.err;
        EXPECT_EQ(RowsOfJson(fromFile.out), window) << "kestrana-calc from the file";
        if (decl.codesOnly) {
            const ToolRun fromCodes = RunTool("clear", year + codeArgs);
            ASSERT_EQ(fromCodes.status, 0) << codeArgs << "\n" << fromCodes.err;
            EXPECT_EQ(RowsOfJson(fromCodes.out), window) << "kestrana-calc " << codeArgs;
        }
        fs::remove_all(dir_ / "Tables");
    }
}

// The fee and luxury figures are what makes the paths differ when one
// forgets them: the table holds declarations where they are not zero.
TEST_P(EntryPaths, TheTableReachesTheFeeAndLuxuryRows) {
    App();
    TestContext tc(edition(), dir_.string());
    std::map<std::string, Rows> rows;
    for (const Declaration& decl : Declarations()) {
        TfiE1 w(tc.context);
        Type(w, decl);
        w.RunClearance();
        rows[decl.name] = RowsOf(BuildEkaCells(tc.engine, edition()));
        w.SetModified(false);
    }
    EXPECT_EQ(rows["FeeExemptBy017"][22], "|");
    EXPECT_NE(rows["BusinessWithFee"][22], "|");
    EXPECT_NE(rows["LargeCity"][22], "|");
    EXPECT_NE(rows["LargeCity"][22], rows["BusinessWithFee"][22]);
    EXPECT_NE(rows["TouristTownAndMerchantSpouse"][22], "|");
    EXPECT_NE(rows["LuxuryCar"][23], "|");
    EXPECT_NE(rows["Boat"][23], "|");
}

INSTANTIATE_TEST_SUITE_P(Editions, EntryPaths, ::testing::Values(2019, 2018),
                         [](const ::testing::TestParamInfo<int>& p) { return "Edition" + std::to_string(p.param); });

}  // namespace
}  // namespace kestrana
