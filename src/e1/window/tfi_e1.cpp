#include "e1/window/tfi_e1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <climits>
#include <memory>
#include <set>

#include "e1/calc/income_categories.h"
#include "e1/calc/presumption.h"
#include "e1/model/form_model.h"
#include "e1/window/tfi_doys.h"
#include "e1/window/tfi_select_eisod.h"
#include "editions/edition.h"
#include "engine/engine_state.h"
#include "info/tfi_convert_cc.h"
#include "platform/app_context.h"
#include "platform/modal_runner.h"
#include "platform/paths.h"
#include "platform/user_dialogs.h"
#include "records/amount_text.h"
#include "controls/edit_afm.h"
#include "controls/edit_int.h"
#include "controls/edit_real.h"
#include "records/e1_record.h"
#include "records/errors.h"
#include "records/declarations_store.h"
#include "records/record_files.h"
#include "printing/print_service.h"

namespace kestrana {

const char* const kE1Caption = "Δήλωση Φορολογίας Εισοδήματος (Ε1)";
const char* const kCloseQuestion =
    "Έχετε κάνει μεταβολές στη Δήλωση. Να αποθηκευτούν πρίν από την έξοδo;";
const char* const kEscapeQuestion =
    "Οι αλλαγές που κάνατε δεν θα αποθηκευτόυν. Να συνεχιστεί η έξοδος ;";
const char* const kNoTaxNumberWarning =
    "Προσοχή δεν έχετε δηλώσει τον Α.Φ.Μ. Αν θέλετε να καταχωρίσετε πολλές δηλώσεις ο Α.Φ.Μ. είναι "
    "απαραίτητος.";
const char* const kSavedMessage = "Η αποθήκευση ολοκληρώθηκε με επιτυχία";
const char* const kOverwriteQuestion =
    "Η δήλωση αυτή υπάρχει ήδη στο αρχείο. Να γίνει επικάλυψη των στοιχείων;";
const char* const kTooManyCodesMessage =
    "Έχετε συμπληρώσει πάρα πολλούς κωδικούς. Κάποιοι από αυτούς δεν θα αποθηκευτούν";

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Digits3(int code) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d", code);
    return buf;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Page heights of the form pictures at 964 dots wide, when a picture is missing.
constexpr int kPictureHeights[4] = {1374, 1335, 1394, 1335};

// Codes whose boxes do not raise the modified flag when their text changes.
bool ChangeIsIgnored(int code) {
    return (code >= 3 && code <= 6) || code == 93 || code == 95 || (code >= 251 && code <= 254) ||
           (code >= 257 && code <= 268) || (code >= 467 && code <= 470) || code == 475 ||
           code == 476 || (code >= 931 && code <= 936);
}

bool InRanges(int code, std::initializer_list<std::pair<int, int>> ranges) {
    for (auto [lo, hi] : ranges)
        if (code >= lo && code <= hi) return true;
    return false;
}

}  // namespace

TfiE1::TfiE1(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("fiE1"));
    setWindowTitle(QString::fromUtf8(kE1Caption));
    context_.e1.Clear();
    BuildPages();
    CreateActions();
    HookEvents();
    pages_->setCurrentIndex(0);
    for (QScrollArea* s : scrolls_) s->verticalScrollBar()->setValue(0);
    SetModified(false);
}

TfiE1::~TfiE1() = default;

// ---------------------------------------------------------------- building

