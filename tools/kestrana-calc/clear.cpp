// kestrana-calc clear: the clearance of one declaration without the windows.
//
//   kestrana-calc clear [--edition 2018|2019] [--json] FILE.dta
//   kestrana-calc clear [--edition 2018|2019] [--json] --codes 301=20000,049=2500
//                       [--tick 327,...] [--married] [--late-months N]
//   kestrana-calc clear [--edition 2018|2019] --all DIR
//   --one-instalment (edition 2018): the statement's cbOneDosi ticked
//
// --codes and --tick fill the boxes of an E1 document as typed in the E1
// window, --married and --late-months their boxes; a file is read as the
// window opens it. Either way the clearance goes through the document's
// intake, as the window's does. Codes must exist on the edition's E1 form.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "e1/model/e1_document.h"
#include "e1/model/e1_document_io.h"
#include "e1/model/form_model.h"
#include "editions/edition.h"
#include "engine/engine_state.h"
#include "engine/intake.h"
#include "records/amount_text.h"
#include "records/declaration_kind.h"
#include "records/e1_record.h"
#include "records/errors.h"
#include "records/record_files.h"
#include "records/record_json.h"
#include "statement/statement_cells.h"
#include "verbs.h"

namespace kestrana {
namespace {

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: kestrana-calc clear [--edition 2018|2019] [--json] FILE.dta\n"
    "       kestrana-calc clear [--edition 2018|2019] [--json] --codes CODE=VALUE,...\n"
    "                           [--tick CODE,...] [--married] [--late-months N]\n"
    "       kestrana-calc clear [--edition 2018|2019] --all DIR\n"
    "       --one-instalment (edition 2018): row 19 as paid in one instalment\n";

struct UsageError {
    std::string message;
};

struct Options {
    const Edition* edition = &Edition2019();
    bool json = false;
    std::string file;
    std::string allDir;
    bool haveCodes = false;
    std::vector<std::pair<int, double>> codes;
    std::vector<int> ticks;
    bool married = false;
    bool oneInstalment = false;
    bool haveLateMonths = false;
    int lateMonths = 0;
};

std::vector<std::string_view> SplitList(std::string_view list) {
    std::vector<std::string_view> items;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        items.push_back(list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return items;
}

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// A code number as typed ("049", "301"): digits only, 1..1000, on the form.
int ParseCode(std::string_view text, const Edition& edition) {
    if (!AllDigits(text)) throw UsageError{"not a code number: '" + std::string(text) + "'"};
    std::string_view digits = text;
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);  // "0049" is 49
    if (digits.size() > 4 || std::stoi(std::string(digits)) > 1000)
        throw UsageError{"code " + std::string(text) + " is above 1000"};
    const int code = std::stoi(std::string(digits));
    if (code == 0 || E1FormModel(edition).FindCode(code).empty())
        throw UsageError{"unknown code " + std::string(text) + " (not on the E1 form of edition " +
                         std::to_string(edition.year) + ")"};
    return code;
}

// The code's box on the form is a whole-number box (a count, a month, a year).
bool TakesWholeNumber(int code, const Edition& edition) {
    for (const FormControl* c : E1FormModel(edition).FindCode(code))
        if (c->kind == ControlKind::Int) return true;
    return false;
}

// A plain decimal number with "." before the decimals: "20000", "-12.5".
double ParseValue(std::string_view text, std::string_view code) {
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '-') digits.remove_prefix(1);
    const size_t dot = digits.find('.');
    const bool wellFormed = dot == std::string_view::npos
                                ? AllDigits(digits)
                                : AllDigits(digits.substr(0, dot)) && AllDigits(digits.substr(dot + 1));
    double value = 0;
    if (wellFormed) {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) value = NAN;
    }
    if (!wellFormed || !std::isfinite(value))
        throw UsageError{"not a number for code " + std::string(code) + ": '" + std::string(text) + "'"};
    return value;
}

