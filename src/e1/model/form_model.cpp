#include "e1/model/form_model.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <memory>

#include "e1/model/form_builder.h"
#include "editions/edition.h"

namespace kestrana {

static bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

FormModel::FormModel(std::vector<FormControl> controls, std::vector<FormLabel> labels)
    : controls_(std::move(controls)), labels_(std::move(labels)) {}

int FormModel::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (SameNoCase(controls_[i].name, name)) return static_cast<int>(i);
    return -1;
}

const FormControl* FormModel::Find(std::string_view name) const {
    int i = IndexOf(name);
    return i < 0 ? nullptr : &controls_[i];
}

std::vector<const FormControl*> FormModel::FindCode(int code) const {
    std::vector<const FormControl*> out;
    if (code <= 0) return out;
    for (const FormControl& c : controls_)
        if (c.code == code) out.push_back(&c);
    return out;
}

std::vector<const FormControl*> FormModel::ListCodeControls() const {
    std::vector<const FormControl*> out;
    for (const FormControl& c : controls_)
        if (c.IsCodeBox()) out.push_back(&c);
    return out;
}

std::vector<const FormControl*> FormModel::ControlsOfPage(int page) const {
    std::vector<const FormControl*> out;
    for (const FormControl& c : controls_)
        if (c.page == page) out.push_back(&c);
    return out;
}

std::vector<const FormLabel*> FormModel::LabelsOfPage(int page) const {
    std::vector<const FormLabel*> out;
    for (const FormLabel& l : labels_)
        if (l.page == page) out.push_back(&l);
    return out;
}

std::string FormPageCaption(int page) {
    if (page == kSpecialCasesPage) return "Ειδικές Περιπτώσεις";
    return "Σελίδα " + std::to_string(page);
}

std::string CodeDigits(int code) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", code);
    return buf;
}

std::string CodeBoxName(int code, bool tickBox) { return (tickBox ? "cbP" : "edP") + CodeDigits(code); }

const FormControl* FindCodeControl(const FormModel& form, std::string_view typed) {
    if (typed.empty()) return nullptr;
    for (const char* prefix : {"edP", "cbP"}) {
        const FormControl* c = form.Find(std::string(prefix) + std::string(typed));
        if (c && c->IsCodeBox()) return c->visible ? c : nullptr;
    }
    return nullptr;
}

int CodeOfBoxName(std::string_view name) {
    if (name.size() != 6) return 0;
    if (!SameNoCase(name.substr(0, 3), "edP") && !SameNoCase(name.substr(0, 3), "cbP")) return 0;
    int code = 0;
    for (char ch : name.substr(3)) {
        if (ch < '0' || ch > '9') return 0;
        code = code * 10 + (ch - '0');
    }
    return code;
}

static FormModel Build(const Edition& edition) {
    formlayout::FormBuilder b(edition);
    b.BeginPage(1);
    formlayout::BuildPage1(b);
    b.BeginPage(2);
    formlayout::BuildPage2(b);
    b.BeginPage(3);
    formlayout::BuildPage3(b);
    b.BeginPage(4);
    formlayout::BuildPage4(b);
    b.BeginPage(kSpecialCasesPage);
    formlayout::BuildSpecialCases(b);
    std::vector<FormControl> controls = b.TakeControls();
    formlayout::AssignBehaviour(controls);
    return FormModel(std::move(controls), b.TakeLabels());
}

const FormModel& E1FormModel(const Edition& edition) {
    // Built on first use for each edition object and kept for the run.
    static std::map<const Edition*, std::unique_ptr<FormModel>> built;
    auto& slot = built[&edition];
    if (!slot) slot = std::make_unique<FormModel>(Build(edition));
    return *slot;
}

}  // namespace kestrana