void TfiE1::BuildPages() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    pages_->tabBar()->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(pages_);

    const FormModel& model = E1FormModel(context_.edition);
    const double scale = double(kFormPictureWidth) / kFormPageWidth;
    const std::string& base = context_.store.BaseDir();
    const std::filesystem::path folder = base.empty() ? std::filesystem::path(".") : std::filesystem::path(base);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    // One sheet per page rather than one per box: the window opens faster.
    // A tick box's square is the picture's square, so the two frames coincide.
    int boxHeight = 18;
    for (const FormControl& c : model.Controls())
        if (c.kind == ControlKind::Check) {
            boxHeight = c.rect.h;
            break;
        }
    const int tick = int(std::lround((boxHeight - 2) * scale));
    const QString boxStyle =
        QStringLiteral("QLineEdit { background: rgba(255,255,255,200); border: 1px solid #9db3cc; padding: 0 2px; }"
                       "QLineEdit:focus { background: #fff7c0; border: 1px solid #2a62a8; }"
                       "QLineEdit:disabled { background: #eeeeee; }"
                       "QCheckBox { spacing: 3px; padding-left: 1px; }"
                       "QCheckBox:focus { background: #fff7c0; }"
                       "QCheckBox::indicator { width: %1px; height: %1px; }")
            .arg(tick);

    for (int page = 1; page <= kFormPageCount; ++page) {
        auto* scroll = new QScrollArea(pages_);
        scroll->setObjectName(QStringLiteral("sbPage%1").arg(page));
        scroll->setWidgetResizable(false);
        scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        auto* canvas = new QWidget;
        canvas->setObjectName(QStringLiteral("canvas%1").arg(page));
        canvas->setFont(font);
        canvas->setAutoFillBackground(true);
        QPalette pal = canvas->palette();
        pal.setColor(QPalette::Window, Qt::white);
        canvas->setPalette(pal);
        canvas->setStyleSheet(boxStyle);

        int height = 0;
        bool havePicture = false;
        if (page <= 4) {
            const std::string name = "WParams/" + context_.edition.E1PagePicture(page);
            if (auto path = FindCaseInsensitive(folder, name)) {
                QPixmap picture(QString::fromStdString(path->string()));
                if (!picture.isNull()) {
                    if (picture.width() != kFormPictureWidth)
                        picture = picture.scaledToWidth(kFormPictureWidth, Qt::SmoothTransformation);
                    auto* background = new QLabel(canvas);
                    background->setObjectName(QStringLiteral("imPage%1").arg(page));
                    background->setPixmap(picture);
                    background->setGeometry(0, 0, picture.width(), picture.height());
                    height = picture.height();
                    havePicture = true;
                }
            }
        }
        // Without its picture a page still shows its headings and captions.
        if (!havePicture) {
            for (const FormLabel* l : model.LabelsOfPage(page)) {
                auto* label = new QLabel(Q(l->text), canvas);
                label->setWordWrap(true);
                label->setGeometry(int(l->rect.x * scale), int(l->rect.y * scale),
                                   std::max(1, int(l->rect.w * scale)), std::max(1, int(l->rect.h * scale)));
                QFont f = font;
                if (l->style == LabelStyle::Title || l->style == LabelStyle::Heading) f.setBold(true);
                if (l->style == LabelStyle::Note || l->style == LabelStyle::CodeNumber) f.setPixelSize(10);
                label->setFont(f);
                if (l->style == LabelStyle::Heading) {
                    label->setAutoFillBackground(true);
                    QPalette lp = label->palette();
                    lp.setColor(QPalette::Window, QColor(0xDD, 0xE8, 0xF4));
                    label->setPalette(lp);
                }
                height = std::max(height, label->geometry().bottom() + 1);
            }
            if (page <= 4) height = std::max(height, kPictureHeights[page - 1]);
        }
        for (const FormControl* c : model.ControlsOfPage(page)) {
            CreateControl(*c, canvas, scale);
            height = std::max(height, int((c->rect.y + c->rect.h) * scale) + 1);
        }
        canvas->resize(kFormPictureWidth, height + 8);
        scroll->setWidget(canvas);
        if (page <= 4) {
            scrolls_[page - 1] = scroll;
            scroll->viewport()->installEventFilter(this);
        }
        pages_->addTab(scroll, Q(FormPageCaption(page)));
    }

    // Creation order of the boxes is the component order of the model, page
    // by page; the model is ordered that way too, so the focus chain follows it.
    std::vector<Box> ordered;
    ordered.reserve(boxes_.size());
    for (const FormControl& c : model.Controls()) {
        auto it = index_.find(Lower(c.name));
        if (it != index_.end()) ordered.push_back(boxes_[it->second]);
    }
    boxes_ = std::move(ordered);
    index_.clear();
    for (size_t i = 0; i < boxes_.size(); ++i) index_.emplace(Lower(boxes_[i].def->name), i);
}

void TfiE1::CreateControl(const FormControl& def, QWidget* canvas, double scale) {
    QWidget* w = nullptr;
    switch (def.kind) {
        case ControlKind::Real: w = new TEditReal(context_.dialogs, canvas); break;
        case ControlKind::Int: w = new TEditInt(context_.dialogs, canvas); break;
        case ControlKind::AFM: w = new TEditAFM(canvas); break;
        case ControlKind::Text: w = new QLineEdit(canvas); break;
        case ControlKind::Check: {
            auto* box = new QCheckBox(Q(def.caption), canvas);
            w = box;
            break;
        }
        case ControlKind::Button: {
            if (def.name == "sbDOY") {
                auto* button = new QToolButton(canvas);
                button->setText(QStringLiteral("…"));
                w = button;
            } else {
                w = new QPushButton(Q(def.caption), canvas);
            }
            w->setFocusPolicy(Qt::NoFocus);
            break;
        }
        case ControlKind::Picture: {
            auto* label = new QLabel(canvas);
            label->setFrameShape(QFrame::Box);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            label->setMargin(4);
            label->setAutoFillBackground(true);
            QPalette p = label->palette();
            p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE1));
            label->setPalette(p);
            label->setText(QStringLiteral("<b>Μείωση τεκμηρίου</b><br>1, 2, 3: χωρίς τεκμήριο<br>"
                                          "κενό: πλήρες τεκμήριο"));
            w = label;
            if (def.name == "imAutoType") legend_ = label;
            break;
        }
    }
    w->setObjectName(Q(def.name));
    w->setProperty("tag", def.tag);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (def.maxLength > 0) edit->setMaxLength(def.maxLength);
        edit->setReadOnly(def.readOnly);
        edit->setFrame(false);
    }
    if (!def.hint.empty()) w->setToolTip(Q(def.hint));
    w->setEnabled(def.enabled);
    const int x = int(std::lround(def.rect.x * scale));
    const int y = int(std::lround(def.rect.y * scale));
    const int width = std::max(8, int(std::lround(def.rect.w * scale)));
    const int height = std::max(8, int(std::lround(def.rect.h * scale)));
    w->setGeometry(x, y, width, height);
    if (auto* box = qobject_cast<QCheckBox*>(w); box && !def.caption.empty()) {
        // A caption longer than its place on the form is set smaller rather
        // than cut; what still does not fit is shown on hovering.
        const QString caption = box->text();
        const int room = width - height - 6;  // the square is as high as the box
        QFont f = canvas->font();
        while (f.pixelSize() > 9 && QFontMetrics(f).horizontalAdvance(caption) > room) f.setPixelSize(f.pixelSize() - 1);
        if (f != canvas->font()) box->setFont(f);
        if (QFontMetrics(f).horizontalAdvance(caption) > room && box->toolTip().isEmpty()) box->setToolTip(caption);
    }
    w->setVisible(def.visible);
    index_.emplace(Lower(def.name), boxes_.size());
    boxes_.push_back({&def, w});
}

