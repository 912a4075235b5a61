#include "e1/model/e1_document.h"

#include <cctype>

#include "records/amount_text.h"

namespace kestrana {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The first `limit` characters of UTF-8 text (a typing limit counts
// characters, not bytes); limit 0 is no limit.
std::string_view CutToCharacters(std::string_view text, int limit) {
    if (limit <= 0) return text;
    int chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (chars++ == limit) return text.substr(0, i);
    }
    return text;
}

const std::vector<size_t> kNoBoxes;

}  // namespace

E1Document::E1Document(const FormModel& form) : form_(&form), values_(form.Controls().size()) {
    const auto& controls = form.Controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        byName_.emplace(Lower(controls[i].name), i);
        if (controls[i].IsCodeBox()) byCode_[controls[i].code].push_back(i);
    }
}

int E1Document::IndexOf(std::string_view name) const {
    auto it = byName_.find(Lower(name));
    return it == byName_.end() ? -1 : static_cast<int>(it->second);
}

std::string E1Document::Text(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? std::string() : values_[i].text;
}

std::optional<double> E1Document::Number(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? std::nullopt : values_[i].number;
}

bool E1Document::Checked(std::string_view name) const {
    const int i = IndexOf(name);
    return i >= 0 && values_[i].checked;
}

void E1Document::Changed(size_t i) {
    if (listener_) listener_(i);
}

void E1Document::SetText(size_t i, std::string_view text) {
    const std::string_view cut = CutToCharacters(text, Control(i).maxLength);
    if (values_[i].text == cut) return;
    values_[i].text = std::string(cut);
    Changed(i);
}

void E1Document::SetNumber(size_t i, std::optional<double> value) {
    if (values_[i].number == value) return;
    values_[i].number = value;
    Changed(i);
}

void E1Document::SetChecked(size_t i, bool on) {
    if (values_[i].checked == on) return;
    values_[i].checked = on;
    Changed(i);
}

void E1Document::SetText(std::string_view name, std::string_view text) {
    if (const int i = IndexOf(name); i >= 0) SetText(static_cast<size_t>(i), text);
}

void E1Document::SetNumber(std::string_view name, std::optional<double> value) {
    if (const int i = IndexOf(name); i >= 0) SetNumber(static_cast<size_t>(i), value);
}

void E1Document::SetChecked(std::string_view name, bool on) {
    if (const int i = IndexOf(name); i >= 0) SetChecked(static_cast<size_t>(i), on);
}

void E1Document::SetAmount(size_t i, double value) {
    SetNumber(i, value == 0 ? std::nullopt : std::optional<double>(RoundAmountToCents(value)));
}

void E1Document::SetWhole(size_t i, int32_t value) {
    SetNumber(i, value == 0 ? std::nullopt : std::optional<double>(value));
}

const std::vector<size_t>& E1Document::BoxesOfCode(int code) const {
    auto it = byCode_.find(code);
    return it == byCode_.end() ? kNoBoxes : it->second;
}

int E1Document::NumericBox(int code) const {
    for (size_t i : BoxesOfCode(code))
        if (Control(i).IsNumeric()) return static_cast<int>(i);
    return -1;
}

int E1Document::TickBox(int code) const {
    for (size_t i : BoxesOfCode(code))
        if (Control(i).kind == ControlKind::Check) return static_cast<int>(i);
    return -1;
}

void E1Document::SetCodeNumber(int code, double value) {
    const int i = NumericBox(code);
    if (i < 0) return;
    if (Control(i).kind == ControlKind::Real) SetAmount(i, value);
    else SetWhole(i, RoundToInt32(value).value_or(0));
}

double E1Document::CodeValue(int code) const {
    const std::vector<size_t>& boxes = BoxesOfCode(code);
    if (boxes.empty()) return 0;
    const size_t last = boxes.back();
    if (Control(last).kind == ControlKind::Check) return values_[last].checked ? 1 : 0;
    return values_[last].number.value_or(0);
}

void E1Document::Clear() {
    for (size_t i = 0; i < values_.size(); ++i) {
        if (values_[i] == FieldValue{}) continue;
        values_[i] = FieldValue{};
        Changed(i);
    }
    extraCodes.clear();
}

}  // namespace kestrana
