#include "e2/model/e2_form_model.h"

#include <cctype>
#include <map>
#include <memory>

#include "e2/model/e2_form_layout.h"
#include "editions/edition.h"

namespace kestrana {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Shared row k as its table and the row within it.
bool SplitSharedRow(int k, int& table, int& row) {
    if (k >= 1 && k <= kE2Table1Rows) {
        table = 1;
        row = k;
    } else if (k >= kE2FirstTable2Row && k < kE2FirstTable3Row) {
        table = 2;
        row = k - kE2FirstTable2Row + 1;
    } else if (k >= kE2FirstTable3Row && k <= kE2SharedRows) {
        table = 3;
        row = k - kE2FirstTable3Row + 1;
    } else {
        return false;
    }
    return true;
}

std::string SharedRowBox(int k, const char* t1, const char* t2, const char* t3) {
    int table = 0, row = 0;
    if (!SplitSharedRow(k, table, row)) return "";
    return (table == 1 ? t1 : table == 2 ? t2 : t3) + std::to_string(row);
}

}  // namespace

E2Form::E2Form(std::vector<E2Control> controls, std::vector<E2Label> labels, std::vector<E2Line> lines)
    : controls_(std::move(controls)), labels_(std::move(labels)), lines_(std::move(lines)) {
    index_.reserve(controls_.size());
    for (size_t i = 0; i < controls_.size(); ++i) index_.emplace(Lower(controls_[i].name), static_cast<int>(i));
}

int E2Form::IndexOf(std::string_view name) const {
    auto it = index_.find(Lower(name));
    return it == index_.end() ? -1 : it->second;
}

const E2Control* E2Form::Find(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : &controls_[static_cast<size_t>(i)];
}

int E2Form::IndexOf(std::string_view column, int row) const {
    return IndexOf(std::string(column) + std::to_string(row));
}

std::vector<const E2Control*> E2Form::ControlsOfPage(int page) const {
    std::vector<const E2Control*> out;
    for (const E2Control& c : controls_)
        if (c.page == page) out.push_back(&c);
    return out;
}

std::vector<const E2Label*> E2Form::LabelsOfPage(int page) const {
    std::vector<const E2Label*> out;
    for (const E2Label& l : labels_)
        if (l.page == page) out.push_back(&l);
    return out;
}

std::vector<const E2Line*> E2Form::LinesOfPage(int page) const {
    std::vector<const E2Line*> out;
    for (const E2Line& l : lines_)
        if (l.page == page) out.push_back(&l);
    return out;
}

const E2Form& E2FormModel(const Edition& edition) {
    // Built on first use for each edition object and kept for the run.
    static std::map<const Edition*, std::unique_ptr<E2Form>> built;
    auto& slot = built[&edition];
    if (!slot) slot = std::make_unique<E2Form>(e2layout::BuildE2Form(edition));
    return *slot;
}

std::string E2PageCaption(int page) { return page == 1 ? "Σελίδα1" : "Σελίδα " + std::to_string(page); }

std::string E2UseBoxName(int k) { return SharedRowBox(k, "edInUse", "edPin2InUse", "edPin3InUse"); }
std::string E2PlaceBoxName(int k) { return SharedRowBox(k, "edPlace", "edPin2Place", "edPin3Place"); }
std::string E2LocationBoxName(int k) { return SharedRowBox(k, "edTopos", "edPin2Topos", "edPin3Topos"); }

}  // namespace kestrana