void TfiE1::CreateActions() {
    struct Item { const char* name; const char* text; std::function<void()> run; };
    const Item items[] = {
        {"miEka2003", "Εκκαθάριση", [this] { RunClearance(); }},
        {"miSave", "Αποθήκευση", [this] { SaveE1(); }},
        {"miSaveAs", "Αποθήκευση Ως...", [this] { SaveE1As(); }},
        {"miPreview", "Προεπισκόπηση ", [] {}},
        {"miPrint", "Εκτύπωση", [this] { Print(); }},
    };
    for (const Item& item : items) {
        auto* action = new QAction(QString::fromUtf8(item.text), this);
        action->setObjectName(QString::fromUtf8(item.name));
        connect(action, &QAction::triggered, this, item.run);
        addAction(action);
    }
}

void TfiE1::GoToControl(const FormControl& control) {
    QWidget* w = Control(control.name);
    if (!w) return;
    pages_->setCurrentIndex(control.page - 1);
    if (QScrollArea* scroll = PageScroll(control.page)) scroll->ensureWidgetVisible(w, 10, 40);
    if (w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
}

bool TfiE1::FindCode(std::string_view typed) {
    const FormControl* control = FindCodeControl(E1FormModel(context_.edition), typed);
    if (!control) return false;
    GoToControl(*control);
    return true;
}

QAction* TfiE1::Action(std::string_view name) const {
    return findChild<QAction*>(Q(std::string(name)), Qt::FindDirectChildrenOnly);
}

// ---------------------------------------------------------------- lookups

QWidget* TfiE1::Control(std::string_view name) const {
    auto it = index_.find(Lower(name));
    return it == index_.end() ? nullptr : boxes_[it->second].widget;
}
QLineEdit* TfiE1::Edit(std::string_view name) const { return qobject_cast<QLineEdit*>(Control(name)); }
QCheckBox* TfiE1::Check(std::string_view name) const { return qobject_cast<QCheckBox*>(Control(name)); }
TEditReal* TfiE1::Real(std::string_view name) const { return qobject_cast<TEditReal*>(Control(name)); }
TEditInt* TfiE1::Int(std::string_view name) const { return qobject_cast<TEditInt*>(Control(name)); }

QWidget* TfiE1::CodeBox(int code, bool tickBox) const {
    if (code < 0 || code > 999) return nullptr;
    return Control((tickBox ? "cbP" : "edP") + Digits3(code));
}

QScrollArea* TfiE1::PageScroll(int page) const {
    return page >= 1 && page <= 4 ? scrolls_[page - 1] : nullptr;
}

double TfiE1::NumberOf(const QWidget* w) const {
    if (auto* r = qobject_cast<const TEditReal*>(w)) return r->Value();
    if (auto* i = qobject_cast<const TEditInt*>(w)) return i->Value();
    if (auto* c = qobject_cast<const QCheckBox*>(w)) return c->isChecked() ? 1 : 0;
    return 0;
}

// A code's value as the engine intake takes it: empty boxes are 0, a tick
// box counts 1, and of two boxes of one code the later in component order wins.
double TfiE1::CodeValueOf(int code) const {
    const QWidget* edit = CodeBox(code);
    const QWidget* tick = CodeBox(code, true);
    if (edit && tick) {
        auto pos = [this](const QWidget* w) { return index_.at(Lower(w->objectName().toStdString())); };
        return pos(edit) > pos(tick) ? NumberOf(edit) : NumberOf(tick);
    }
    return edit ? NumberOf(edit) : NumberOf(tick);
}

void TfiE1::SetAmount(int code, double value) {
    if (auto* r = qobject_cast<TEditReal*>(CodeBox(code))) r->SetValue(value);
}

void TfiE1::SetWhole(std::string_view name, int value) {
    if (auto* i = Int(name)) i->SetValue(value);
}

// ---------------------------------------------------------------- state

void TfiE1::SetModified(bool on) {
    if (modified_ == on) return;
    modified_ = on;
    emit modifiedChanged(on);
}

// ---------------------------------------------------------------- events

void TfiE1::OnExit(std::string_view name, const std::function<void()>& run) {
    QWidget* w = Control(name);
    if (auto* r = qobject_cast<TEditReal*>(w)) connect(r, &TEditReal::exited, this, run);
    else if (auto* i = qobject_cast<TEditInt*>(w)) connect(i, &TEditInt::exited, this, run);
    else if (auto* a = qobject_cast<TEditAFM*>(w)) connect(a, &TEditAFM::exited, this, run);
}

void TfiE1::OnClick(std::string_view name, const std::function<void()>& run) {
    if (auto* c = Check(name)) connect(c, &QCheckBox::clicked, this, run);
}

void TfiE1::HookEvents() {
    static const std::set<std::string> kNoKeys = {"edaacode", "edp093", "edp095", "edcarmeiwsi5",
                                                  "edcarmeiwsi6", "edcarmeiwsi7"};
    for (const Box& box : boxes_) {
        const FormControl& def = *box.def;
        const std::string lower = Lower(def.name);
        if (auto* edit = qobject_cast<QLineEdit*>(box.widget)) {
            if (!kNoKeys.count(lower)) edit->installEventFilter(this);
            const int code = def.code;
            if (code != 0 && ChangeIsIgnored(code)) continue;
            if (auto* real = qobject_cast<TEditReal*>(edit)) {
                // Entering and leaving an amount box rewrite its text (thousands
                // dots off, then on) without changing what would be stored.
                auto last = std::make_shared<std::pair<bool, double>>(true, 0.0);
                connect(real, &TEditReal::changed, this, [this, real, last] {
                    const std::pair<bool, double> now{real->text().isEmpty(), real->Value()};
                    if (now == *last) return;
                    *last = now;
                    SetModified(true);
                });
            } else {
                connect(edit, &QLineEdit::textChanged, this, [this] { SetModified(true); });
            }
        } else if (qobject_cast<QCheckBox*>(box.widget) && def.page == kSpecialCasesPage) {
            box.widget->installEventFilter(this);
        }
    }

    // Residences and everything that may change them.
    auto idiokat = [this] { CalcIdiokat(); };
    OnExit("edEkprot", idiokat);
    for (const Box& box : boxes_) {
        const FormControl& def = *box.def;
        const int code = def.code;
        if (def.kind != ControlKind::Check && code != 0 &&
            InRanges(code, {{205, 206}, {208, 208}, {211, 216}, {218, 223}, {225, 236}, {965, 966}}))
            OnExit(def.name, idiokat);
        if (def.kind == ControlKind::Check &&
            (def.page == 1 || InRanges(code, {{203, 205}, {207, 207}, {209, 209}, {240, 242}, {92, 92},
                                              {94, 94}, {96, 96}, {846, 849}})))
            OnClick(def.name, idiokat);
    }

    // Cars.
    auto autoCalc = [this] { CalculateAuto(); };
    OnExit("edP201", autoCalc);
    OnExit("edP202", autoCalc);
    for (int i = 1; i <= 7; ++i) {
        const std::string n = std::to_string(i);
        OnExit("edCarIppoi" + n, autoCalc);
        OnExit("edCarMonths" + n, autoCalc);
        OnExit("edCarPosost" + n, autoCalc);
        OnClick("cbCarWhich" + n, autoCalc);
        const std::string year = "edCarYear" + n;
        OnExit(year, [this, year] {
            ExpandYearBox(Int(year));
            CalculateAuto();
        });
    }
    // edCarMeiwsi1..4 show the legend while they have the focus and run the
    // car calculator on leaving (the event filter); 5..7 do neither.

    // Boats.
    auto boat = [this] { CalcBoat(); };
    for (const char* name : {"edScafosMonths", "edScafosLen", "edScafosPososto1", "edScafosPososto2",
                             "edScafosMonths2", "edScafosLen2", "edScafosPososto3", "edScafosPososto4"})
        OnExit(name, boat);
    for (const char* name : {"cbBoatType0", "cbBoatType1", "cbBoatType2", "cbBoatType3"}) OnClick(name, boat);
    for (int code : {961, 963}) {
        OnExit("edP" + Digits3(code), [this, code] {
            ExpandYearBox(qobject_cast<TEditInt*>(CodeBox(code)));
            CalcBoat();
        });
    }

    // Pools.
    auto pool = [this] { CalcPisina(); };
    for (const char* name : {"edDexamOutMetr", "edDexamPosOut", "edDexamSPosOut", "edDexamInMetr",
                             "edDexamPosIn", "edDexamSPosIn", "edP740", "edP749"})
        OnExit(name, pool);

    // Income categories.
    for (const IncomeCategoryPage& page : IncomeCategoryPages())
        for (int code : page.amountCodes) OnExit("edP" + Digits3(code), [this, code] { SelectEidosEisod(code); });

    // Buttons.
    if (auto* b = qobject_cast<QAbstractButton*>(Control("sbDOY"))) {
        b->setToolTip(QStringLiteral("Κατάλογος Δ.Ο.Υ."));
        connect(b, &QAbstractButton::clicked, this, [this] { ChooseTaxOffice(); });
    }
    if (auto* b = qobject_cast<QAbstractButton*>(Control("Button1")))
        connect(b, &QAbstractButton::clicked, this, [this] { ShowHorsepowerTable(); });
    if (auto* b = qobject_cast<QAbstractButton*>(Control("btPrintAuto")))
        connect(b, &QAbstractButton::clicked, this, [this] { PrintCars(); });

    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0)
            if (QWidget* doy = Control("edDoy")) doy->setFocus(Qt::OtherFocusReason);
    });
}

