#include "e1/model/e1_document_io.h"

#include <cmath>
#include <exception>

#include "records/amount_text.h"

namespace kestrana {

const char* const kTooManyCodesMessage =
    "Έχετε συμπληρώσει πάρα πολλούς κωδικούς. Κάποιοι από αυτούς δεν θα αποθηκευτούν";

namespace {

// The two large-city ticks travel as the hidden boxes 093 and 095: 1 when
// ticked, nothing otherwise. What a box held before is not what is saved.
struct LargeCityCode {
    int code;
    const char* tick;
};
constexpr LargeCityCode kLargeCityCodes[] = {{93, "cbTelos500F"}, {95, "cbTelos500S"}};

// The value a numeric code box hands on: its own, or the mirror of its tick.
std::optional<double> OutputNumber(const E1Document& doc, size_t i) {
    const FormControl& c = doc.Control(i);
    for (const LargeCityCode& l : kLargeCityCodes)
        if (c.code == l.code) return doc.Checked(l.tick) ? std::optional<double>(1.0) : std::nullopt;
    return doc.Value(i).number;
}

// What a box reads as a number for a numeric field: a box its value (0 when
// empty), a tick box 1 or 0, a text box 0.
double NumberOf(const E1Document& doc, size_t i) {
    const FormControl& c = doc.Control(i);
    if (c.kind == ControlKind::Check) return doc.Value(i).checked ? 1 : 0;
    if (c.IsNumeric()) return doc.Value(i).number.value_or(0);
    return 0;
}

bool IsTextKind(ControlKind k) { return k == ControlKind::Text || k == ControlKind::AFM; }

}  // namespace

RecordOutcome DocumentToRecord(const E1Document& doc, E1Record& target) {
    E1Record record;
    record.Clear();
    record.SetRegistrationNumber(target.RegistrationNumber());
    bool overflow = false;
    try {
        for (const RecordField& f : E1Record::Fields()) {
            if (f.name == "edAACode") continue;
            const int i = doc.IndexOf(f.name);
            if (i < 0) continue;
            const FormControl& c = doc.Control(i);
            const FieldValue& v = doc.Value(i);
            switch (f.kind) {
                case FieldKind::String:
                    if (IsTextKind(c.kind)) record.SetText(f, v.text);
                    break;
                case FieldKind::Star:
                    if (c.kind == ControlKind::Check) record.SetText(f, v.checked ? "*" : "");
                    break;
                case FieldKind::Byte:
                case FieldKind::Int16:
                case FieldKind::Int32:
                    record.SetInt(f, static_cast<int64_t>(std::llround(NumberOf(doc, i))));
                    break;
                case FieldKind::Real48:
                    record.SetReal(f, NumberOf(doc, i));
                    break;
                case FieldKind::Bool:
                    if (c.kind == ControlKind::Check) record.SetBool(f, v.checked);
                    break;
                case FieldKind::Bytes:
                    break;
            }
        }
        int counter = 0;
        for (size_t i = 0; i < doc.Size(); ++i) {
            const FormControl& c = doc.Control(i);
            if (!c.IsCodeBox()) continue;
            double value = 0;
            if (c.IsNumeric()) {
                const std::optional<double> n = OutputNumber(doc, i);
                if (!n) continue;
                value = *n;
            } else if (c.kind == ControlKind::Check) {
                if (!doc.Value(i).checked) continue;
                value = 1;
            } else {
                continue;
            }
            if (++counter > E1Record::kCodeCount) {
                overflow = true;
                continue;
            }
            record.SetCode(counter - 1, static_cast<int16_t>(c.code), value);
        }
    } catch (const std::exception& e) {  // RangeError, FloatOverflowError
        return {false, e.what(), false};
    }
    target = record;
    return {true, "", overflow};
}

void LoadCodeEntry(E1Document& doc, const CodeEntry& entry, bool keepExtraCodes) {
    if (entry.code <= 0) return;
    int box = -1;
    if (IsPostalCode205(entry)) {
        box = doc.NumericBox(205);
    } else {
        box = doc.TickBox(entry.code);
        if (box < 0) box = doc.NumericBox(entry.code);
    }
    if (box < 0) {
        if (keepExtraCodes) doc.extraCodes.push_back(entry);
        return;
    }
    switch (doc.Control(box).kind) {
        case ControlKind::Check:
            doc.SetChecked(box, entry.value != 0);
            break;
        case ControlKind::Real:
            // Shown with two decimals; the box holds what they read back as.
            doc.SetNumber(box, RoundAmountToCents(entry.value));
            break;
        case ControlKind::Int:
            // A value beyond a whole-number box (a damaged file) is left out.
            if (auto n = RoundToInt32(entry.value)) doc.SetNumber(box, *n);
            break;
        default:
            break;
    }
}

void FollowLargeCityCodes(E1Document& doc) {
    for (const LargeCityCode& l : kLargeCityCodes) {
        const double v = doc.CodeValue(l.code);
        if (v == 1) doc.SetChecked(l.tick, true);
        else if (v == 0) doc.SetChecked(l.tick, false);
    }
}

void DocumentFromRecord(const E1Record& record, E1Document& doc, bool keepExtraCodes) {
    doc.Clear();
    if (const int aa = doc.IndexOf("edAACode"); aa >= 0) doc.SetWhole(aa, record.RegistrationNumber());
    for (const RecordField& f : E1Record::Fields()) {
        if (f.name == "edAACode") continue;
        const int i = doc.IndexOf(f.name);
        if (i < 0) continue;
        const ControlKind kind = doc.Control(i).kind;
        switch (f.kind) {
            case FieldKind::String:
                if (IsTextKind(kind)) doc.SetText(i, record.GetText(f));
                break;
            case FieldKind::Star:
                if (kind == ControlKind::Check) doc.SetChecked(i, record.GetText(f) == "*");
                break;
            case FieldKind::Byte:
            case FieldKind::Int16:
            case FieldKind::Int32: {
                const int64_t v = record.GetInt(f);
                if (v <= 0) break;  // 0 or below leaves the box empty
                if (kind == ControlKind::Int) doc.SetNumber(i, static_cast<double>(static_cast<int32_t>(v)));
                else if (kind == ControlKind::Real) doc.SetAmount(i, static_cast<double>(v));
                break;
            }
            case FieldKind::Real48: {
                const double v = record.GetReal(f);
                if (!(v > 0)) break;
                if (kind == ControlKind::Real) doc.SetNumber(i, RoundAmountToCents(v));
                else if (kind == ControlKind::Int) {
                    if (auto n = RoundToInt32(v)) doc.SetWhole(i, *n);
                }
                break;
            }
            case FieldKind::Bool:
                if (kind == ControlKind::Check) doc.SetChecked(i, record.GetBool(f));
                break;
            case FieldKind::Bytes:
                break;
        }
    }
    for (const CodeEntry& entry : record.UsedCodes()) LoadCodeEntry(doc, entry, keepExtraCodes);
    FollowLargeCityCodes(doc);
}

E1Intake IntakeOf(const E1Document& doc) {
    E1Intake in;
    in.boxes.reserve(doc.Size() + doc.extraCodes.size());
    for (size_t i = 0; i < doc.Size(); ++i) {
        const FormControl& c = doc.Control(i);
        if (!c.IsCodeBox()) continue;
        CodeBoxValue box;
        box.code = c.code;
        switch (c.kind) {
            case ControlKind::Real:
            case ControlKind::Int: {
                box.kind = c.kind == ControlKind::Real ? CodeBoxKind::Amount : CodeBoxKind::Whole;
                const std::optional<double> n = OutputNumber(doc, i);
                box.filled = n.has_value();
                box.value = n.value_or(0);
                break;
            }
            case ControlKind::Check:
                box.kind = CodeBoxKind::Tick;
                box.filled = doc.Value(i).checked;
                break;
            default:
                continue;
        }
        in.boxes.push_back(box);
    }
    for (const CodeEntry& e : doc.extraCodes) in.boxes.push_back({e.code, CodeBoxKind::Amount, true, e.value});

    in.feeExempt = {doc.Checked("cbExairesiF"), doc.Checked("cbExairesiS")};
    in.feeTouristTown = {doc.Checked("cbTelos400F"), doc.Checked("cbTelos400S")};
    in.feeLargeCity = {doc.Checked("cbTelos500F"), doc.Checked("cbTelos500S")};
    in.married = doc.Checked("cbMarried");
    auto whole = [&doc](const std::string& name) { return RoundToInt32(doc.NumberOr0(name)).value_or(0); };
    in.lateMonths = whole("edEkprot");
    for (int n = 1; n <= 7; ++n) {
        in.assets.cars[n - 1].capacity = whole("edCarIppoi" + std::to_string(n));
        in.assets.cars[n - 1].year = whole("edCarYear" + std::to_string(n));
    }
    in.assets.boats[0] = {doc.NumberOr0("edScafosLen"), doc.Checked("cbBoatType1")};
    in.assets.boats[1] = {doc.NumberOr0("edScafosLen2"), doc.Checked("cbBoatType3")};
    return in;
}

FilledCodes ListFilledCodes(const E1Document& doc) {
    FilledCodes out;
    for (int code = 1; code <= 999; ++code) {
        const std::vector<size_t>& boxes = doc.BoxesOfCode(code);
        if (boxes.empty()) continue;
        auto& side = code % 2 ? out.taxpayer : out.spouse;
        const std::string digits = CodeDigits(code);
        if (const int t = doc.TickBox(code); t >= 0 && doc.Value(t).checked) side.push_back({digits, "ΝΑΙ"});
        if (const int n = doc.NumericBox(code); n >= 0) {
            const double v = OutputNumber(doc, n).value_or(0);
            if (v > 0) {
                if (doc.Control(n).kind == ControlKind::Real) side.push_back({digits, FormatAmount(v)});
                else side.push_back({digits, std::to_string(RoundToInt32(v).value_or(0))});
            }
        }
    }
    return out;
}

StatementHeader StatementHeaderOf(const E1Document& doc) {
    StatementHeader h;
    h.taxNumber = doc.Text("edAFM");
    h.taxOffice = doc.Text("edDoy");
    h.spouseTaxNumber = doc.Text("edSyzAFM");
    h.names = doc.Text("edBigName") + " " + doc.Text("edName");
    h.spouseNames = doc.Text("edSyzBigName") + " " + doc.Text("edSyzName");
    h.address = doc.Text("edAdress");
    FilledCodes codes = ListFilledCodes(doc);
    h.taxpayerCodes = std::move(codes.taxpayer);
    h.spouseCodes = std::move(codes.spouse);
    return h;
}

}  // namespace kestrana