Options ParseOptions(int argc, char** argv) {
    Options o;
    std::vector<std::string> codeLists, tickLists;
    auto needValue = [&](int& i) -> std::string {
        if (i + 1 >= argc) throw UsageError{std::string(argv[i]) + " needs a value"};
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--edition") {
            const std::string year = needValue(i);
            if (year == "2019") o.edition = &Edition2019();
            else if (year == "2018") o.edition = &Edition2018();
            else throw UsageError{"unknown edition '" + year + "' (2018 or 2019)"};
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--all") {
            if (!o.allDir.empty()) throw UsageError{"--all given twice"};
            o.allDir = needValue(i);
            if (o.allDir.empty()) throw UsageError{"--all needs a folder"};
        } else if (arg == "--codes") {
            o.haveCodes = true;
            codeLists.push_back(needValue(i));
        } else if (arg == "--tick") {
            o.haveCodes = true;
            tickLists.push_back(needValue(i));
        } else if (arg == "--one-instalment") {
            o.oneInstalment = true;
        } else if (arg == "--married") {
            o.married = true;
        } else if (arg == "--late-months") {
            const std::string n = needValue(i);
            if (!AllDigits(n) || n.size() > 3 || std::stoi(n) > 255)
                throw UsageError{"--late-months needs a whole number from 0 to 255, not '" + n + "'"};
            o.lateMonths = std::stoi(n);
            o.haveLateMonths = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else {
            if (!o.file.empty()) throw UsageError{"more than one declaration file given"};
            o.file = arg;
        }
    }

    const int sources = !o.file.empty() + o.haveCodes + !o.allDir.empty();
    if (sources == 0) throw UsageError{"give a declaration file, --codes/--tick or --all"};
    if (sources > 1) throw UsageError{"give only one of a declaration file, --codes/--tick and --all"};
    if (!o.haveCodes && (o.married || o.haveLateMonths))
        throw UsageError{"--married and --late-months go with --codes or --tick"};
    if (!o.allDir.empty() && o.json) throw UsageError{"--all writes CSV; --json does not apply"};
    if (o.oneInstalment && !o.edition->statement.oneInstalmentOption)
        throw UsageError{"--one-instalment is not offered by edition " + std::to_string(o.edition->year)};
    if (o.oneInstalment && !o.allDir.empty()) throw UsageError{"--one-instalment changes the statement only"};

    // A code may have a value and a tick (205: the postal code and its box),
    // but not two values or two ticks.
    std::map<int, std::string> seenValues, seenTicks;  // code -> how it was given
    auto remember = [](std::map<int, std::string>& seen, int code, std::string_view item) {
        if (!seen.emplace(code, std::string(item)).second)
            throw UsageError{"code " + std::to_string(code) + " given twice ('" + seen[code] + "', '" +
                             std::string(item) + "')"};
    };
    for (const std::string& list : codeLists) {
        for (std::string_view item : SplitList(list)) {
            const size_t eq = item.find('=');
            if (eq == std::string_view::npos)
                throw UsageError{"expected CODE=VALUE, not '" + std::string(item) + "'"};
            const std::string_view codeText = item.substr(0, eq);
            const int code = ParseCode(codeText, *o.edition);
            const double value = ParseValue(item.substr(eq + 1), codeText);
            if (TakesWholeNumber(code, *o.edition) && value != std::floor(value))
                throw UsageError{"code " + std::string(codeText) + " takes a whole number, not '" +
                                 std::string(item.substr(eq + 1)) + "'"};
            remember(seenValues, code, item);
            o.codes.emplace_back(code, value);
        }
    }
    for (const std::string& list : tickLists) {
        for (std::string_view item : SplitList(list)) {
            const int code = ParseCode(item, *o.edition);
            remember(seenTicks, code, item);
            o.ticks.push_back(code);
        }
    }
    return o;
}

// Name and address shown above the statement (from a declaration file).
struct Heading {
    std::string taxNumber, surname, firstName, address;
};

// The declaration the options describe, as the E1 window would hold it
// after typing: --codes into the code's amount or whole-number box (its tick
// box when it has no other), --tick into its tick box (an amount box without
// one shows 1,00, as a stored tick does), --married and --late-months into
// their boxes.
void FillFromCodes(const Options& o, E1Document& doc) {
    for (const auto& [code, value] : o.codes) {
        if (const int box = doc.NumericBox(code); box >= 0) doc.SetNumber(box, value);
        else if (const int tick = doc.TickBox(code); tick >= 0) doc.SetChecked(tick, value != 0);
    }
    for (int code : o.ticks) LoadCodeEntry(doc, {static_cast<int16_t>(code), 1.0}, false);
    // The hidden 093/095 carry the large-city ticks, as in a stored file.
    FollowLargeCityCodes(doc);
    doc.SetChecked("cbMarried", o.married);
    if (o.haveLateMonths) doc.SetNumber("edEkprot", o.lateMonths);
}

// The clearance of a declaration, through the same intake as the window.
void Clear(const E1Document& doc, const Edition& edition, EngineState& st) {
    st = EngineState{};
    PrepareFromE1(st, IntakeOf(doc), edition);
    ComputeClearance(st, edition);
}

// Reads the declaration file; throws IoError.
E1Record ReadDeclaration(const std::string& path) {
    E1Record record;
    ReadFilePrefix(path, record.Data(), E1Record::kSize);
    return record;
}

Heading HeadingOf(const E1Record& r) {
    return {r.TaxNumber(), r.GetText("edBigName"), r.GetText("edName"), r.GetText("edAdress")};
}