// Whoever gives the window the focus means its boxes: page 1 starts at
// edDoy, another page at its first box.
void TfiE1::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    const int page = pages_->currentIndex();
    if (page != 0) {
        GoToPage(page);
    } else if (QWidget* doy = Control("edDoy")) {
        doy->setFocus(event->reason());
    }
}

void TfiE1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (pages_->currentIndex() == 0)
            if (QWidget* doy = Control("edDoy")) doy->setFocus(Qt::OtherFocusReason);
    }
}

bool TfiE1::eventFilter(QObject* watched, QEvent* event) {
    // The wheel scrolls a form page by 40 dots a notch.
    if (event->type() == QEvent::Wheel) {
        for (int p = 1; p <= 4; ++p) {
            if (scrolls_[p - 1] && watched == scrolls_[p - 1]->viewport()) {
                // Fine-grained wheels and touch pads send parts of a notch.
                wheelRest_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
                const int notches = wheelRest_ / 120;
                wheelRest_ -= notches * 120;
                if (notches != 0) ScrollPage(p, -notches * 40);
                return true;
            }
        }
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    const std::string name = Lower(widget->objectName().toStdString());
    const bool legendBox = name.size() == 12 && name.rfind("edcarmeiwsi", 0) == 0 && name[11] >= '1' &&
                           name[11] <= '4';
    if (legendBox && event->type() == QEvent::FocusIn) {
        if (legend_) legend_->show();
    } else if (legendBox && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (legend_) legend_->hide();
            CalculateAuto();
        }
    } else if (event->type() == QEvent::KeyPress) {
        return HandleKey(widget, static_cast<QKeyEvent*>(event));
    }
    return false;
}

