#include "editions/edition.h"

namespace kestrana {

std::string Edition::E1PagePicture(int page) const {
    return "E1P" + std::to_string(page) + "Color" + yy + ".jpg";
}

std::string Edition::E2PagePicture(int page) const {
    return "E2P" + std::to_string(page) + "Color" + yy + ".jpg";
}

static Edition Make2019() {
    Edition e;
    e.year = 2019;
    e.incomeYear = 2018;
    e.yy = "19";
    e.title = "ΚΕΣΤΡΑΝΑ 2019";
    e.caption = "ΚΕΣΤΡΑΝΑ 2019 (ver 2.00)";
    e.versionString = "2019 (ver 2.00)";
    e.autoCheckMarker = "Autocheck19.ini";
    e.newsMarker = "editorial19.ini";
    e.leaflet = "filadio2019.pdf";
    e.serverFolder = "/versions/KESTRA2019/";
    e.updateServer = "https://www.kestrana.gr";
    e.statementFolder = "EKA2019";
    e.statementPdf = "EKA2019/EKA2019.pdf";
    e.oldInstallFolder = "Kestrana2019";
    e.oldInstallProgram = "KESTRANA19.exe";
    e.dateSuffix = "/2018";
    e.incomeYearText = "2018";
    e.formEditionText = "Φ-01.002 / ΕΚΔΟΣΗ 2019";
    return e;
}

static Edition Make2018() {
    Edition e;
    e.year = 2018;
    e.incomeYear = 2017;
    e.yy = "18";
    e.title = "ΚΕΣΤΡΑΝΑ 2018";
    e.caption = "ΚΕΣΤΡΑΝΑ 2018 (ver 6.00)";
    e.versionString = "2018 (ver 6.00)";
    e.autoCheckMarker = "Autocheck18.ini";
    e.newsMarker = "editorial18.ini";
    e.leaflet = "filadio2018.pdf";
    e.serverFolder = "/versions/KESTRA2018/";
    e.updateServer = "https://www.kestrana.gr";
    e.statementFolder = "EKA2017";
    e.statementPdf = "";
    e.oldInstallFolder = "Kestrana2017";
    e.oldInstallProgram = "Kestrana17.exe";
    e.dateSuffix = "/2017";
    e.incomeYearText = "2017";
    e.formEditionText = "Φ-01.002 / ΕΚΔΟΣΗ 2018";
    e.refreshesOlderProgram = true;
    e.form.spouseSeparateDeclarationTick = true;
    e.form.otherSpecialCaseTicks = true;
    e.form.salaryCodes313And345 = true;
    e.form.code145OnPage3 = true;
    e.form.code435Shown = false;
    e.form.code607Shown = false;
    e.form.olderIncomeCategoryLists = true;
    e.e2LastLeaseType = 62;
    e.e2LeaseTypesFrom41Marked = false;
    e.rules.luxuryCarMinYear = 2008;
    e.rules.validationSkipsCode896 = false;
    e.rules.foreignSecuritiesCounted = false;
    e.rules.receiptsAlwaysFarming = true;
    e.rules.jointSplitCounts661 = false;
    e.rules.code435Counted = false;
    e.rules.nonTaxableKindYear = 2017;
    e.rules.code663NeedsTicks = true;
    e.rules.code401Relief = true;
    e.rules.salaryReductionOlderRules = true;
    e.rules.salaryWithheldGrossUp = true;
    e.rules.perPersonCertifiedAmounts = false;
    e.statement.jointTotals = true;
    e.statement.finalCaptionBySign = false;
    e.statement.framedFinals = false;
    e.statement.negativesRed = true;
    e.statement.tallRows15And25 = false;
    e.statement.row15Centred = false;
    e.statement.lineUnderRow14 = false;
    e.statement.oneInstalmentOption = true;
    e.statement.row15Caption = "ΣΥΝΟΛΙΚΑ ΠΟΣΑ";
    e.statement.row19Caption = "ΤΕΛΙΚΟ ΠΟΣΟ ΦΟΡΟΥ";
    return e;
}

const Edition& Edition2019() {
    static const Edition e = Make2019();
    return e;
}

const Edition& Edition2018() {
    static const Edition e = Make2018();
    return e;
}

const Edition& EditionForYear(int year) {
    return year == 2018 ? Edition2018() : Edition2019();
}

}  // namespace kestrana
