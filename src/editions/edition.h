#pragma once
// Year-bound constants of the two editions. Libraries take `const Edition&`;
// each program entry picks its edition at build time, tests use both.
#include <string>

namespace kestrana {

// Places where the tax computation differs between the income years. The
// engine reads these instead of testing the year itself.
struct EngineRules {
    int luxuryCarMinYear = 2009;          // cars registered before this add no luxury base
    bool validationSkipsCode896 = true;   // 2018 edition scans code 896 too
    bool foreignSecuritiesCounted = true; // 2018 edition sets ForeignSecurities to 0
    bool receiptsAlwaysFarming = false;   // 2018 edition: receipts base always has farming terms
    // Joint presumption split: shares include codes 661/662 (2018 edition: income alone).
    bool jointSplitCounts661 = true;
    // Codes 435/436 count in the presumption coverage and the solidarity income figure.
    bool code435Counted = true;
    // Income year whose kind lists classify the amounts of codes 659/619/657/617.
    int nonTaxableKindYear = 2018;
    // 2018 edition: code 663 is allowed only with tick box 033/035, at most 20 %
    // of the cap base, times 0.4 (033) or 0.2 (035).
    bool code663NeedsTicks = false;
    // 2018 edition: tick box 025/026 lowers the final taxable income by 20 % of code 401/402.
    bool code401Relief = false;
    // Salary tax reduction: 2018 edition compares farming unclamped, needs a positive
    // base, limits by the scale tax, and keeps it on salary without income.
    bool salaryReductionOlderRules = false;
    // 2018 edition: salary withholding grossed up by 1.5 % with its own principal-tax rule.
    bool salaryWithheldGrossUp = false;
    // 2018 edition computes PrepaidAmounts and OtherCertifiedAmounts only as joint totals.
    bool perPersonCertifiedAmounts = true;
};

// How the clearance statement lays out its totals (2018 edition: one joint
// column for rows 16-19 and 25, fixed final caption, red instead of framed).
struct StatementRules {
    bool jointTotals = false;          // rows 16-19 and 25 joint, in the taxpayer column
    bool finalCaptionBySign = true;    // row 25 caption says payment/refund per person
    bool framedFinals = true;          // rows 19 and 25 in a green/red frame
    bool negativesRed = false;         // rows 10, 11, 13 (and 14, 16, 19 when negative) red
    bool tallRows15And25 = true;       // rows 15 and 25 double height like 7 and 19
    bool row15Centred = true;          // row 15 centred across its cell
    bool lineUnderRow14 = true;
    bool oneInstalmentOption = false;  // cbOneDosi: 1.5 % off row 19 for one instalment
    std::string row15Caption = "ΣΥΓΚΕΝΤΡΩΤΙΚΑ ΠΟΣΑ";
    std::string row19Caption = "ΜΕΡΙΚΟ ΠΟΣΟ ΦΟΡΟΥ";
};

// Where the E1 form of the income year differs (2018 edition: the form of
// income year 2017).
struct FormRules {
    bool spouseSeparateDeclarationTick = false;  // tick box 026 beside 025
    bool otherSpecialCaseTicks = false;          // tick boxes 033-036 on page 1
    bool salaryCodes313And345 = false;           // amount boxes 313/314 and 345/346
    bool code145OnPage3 = false;                 // 145/146 among the rents of page 3, not page 2
    bool code435Shown = true;                    // amount boxes 435/436
    bool code607Shown = true;                    // amount boxes 607/608
    // The income-category lists of the older form: exempt income in its own
    // words, separate salary lists for 617/618 and 619/620.
    bool olderIncomeCategoryLists = false;
};

struct Edition {
    int year = 2019;            // edition (ΚΕΣΤΡΑΝΑ 2019)
    int incomeYear = 2018;      // income year the declarations are about
    std::string yy;             // "19": suffix of year-bound file names
    std::string title;          // application title, "ΚΕΣΤΡΑΝΑ 2019"
    std::string caption;        // main window caption, "ΚΕΣΤΡΑΝΑ 2019 (ver 2.00)"
    std::string versionString;  // own version for the update check, "2019 (ver 2.00)"
    std::string autoCheckMarker;   // "Autocheck19.ini"
    std::string newsMarker;        // "editorial19.ini"
    std::string leaflet;           // "filadio2019.pdf"
    std::string serverFolder;      // "/versions/KESTRA2019/"
    // Base address of the maker's update server. Only https: the installer it
    // serves is started, so it must come from the maker and nobody between.
    // Built in; tests point their own client at a server of their own.
    std::string updateServer;      // "https://www.kestrana.gr"
    std::string statementFolder;   // "EKA2019"
    std::string statementPdf;      // "EKA2019/EKA2019.pdf"; edition 2018 names the PDF after the tax number (empty here)
    std::string oldInstallFolder;  // "Kestrana2019": earlier install copied from at start-up
    std::string oldInstallProgram; // "KESTRANA19.exe"
    std::string dateSuffix;        // "/2018": appended to E2 lease dates
    std::string incomeYearText;    // "2018"
    std::string formEditionText;   // "Φ-01.002 / ΕΚΔΟΣΗ 2019"
    // At start-up: false copies the declarations of an earlier install once;
    // true (2018 edition) refreshes the older program in its own folder instead.
    bool refreshesOlderProgram = false;
    // E2 lease types: the picker lists 0..e2LastLeaseType (2018 edition: 62, and
    // types 41 and above feed no amount column).
    int e2LastLeaseType = 63;
    bool e2LeaseTypesFrom41Marked = true;
    FormRules form;
    EngineRules rules;
    StatementRules statement;

    // Page picture of E1 page 1..4 inside WParams: "E1P1Color19.jpg".
    std::string E1PagePicture(int page) const;
    // Page picture of E2 page 1..2 inside WParams: "E2P1Color19.jpg".
    std::string E2PagePicture(int page) const;
};

const Edition& Edition2019();
const Edition& Edition2018();
// By edition year (2018 or 2019); anything else gives edition 2019.
const Edition& EditionForYear(int year);

}  // namespace kestrana