bool TfiE1::HandleKey(QWidget* box, QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    const bool none = mods == Qt::NoModifier;
    const int page = pages_->currentIndex();  // 0..4
    const bool formPage = page < 4;
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (none) MoveFocus(true);
            return true;  // never reaches the text
        case Qt::Key_Down:
            if (!none) return false;
            MoveFocus(true);
            return true;
        case Qt::Key_Up:
            if (!none) return false;
            MoveFocus(false);
            return true;
        case Qt::Key_Escape:
            RequestClose();
            return true;
        case Qt::Key_PageDown:
            if (ctrl && formPage) ScrollPage(page + 1, 50);
            else if (none || ctrl) GoToPage((page + 1) % kFormPageCount);
            else return false;
            return true;
        case Qt::Key_PageUp:
            if (ctrl && formPage) ScrollPage(page + 1, -50);
            else if (none || ctrl) GoToPage((page + kFormPageCount - 1) % kFormPageCount);
            else return false;
            return true;
        case Qt::Key_Home:
            if (!ctrl) return false;
            scrolls_[0]->verticalScrollBar()->setValue(0);
            return true;
        case Qt::Key_End:
            if (!ctrl) return false;
            scrolls_[0]->verticalScrollBar()->setValue(400);
            return true;
        // When no main window took them as its shortcuts.
        case Qt::Key_F2:
            if (!none) return false;
            SaveE1();
            return true;
        case Qt::Key_F8:
            if (!none) return false;
            RunClearance();
            return true;
        default:
            break;
    }
    (void)box;
    return false;
}

void TfiE1::MoveFocus(bool forward) {
    QWidget* current = focusWidget();
    if (!current) current = Control("edDoy");
    QWidget* w = current;
    for (size_t guard = 0; guard < boxes_.size() * 4 + 16; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == current) break;
        if (!isAncestorOf(w) || !w->isVisible() || !w->isEnabled()) continue;
        if (!(w->focusPolicy() & Qt::TabFocus)) continue;
        if (!index_.count(Lower(w->objectName().toStdString()))) continue;
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        const int page = pages_->currentIndex();
        if (page < 4) scrolls_[page]->ensureWidgetVisible(w, 10, 40);
        return;
    }
}

void TfiE1::GoToPage(int index) {
    pages_->setCurrentIndex(index);
    if (index != 0) {
        // The first box of the page takes the focus, so the keys keep working.
        for (const Box& box : boxes_) {
            if (box.def->page != index + 1 || !box.widget->isVisible() || !box.widget->isEnabled()) continue;
            if (!(box.widget->focusPolicy() & Qt::TabFocus)) continue;
            box.widget->setFocus(Qt::OtherFocusReason);
            if (index < 4) scrolls_[index]->ensureWidgetVisible(box.widget, 10, 40);
            break;
        }
    }
}

void TfiE1::ScrollPage(int page, int delta) {
    if (QScrollArea* s = PageScroll(page)) s->verticalScrollBar()->setValue(s->verticalScrollBar()->value() + delta);
}

// ---------------------------------------------------------------- closing

void TfiE1::RequestClose() {
    if (modified_ && !context_.dialogs.AskYesNo(kEscapeQuestion)) return;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->close();
    else close();
}