// What the E1 window would hand the engine after loading this record.
void ClearRecord(const E1Record& record, const Edition& edition, EngineState& st) {
    E1Document doc(E1FormModel(edition));
    DocumentFromRecord(record, doc);
    Clear(doc, edition, st);
}

// --- text output ----------------------------------------------------------

size_t DisplayWidth(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string PadRight(const std::string& s, size_t width) {
    const size_t w = DisplayWidth(s);
    return w >= width ? s : s + std::string(width - w, ' ');
}

std::string PadLeft(const std::string& s, size_t width) {
    const size_t w = DisplayWidth(s);
    return w >= width ? s : std::string(width - w, ' ') + s;
}

constexpr size_t kCaptionWidth = 40;
constexpr size_t kAmountWidth = 16;

std::string Rule() { return std::string(kCaptionWidth + 2 * kAmountWidth, '-') + "\n"; }

// Captions stand right-aligned against the amounts as in the window's grid;
// a row centred there is centred here.
std::string RowLine(const StatementRow& row) {
    const size_t w = DisplayWidth(row.caption);
    const std::string caption =
        row.centredHorizontally && w < kCaptionWidth
            ? PadRight(std::string((kCaptionWidth - w) / 2, ' ') + row.caption, kCaptionWidth)
            : PadLeft(row.caption, kCaptionWidth);
    std::string line = caption + PadLeft(row.amount[T], kAmountWidth) + PadLeft(row.amount[S], kAmountWidth);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + "\n";
}

std::string ViewText(const StatementView& v, bool drawLines) {
    std::string out = "[" + v.title + "]\n";
    StatementRow headings = v.rows[0];
    headings.caption.clear();
    out += RowLine(headings);
    int last = kEkaRows;
    if (v.view != EkaView::Main)
        while (last > 0 && v.rows[last].caption.empty() && v.rows[last].amount[T].empty() &&
               v.rows[last].amount[S].empty())
            --last;
    bool ruleDue = false;  // the line of a hidden row goes before the next row shown
    for (int r = 1; r <= last; ++r) {
        const StatementRow& row = v.rows[r];
        if (row.height == 0) {
            ruleDue = ruleDue || row.lineAbove;
            continue;
        }
        if (drawLines && (row.lineAbove || ruleDue)) out += Rule();
        ruleDue = false;
        out += RowLine(row);
        if (drawLines && row.lineBelow) out += Rule();
    }
    return out;
}

std::string StatementText(const EkaCells& cells, const EngineState& st, const Edition& edition,
                          const std::optional<Heading>& heading) {
    std::string out = std::string(kEkaCaption) + " - " + edition.title + "\n";
    if (heading) {
        out += "Α.Φ.Μ. : " + heading->taxNumber + "\n";
        out += "ΟΝΟΜΑΤΕΠΩΝΥΜΟ : " + heading->surname + " " + heading->firstName + "\n";
        out += "ΔΙΕΥΘΥΝΣΗ : " + heading->address + "\n";
    }
    out += "\n" + ViewText(cells, true);
    if (cells.receiptsShown) out += "\n" + std::string(kReceiptsCaption) + cells.receiptsText + "\n";
    if (cells.breakdownsEnabled)
        for (EkaView kind : kBreakdownViews) out += "\n" + ViewText(BuildBreakdownView(kind, st, edition), false);
    return out;
}

// --- JSON output ----------------------------------------------------------

std::string JsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    if (v == 0) return "0";  // no "-0"
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : "null";
}

std::string JsonArray(const double* values, int count) {
    std::string out = "[";
    for (int i = 0; i < count; ++i) out += (i ? ", " : "") + JsonNumber(values[i]);
    return out + "]";
}

std::string StatementJson(const EkaCells& cells, const EngineState& st, const Edition& edition,
                          const std::optional<Heading>& heading) {
    std::ostringstream out;
    out << "{\n  \"edition\": " << edition.year << ",\n";
    if (heading) {
        out << "  \"AFM\": " << JsonString(heading->taxNumber) << ",\n  \"Surname\": "
            << JsonString(heading->surname) << ",\n  \"FirstName\": " << JsonString(heading->firstName)
            << ",\n";
    }
    out << "  \"NothingDeclared\": " << (st.NothingDeclared ? "true" : "false") << ",\n";
    out << "  \"Married\": " << (st.Married ? "true" : "false") << ",\n  \"LateMonths\": " << st.LateMonths
        << ",\n";
    ForEachResult(st, [&out](const char* name, const double* values, int count) {
        if (std::strcmp(name, "NothingDeclared") == 0) return;
        out << "  " << JsonString(name) << ": ";
        if (count == 1) {
            out << JsonNumber(values[0]);
        } else if (count == 2) {
            out << JsonArray(values, 2);
        } else {
            // Tables of both persons: the taxpayer's entries, then the spouse's.
            const int half = count / 2;
            out << "[" << JsonArray(values, half) << ", " << JsonArray(values + half, half) << "]";
        }
        out << ",\n";
    });
    out << "  \"EkaCells\": {\n    \"rows\": [\n";
    for (int r = 1; r <= kEkaRows; ++r) {
        const StatementRow& row = cells.rows[r];
        out << "      {\"row\": " << r << ", \"caption\": " << JsonString(row.caption)
            << ", \"taxpayer\": " << JsonString(row.amount[T]) << ", \"spouse\": " << JsonString(row.amount[S])
            << "}" << (r < kEkaRows ? "," : "") << "\n";
    }
    out << "    ],\n    \"requiredReceipts\": "
        << (cells.receiptsShown ? JsonString(cells.receiptsText) : std::string("null"))
        << ",\n    \"breakdownsEnabled\": " << (cells.breakdownsEnabled ? "true" : "false") << "\n  }\n}\n";
    return out.str();
}

