#pragma once
// One E1 declaration as the form holds it: a value for every control of the
// form table, keyed by the control's place in the table (its component
// order), not by any widget. The E1 window binds its widgets to a document;
// fast entry and the headless tool fill one too, and every consumer (the
// record, the engine intake, the statement's code list, the print) reads it
// through the pure functions of e1_document_io.h.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "e1/model/form_model.h"
#include "records/e1_record.h"

namespace kestrana {

// The value of one control.
struct FieldValue {
    std::string text;              // text and tax-number boxes (UTF-8)
    std::optional<double> number;  // amount and whole-number boxes; empty box: none
    bool checked = false;          // tick boxes
    bool operator==(const FieldValue&) const = default;
};

class E1Document {
public:
    explicit E1Document(const FormModel& form);

    const FormModel& Form() const { return *form_; }
    size_t Size() const { return values_.size(); }
    const FormControl& Control(size_t i) const { return form_->Controls()[i]; }
    const FieldValue& Value(size_t i) const { return values_[i]; }
    // Place of a control by component name, letter case ignored; -1 if absent.
    int IndexOf(std::string_view name) const;

    // By name; a name the form lacks reads empty and writes nothing.
    std::string Text(std::string_view name) const;
    std::optional<double> Number(std::string_view name) const;
    double NumberOr0(std::string_view name) const { return Number(name).value_or(0); }
    bool Checked(std::string_view name) const;

    // Each setter stores the value as the box would hold it and tells the
    // listener when the value changed. A text is cut to the box's typing
    // limit (in characters).
    void SetText(size_t i, std::string_view text);
    void SetNumber(size_t i, std::optional<double> value);
    void SetChecked(size_t i, bool on);
    void SetText(std::string_view name, std::string_view text);
    void SetNumber(std::string_view name, std::optional<double> value);
    void SetChecked(std::string_view name, bool on);

    // What the program writes into a box (a calculator's result, a loaded
    // value): an amount shows two decimals and holds what they read back as;
    // zero leaves the box empty. A whole number is kept as it is, zero empty.
    void SetAmount(size_t i, double value);
    void SetWhole(size_t i, int32_t value);

    // The value of a code as the engine takes it: an empty box is 0, a tick
    // box counts 1, and of two boxes of one code the later wins.
    double CodeValue(int code) const;
    // The boxes of a code in component order (205: its postal code, then its tick).
    const std::vector<size_t>& BoxesOfCode(int code) const;
    // The amount or whole-number box of a code, and its tick box; -1 if none.
    int NumericBox(int code) const;
    int TickBox(int code) const;
    // What the program writes into the numeric box of a code: an amount box
    // as SetAmount, a whole-number box the value rounded half to even.
    void SetCodeNumber(int code, double value);

    // Code entries that no box of the form holds (fast entry's own tick
    // codes, codes of the other edition), in the order they came.
    std::vector<CodeEntry> extraCodes;

    // Every box emptied and unticked, no extra codes (listeners are told).
    void Clear();

    // Called after each change with the control's place.
    using Listener = std::function<void(size_t control)>;
    void SetListener(Listener listener) { listener_ = std::move(listener); }

private:
    void Changed(size_t i);

    const FormModel* form_;
    std::vector<FieldValue> values_;
    std::unordered_map<std::string, size_t> byName_;          // lower-case name
    std::unordered_map<int, std::vector<size_t>> byCode_;
    Listener listener_;
};

}  // namespace kestrana