void TfiE1::closeEvent(QCloseEvent* event) {
    if (!closing_ && modified_) {
        closing_ = true;
        const bool saveFailed = context_.dialogs.AskYesNo(kCloseQuestion) && !SaveE1() && modified_;
        closing_ = false;
        // The user asked to keep the changes and they could not be written
        // (the error was shown): closing now would throw them away.
        if (saveFailed) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

// ---------------------------------------------------------------- record

bool TfiE1::FillRecordFromWindow(E1Record& target) {
    E1Record record;
    record.Clear();
    record.SetRegistrationNumber(target.RegistrationNumber());
    try {
        for (const RecordField& f : E1Record::Fields()) {
            if (Lower(f.name) == "edaacode") continue;
            QWidget* w = Control(f.name);
            if (!w) continue;
            switch (f.kind) {
                case FieldKind::String:
                    if (auto* e = qobject_cast<QLineEdit*>(w)) record.SetText(f, e->text().toStdString());
                    break;
                case FieldKind::Star:
                    if (auto* c = qobject_cast<QCheckBox*>(w)) record.SetText(f, c->isChecked() ? "*" : "");
                    break;
                case FieldKind::Byte:
                case FieldKind::Int16:
                case FieldKind::Int32:
                    record.SetInt(f, static_cast<int64_t>(std::llround(NumberOf(w))));
                    break;
                case FieldKind::Real48:
                    record.SetReal(f, NumberOf(w));
                    break;
                case FieldKind::Bool:
                    if (auto* c = qobject_cast<QCheckBox*>(w)) record.SetBool(f, c->isChecked());
                    break;
                case FieldKind::Bytes:
                    break;
            }
        }

        // The two large-city flags travel as codes 093 and 095.
        if (auto* c = Check("cbTelos500F")) SetAmount(93, c->isChecked() ? 1 : 0);
        if (auto* c = Check("cbTelos500S")) SetAmount(95, c->isChecked() ? 1 : 0);

        int counter = 0;
        bool overflow = false;
        for (const Box& box : boxes_) {
            const std::string lower = Lower(box.def->name);
            const bool tick = lower.rfind("cbp", 0) == 0;
            const bool edit = lower.rfind("edp", 0) == 0;
            double value = 0;
            if (edit && (qobject_cast<TEditReal*>(box.widget) || qobject_cast<TEditInt*>(box.widget))) {
                if (static_cast<QLineEdit*>(box.widget)->text().isEmpty()) continue;
                value = NumberOf(box.widget);
            } else if (tick && qobject_cast<QCheckBox*>(box.widget)) {
                if (!static_cast<QCheckBox*>(box.widget)->isChecked()) continue;
                value = 1;
            } else {
                continue;
            }
            if (++counter > E1Record::kCodeCount) {
                overflow = true;
                continue;
            }
            const std::string digits = box.def->name.substr(3, 3);
            if (digits.size() != 3 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) continue;
            int code = std::stoi(digits);
            record.SetCode(counter - 1, static_cast<int16_t>(code), value);
        }
        if (overflow) context_.dialogs.ShowMessage(kTooManyCodesMessage);
    } catch (const std::exception& e) {  // RangeError, FloatOverflowError
        context_.dialogs.ShowError(e.what());
        return false;
    }
    target = record;
    return true;
}

void TfiE1::ClearWindow() {
    for (const Box& box : boxes_) {
        if (auto* c = qobject_cast<QCheckBox*>(box.widget)) c->setChecked(false);
        else if (auto* e = qobject_cast<QLineEdit*>(box.widget)) e->clear();
    }
}

void TfiE1::FillWindowFromRecord(const E1Record& record) {
    ClearWindow();
    SetWhole("edAACode", record.RegistrationNumber());
    for (const RecordField& f : E1Record::Fields()) {
        if (Lower(f.name) == "edaacode") continue;
        QWidget* w = Control(f.name);
        if (!w) continue;
        switch (f.kind) {
            case FieldKind::String:
                if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(Q(record.GetText(f)));
                break;
            case FieldKind::Star:
                if (auto* c = qobject_cast<QCheckBox*>(w)) c->setChecked(record.GetText(f) == "*");
                break;
            case FieldKind::Byte:
            case FieldKind::Int16:
            case FieldKind::Int32: {
                const int64_t v = record.GetInt(f);
                if (v <= 0) break;  // 0 or below leaves the box empty
                if (auto* i = qobject_cast<TEditInt*>(w)) i->SetValue(static_cast<int32_t>(v));
                else if (auto* r = qobject_cast<TEditReal*>(w)) r->SetValue(double(v));
                break;
            }
            case FieldKind::Real48: {
                const double v = record.GetReal(f);
                if (!(v > 0)) break;
                if (auto* r = qobject_cast<TEditReal*>(w)) r->setText(Q(FormatAmount(v)));
                else if (auto* i = qobject_cast<TEditInt*>(w)) {
                    if (auto n = RoundToInt32(v)) i->SetValue(*n);
                }
                break;
            }
            case FieldKind::Bool:
                if (auto* c = qobject_cast<QCheckBox*>(w)) c->setChecked(record.GetBool(f));
                break;
            case FieldKind::Bytes:
                break;
        }
    }

    for (const CodeEntry& entry : record.UsedCodes()) {
        if (entry.code <= 0 || entry.code > 999) continue;
        QWidget* tick = nullptr;
        QWidget* edit = nullptr;
        if (IsPostalCode205(entry)) {
            edit = CodeBox(205);
        } else {
            tick = CodeBox(entry.code, true);
            edit = CodeBox(entry.code);
        }
        if (auto* c = qobject_cast<QCheckBox*>(tick)) {
            c->setChecked(entry.value != 0);
        } else if (auto* r = qobject_cast<TEditReal*>(edit)) {
            r->setText(Q(FormatAmount(entry.value)));
        } else if (auto* i = qobject_cast<TEditInt*>(edit)) {
            // A value beyond a whole-number box (a damaged file) is left out.
            if (auto n = RoundToInt32(entry.value)) i->setText(QString::number(*n));
        }
    }

    auto follow = [this](const char* tickName, int code) {
        QCheckBox* c = Check(tickName);
        if (!c) return;
        const double v = CodeValueOf(code);
        if (v == 1) c->setChecked(true);
        else if (v == 0) c->setChecked(false);
    };
    follow("cbTelos500F", 93);
    follow("cbTelos500S", 95);
}

bool TfiE1::SaveE1() { return SaveDeclaration(false); }

// Save As differs only by the zero registration number. The window is taken
// into the record once, so its messages (too many codes) come once.
bool TfiE1::SaveE1As() { return SaveDeclaration(true); }

bool TfiE1::SaveDeclaration(bool zeroRegistration) {
    if (QLineEdit* afm = Edit("edAFM"); afm && afm->text().isEmpty())
        context_.dialogs.ShowMessage(kNoTaxNumberWarning);
    if (!FillRecordFromWindow(context_.e1)) return false;
    const int32_t registration = context_.e1.RegistrationNumber();
    if (zeroRegistration) context_.e1.SetRegistrationNumber(0);
    const bool written = WriteDeclaration();
    if (zeroRegistration) {
        if (!written) {
            // Nothing was saved as a new declaration: this one keeps its number.
            context_.e1.SetRegistrationNumber(registration);
        } else if (TEditInt* number = Int("edAACode")) {
            const bool was = modified_;
            number->SetValue(0);
            SetModified(was);
        }
    }
    return written;
}

bool TfiE1::WriteDeclaration() {
    const std::string taxNumber = context_.e1.TaxNumber();
    if (!TaxNumberIsSafeForFileName(taxNumber)) {
        context_.dialogs.ShowError(kUnsafeTaxNumberMessage);
        return false;
    }
    try {
        if (context_.store.Exists(DeclarationKind::E1, taxNumber) && !context_.dialogs.AskYesNo(kOverwriteQuestion)) {
            SetModified(false);
            return false;
        }
        context_.store.Write(context_.e1);
    } catch (const std::exception& e) {
        context_.dialogs.ShowError(e.what());
        return false;
    }
    context_.dialogs.ShowMessage(kSavedMessage);
    SetModified(false);
    return true;
}

bool TfiE1::OpenDeclaration(const std::string& taxNumber) {
    try {
        context_.store.Read(taxNumber, context_.e1);
    } catch (const std::exception& e) {
        context_.dialogs.ShowError(e.what());
        return false;
    }
    FillWindowFromRecord(context_.e1);
    SetModified(false);
    return true;
}

// ---------------------------------------------------------------- clearance

E1IntakeInput TfiE1::IntakeInput() const {
    E1IntakeInput in;
    for (const Box& box : boxes_) {
        const std::string lower = Lower(box.def->name);
        IntakeEntry entry;
        entry.name = box.def->name;
        if (lower.rfind("edp", 0) == 0) {
            if (auto* r = qobject_cast<TEditReal*>(box.widget)) {
                entry.kind = IntakeControl::Amount;
                entry.empty = r->text().isEmpty();
                entry.value = r->Value();
            } else if (auto* i = qobject_cast<TEditInt*>(box.widget)) {
                entry.kind = IntakeControl::Integer;
                entry.empty = i->text().isEmpty();
                entry.value = i->Value();
            } else {
                continue;
            }
        } else if (lower.rfind("cbp", 0) == 0) {
            auto* c = qobject_cast<QCheckBox*>(box.widget);
            if (!c) continue;
            entry.kind = IntakeControl::Tick;
            entry.value = c->isChecked() ? 1 : 0;
        } else {
            continue;
        }
        in.entries.push_back(std::move(entry));
    }
    auto ticked = [this](const char* name) {
        QCheckBox* c = Check(name);
        return c && c->isChecked();
    };
    auto whole = [this](const std::string& name) {
        TEditInt* i = Int(name);
        return i ? i->Value() : 0;
    };
    in.exemptF = ticked("cbExairesiF");
    in.exemptS = ticked("cbExairesiS");
    in.touristTownF = ticked("cbTelos400F");
    in.touristTownS = ticked("cbTelos400S");
    in.largeCityF = ticked("cbTelos500F");
    in.largeCityS = ticked("cbTelos500S");
    in.married = ticked("cbMarried");
    in.lateMonths = whole("edEkprot");
    for (int i = 0; i < 7; ++i) {
        in.carCapacity[i] = whole("edCarIppoi" + std::to_string(i + 1));
        in.carYear[i] = whole("edCarYear" + std::to_string(i + 1));
    }
    in.boatLength1 = NumberOf(Control("edScafosLen"));
    in.boatLength2 = NumberOf(Control("edScafosLen2"));
    in.boatType1 = ticked("cbBoatType1");
    in.boatType3 = ticked("cbBoatType3");
    return in;
}

void TfiE1::ListFilledCodes(std::vector<FilledCodeLine>& taxpayer, std::vector<FilledCodeLine>& spouse) const {
    taxpayer.clear();
    spouse.clear();
    for (int code = 1; code <= 999; ++code) {
        auto& side = code % 2 ? taxpayer : spouse;
        const std::string digits = Digits3(code);
        if (auto* c = qobject_cast<QCheckBox*>(CodeBox(code, true)); c && c->isChecked())
            side.push_back({digits, "ΝΑΙ"});
        QWidget* edit = CodeBox(code);
        if (auto* r = qobject_cast<TEditReal*>(edit); r && r->Value() > 0)
            side.push_back({digits, FormatAmount(r->Value())});
        else if (auto* i = qobject_cast<TEditInt*>(edit); i && i->Value() > 0)
            side.push_back({digits, std::to_string(i->Value())});
    }
}

StatementHeader TfiE1::MakeStatementHeader() const {
    auto text = [this](const char* name) {
        QLineEdit* e = Edit(name);
        return e ? e->text().toStdString() : std::string();
    };
    StatementHeader h;
    h.taxNumber = text("edAFM");
    h.taxOffice = text("edDoy");
    h.spouseTaxNumber = text("edSyzAFM");
    h.names = text("edBigName") + " " + text("edName");
    h.spouseNames = text("edSyzBigName") + " " + text("edSyzName");
    h.address = text("edAdress");
    ListFilledCodes(h.taxpayerCodes, h.spouseCodes);
    return h;
}

void TfiE1::RunClearance() {
    const E1IntakeInput input = IntakeInput();
    PrepareFromE1(context_.engine, input, context_.edition);
    ComputeClearance(context_.engine, context_.edition);
    if (context_.statements) context_.statements->Open(MakeStatementHeader(), this);
}

// ---------------------------------------------------------------- calculators

void TfiE1::ExpandYearBox(TEditInt* box) {
    if (!box) return;
    const int expanded = ExpandTwoDigitYear(box->Value(), context_.edition.year);
    if (expanded != box->Value()) box->SetValue(expanded);
}

void TfiE1::CalculateAuto() {
    std::array<CarInput, 7> cars{};
    for (int i = 0; i < 7; ++i) {
        const std::string n = std::to_string(i + 1);
        CarInput& car = cars[i];
        car.capacity = static_cast<int>(NumberOf(Control("edCarIppoi" + n)));
        car.months = static_cast<int>(NumberOf(Control("edCarMonths" + n)));
        car.percentage = static_cast<int>(NumberOf(Control("edCarPosost" + n)));
        car.year = static_cast<int>(NumberOf(Control("edCarYear" + n)));
        if (QLineEdit* mark = Edit("edCarMeiwsi" + n)) car.mark = mark->text().toStdString();
        QCheckBox* which = Check("cbCarWhich" + n);
        car.spouses = which && which->isChecked();
    }
    const CarsResult result = kestrana::CalculateAuto(cars, context_.edition.year);
    for (int i = 0; i < result.rowsComputed; ++i) {
        SetAmount(851 + 2 * i, result.rows[i].taxpayer);
        SetAmount(852 + 2 * i, result.rows[i].spouse);
    }
    if (!result.error.empty()) context_.dialogs.ShowError(result.error);
}

void TfiE1::CalcBoat() {
    auto read = [this](const char* len, const char* months, const char* pT, const char* pS, int yearCode,
                       const char* quarters, const char* sailing) {
        BoatInput b;
        b.length = static_cast<int>(NumberOf(Control(len)));
        b.months = static_cast<int>(NumberOf(Control(months)));
        b.taxpayerPercentage = static_cast<int>(NumberOf(Control(pT)));
        b.spousePercentage = static_cast<int>(NumberOf(Control(pS)));
        b.year = static_cast<int>(CodeValueOf(yearCode));
        b.livingQuarters = NumberOf(Control(quarters)) != 0;
        b.sailing = NumberOf(Control(sailing)) != 0;
        return b;
    };
    const std::array<BoatInput, 2> boats{
        read("edScafosLen", "edScafosMonths", "edScafosPososto1", "edScafosPososto2", 961, "cbBoatType0",
             "cbBoatType1"),
        read("edScafosLen2", "edScafosMonths2", "edScafosPososto3", "edScafosPososto4", 963, "cbBoatType2",
             "cbBoatType3")};
    // Read straight from the box: the residence calculator may not have run
    // since the declaration was opened.
    const bool residentAbroad = CodeValueOf(319) != 0;
    const auto result = kestrana::CalcBoat(boats, context_.edition.year, residentAbroad, CodeValueOf(993));
    if (!result) return;
    for (int b = 0; b < 2; ++b) {
        SetAmount(711 + 2 * b, (*result)[b].taxpayer);
        SetAmount(712 + 2 * b, (*result)[b].spouse);
    }
}

void TfiE1::CalcPisina() {
    PoolInput p;
    p.outdoorArea = NumberOf(Control("edDexamOutMetr"));
    p.outdoorTaxpayer = NumberOf(Control("edDexamPosOut"));
    p.outdoorSpouse = NumberOf(Control("edDexamSPosOut"));
    p.outdoorMonths = static_cast<int>(CodeValueOf(740));
    p.indoorArea = NumberOf(Control("edDexamInMetr"));
    p.indoorTaxpayer = NumberOf(Control("edDexamPosIn"));
    p.indoorSpouse = NumberOf(Control("edDexamSPosIn"));
    p.indoorMonths = static_cast<int>(CodeValueOf(749));
    const auto result = kestrana::CalcPisina(p, CodeValueOf(994));
    if (!result) return;
    SetAmount(765, result->taxpayer);
    SetAmount(766, result->spouse);
}

void TfiE1::CalcIdiokat() {
    std::array<ResidenceInput, 3> homes = ReadResidences([this](int code) { return CodeValueOf(code); });
    const ResidencesResult result = kestrana::CalcIdiokat(homes, CodeValueOf(992));
    if (result.switchedOff) return;
    for (int r = 0; r < 3; ++r) {
        if (!result.percentagesCleared[r]) continue;
        context_.dialogs.ShowMessage(kPercentagesWrongMessage);
        const ResidenceCodes& c = ResidenceCodeTable()[r];
        for (int code : {c.taxpayerPercentage, c.spousePercentage}) {
            QWidget* box = CodeBox(code);
            if (auto* i = qobject_cast<TEditInt*>(box)) i->SetValue(0);
            else if (auto* a = qobject_cast<TEditReal*>(box)) a->SetValue(0);
        }
    }
    if (!result.error.empty()) {
        context_.dialogs.ShowError(result.error);
        return;
    }
    for (int r = 0; r < 3; ++r) {
        const ResidenceCodes& c = ResidenceCodeTable()[r];
        SetAmount(c.taxpayerResult, result.rows[r].taxpayer);
        SetAmount(c.spouseResult, result.rows[r].spouse);
    }
}

void TfiE1::SelectEidosEisod(int amountCode) {
    const int categoryCode = CategoryCodeForAmount(amountCode);
    const int page = IncomeCategoryPageForAmount(amountCode);
    QWidget* category = CodeBox(categoryCode);
    if (!category || page < 0) return;
    auto store = [category](int value) {
        if (auto* r = qobject_cast<TEditReal*>(category)) r->SetValue(value);
        else if (auto* i = qobject_cast<TEditInt*>(category)) i->SetValue(value);
    };
    if (NumberOf(CodeBox(amountCode)) == 0) {
        store(0);
        return;
    }
    const int current = RoundToInt32(NumberOf(category)).value_or(0);
    TfiSelectEisod dialog(context_.edition, context_.dialogs, page, current, this);
    if (context_.modal.Exec(dialog) == QDialog::Accepted) store(dialog.Result());
}

void TfiE1::ChooseTaxOffice() {
    TfiDOYS dialog(context_.store.BaseDir(), this);
    if (context_.modal.Exec(dialog) == QDialog::Accepted)
        if (QLineEdit* doy = Edit("edDoy")) doy->setText(dialog.ChosenDescription());
}

void TfiE1::Print() {
    if (!context_.printing || !FillRecordFromWindow(context_.e1)) return;
    context_.printing->PrintDeclaration(DeclarationKind::E1, this);
}

void TfiE1::PrintCars() {
    if (!context_.printing || !FillRecordFromWindow(context_.e1)) return;
    context_.printing->PrintCars(this);
}

void TfiE1::ShowHorsepowerTable() {
    TfiConvertCc dialog(this);
    context_.modal.Exec(dialog);
}

}  // namespace kestrana