// --- CSV of a folder ------------------------------------------------------

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// Two decimals with "." and no grouping, rounded like the statement.
std::string CsvAmount(double v) {
    std::string s = FormatAmount(v);
    std::string out;
    for (char c : s) {
        if (c == '.') continue;
        out += c == ',' ? '.' : c;
    }
    return out;
}

// One line per readable declaration file of the folder, in tax-number
// order (then by file name). The files are taken as the index takes them:
// every entry whose name holds "E1", read by its own name, so a copy under
// another name or two files of one tax number each get their line.
int ClearAll(const Options& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(o.allDir, ec)) {
        std::cerr << "kestrana-calc clear: " << o.allDir << ": no such folder\n";
        return 1;
    }
    std::vector<std::string> names;
    for (fs::directory_iterator it(o.allDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsDeclarationFileName(name, DeclarationKind::E1)) names.push_back(name);
    }
    if (ec) {
        std::cerr << "kestrana-calc clear: " << o.allDir << ": " << ec.message() << "\n";
        return 1;
    }

    struct Line {
        std::string taxNumber, name, csv;
    };
    std::vector<Line> lines;
    int skipped = 0;
    for (const std::string& name : names) {
        const std::string path = (fs::path(o.allDir) / name).string();
        E1Record record;
        try {
            record = ReadDeclaration(path);
        } catch (const std::exception& e) {
            std::cerr << "kestrana-calc clear: skipped " << path << ": not a readable E1 declaration ("
                      << e.what() << ")\n";
            ++skipped;
            continue;
        }
        EngineState st;
        ClearRecord(record, *o.edition, st);
        const EkaAmounts amounts = ComputeEkaAmounts(st, *o.edition);
        const Heading h = HeadingOf(record);
        lines.push_back({h.taxNumber, name,
                         CsvField(h.taxNumber) + ',' + CsvField(h.surname) + ',' + CsvField(h.firstName) + ',' +
                             CsvAmount(st.NothingDeclared ? 0 : amounts.value[25][T]) + ',' +
                             CsvAmount(st.NothingDeclared ? 0 : amounts.value[25][S]) + ',' +
                             CsvAmount(st.FinalBalance) + "\n"});
    }
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return a.taxNumber != b.taxNumber ? a.taxNumber < b.taxNumber : a.name < b.name;
    });

    std::cout << "AFM,Surname,FirstName,FinalTaxpayer,FinalSpouse,FinalBalance\n";
    for (const Line& line : lines) std::cout << line.csv;
    // The readable ones are listed; the run still tells that some were left out.
    return skipped ? 1 : 0;
}

}  // namespace
}  // namespace kestrana

int ClearMain(int argc, char** argv) {
    using namespace kestrana;
    Options o;
    try {
        o = ParseOptions(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "kestrana-calc clear: " << e.message << "\n" << kUsage;
        return kUsageError;
    }
    if (!o.allDir.empty()) return ClearAll(o);

    EngineState st;
    std::optional<Heading> heading;
    if (o.haveCodes) {
        E1Document doc(E1FormModel(*o.edition));
        FillFromCodes(o, doc);
        Clear(doc, *o.edition, st);
    } else {
        try {
            const E1Record record = ReadDeclaration(o.file);
            ClearRecord(record, *o.edition, st);
            heading = HeadingOf(record);
        } catch (const std::exception& e) {
            std::cerr << "kestrana-calc clear: " << o.file << ": " << e.what() << "\n";
            return 1;
        }
    }
    const EkaCells cells = BuildEkaCells(st, *o.edition, {.oneInstalment = o.oneInstalment});
    std::cout << (o.json ? StatementJson(cells, st, *o.edition, heading)
                         : StatementText(cells, st, *o.edition, heading));
    return 0;
}
