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
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

#include "controls/edit_afm.h"
#include "controls/edit_int.h"
#include "controls/edit_real.h"
#include "e1/calc/document_calculators.h"
#include "e1/model/e1_document_io.h"
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
#include "printing/print_service.h"
#include "records/declarations_store.h"
#include "records/e1_record.h"
#include "records/record_files.h"
#include "statement/statement_opener.h"

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

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Page heights of the form pictures at 964 dots wide, when a picture is missing.
constexpr int kPictureHeights[4] = {1374, 1335, 1394, 1335};

}  // namespace

TfiE1::TfiE1(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), document_(E1FormModel(context.edition)) {
    setObjectName(QStringLiteral("fiE1"));
    setWindowTitle(QString::fromUtf8(kE1Caption));
    context_.e1.Clear();
    widgets_.assign(document_.Size(), nullptr);
    BuildPages();
    document_.SetListener([this](size_t i) { OnDocumentChanged(i); });
    CreateActions();
    HookEvents();
    pages_->setCurrentIndex(0);
    for (QScrollArea* s : scrolls_) s->verticalScrollBar()->setValue(0);
    SetModified(false);
}

TfiE1::~TfiE1() { document_.SetListener({}); }

// ---------------------------------------------------------------- building

void TfiE1::BuildPages() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    pages_->tabBar()->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(pages_);

    const FormModel& model = document_.Form();
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
            const size_t i = static_cast<size_t>(c - model.Controls().data());
            QWidget* w = CreateControl(*c, canvas, scale);
            widgets_[i] = w;
            indexOf_.emplace(w, i);
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
    // The focus chain follows creation, page by page in the table's order.
    for (size_t i = 0; i < widgets_.size(); ++i)
        if (widgets_[i]) BindControl(i, widgets_[i]);
}

QWidget* TfiE1::CreateControl(const FormControl& def, QWidget* canvas, double scale) {
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
    return w;
}


// ---------------------------------------------------------------- binding

// The widget writes what the user types into the document; what the program
// writes into the document (a load, a calculator) comes back through
// OnDocumentChanged.
void TfiE1::BindControl(size_t i, QWidget* w) {
    auto push = [this, i](const std::function<void()>& write) {
        pushing_ = i;
        write();
        pushing_ = SIZE_MAX;
    };
    if (auto* real = qobject_cast<TEditReal*>(w)) {
        connect(real, &TEditReal::changed, this, [this, real, i, push] {
            push([&] { document_.SetNumber(i, real->text().isEmpty() ? std::nullopt : std::optional<double>(real->Value())); });
        });
    } else if (auto* whole = qobject_cast<TEditInt*>(w)) {
        connect(whole, &TEditInt::changed, this, [this, whole, i, push] {
            push([&] {
                document_.SetNumber(i, whole->text().isEmpty() ? std::nullopt : std::optional<double>(whole->Value()));
            });
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textChanged, this, [this, i, push](const QString& text) {
            push([&] { document_.SetText(i, text.toStdString()); });
        });
    } else if (auto* tick = qobject_cast<QCheckBox*>(w)) {
        connect(tick, &QCheckBox::toggled, this, [this, i, push](bool on) {
            push([&] { document_.SetChecked(i, on); });
        });
    }
}

void TfiE1::ShowValue(size_t i) {
    QWidget* w = widgets_[i];
    if (!w) return;
    const FieldValue& v = document_.Value(i);
    const QSignalBlocker block(w);
    if (auto* real = qobject_cast<TEditReal*>(w)) real->ShowNumber(v.number);
    else if (auto* whole = qobject_cast<TEditInt*>(w)) whole->ShowNumber(v.number);
    else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(Q(v.text));
    else if (auto* tick = qobject_cast<QCheckBox*>(w)) tick->setChecked(v.checked);
}

void TfiE1::OnDocumentChanged(size_t i) {
    if (i != pushing_) ShowValue(i);
    if (document_.Control(i).marksModified) SetModified(true);
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

QAction* TfiE1::Action(std::string_view name) const {
    return findChild<QAction*>(Q(std::string(name)), Qt::FindDirectChildrenOnly);
}

void TfiE1::GoToControl(const FormControl& control) {
    QWidget* w = Control(control.name);
    if (!w) return;
    pages_->setCurrentIndex(control.page - 1);
    if (QScrollArea* scroll = PageScroll(control.page)) scroll->ensureWidgetVisible(w, 10, 40);
    if (w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
}

bool TfiE1::FindCode(std::string_view typed) {
    const FormControl* control = FindCodeControl(document_.Form(), typed);
    if (!control) return false;
    GoToControl(*control);
    return true;
}

// ---------------------------------------------------------------- lookups

QWidget* TfiE1::Control(std::string_view name) const {
    const int i = document_.IndexOf(name);
    return i < 0 ? nullptr : widgets_[i];
}
QLineEdit* TfiE1::Edit(std::string_view name) const { return qobject_cast<QLineEdit*>(Control(name)); }
QCheckBox* TfiE1::Check(std::string_view name) const { return qobject_cast<QCheckBox*>(Control(name)); }
TEditReal* TfiE1::Real(std::string_view name) const { return qobject_cast<TEditReal*>(Control(name)); }
TEditInt* TfiE1::Int(std::string_view name) const { return qobject_cast<TEditInt*>(Control(name)); }

QWidget* TfiE1::CodeBox(int code, bool tickBox) const {
    const int i = tickBox ? document_.TickBox(code) : document_.NumericBox(code);
    return i < 0 ? nullptr : widgets_[i];
}

QScrollArea* TfiE1::PageScroll(int page) const {
    return page >= 1 && page <= 4 ? scrolls_[page - 1] : nullptr;
}

// ---------------------------------------------------------------- state

void TfiE1::SetModified(bool on) {
    if (modified_ == on) return;
    modified_ = on;
    emit modifiedChanged(on);
}

// ---------------------------------------------------------------- events

// The form table says what each box sets going when the user leaves it or
// ticks it.
void TfiE1::HookEvents() {
    for (size_t i = 0; i < widgets_.size(); ++i) {
        QWidget* w = widgets_[i];
        if (!w) continue;
        const FormControl& def = document_.Control(i);
        if (def.navigationKeys || def.showsCarLegend) w->installEventFilter(this);
        if (auto* r = qobject_cast<TEditReal*>(w)) connect(r, &TEditReal::exited, this, [this, i] { Leave(i); });
        else if (auto* n = qobject_cast<TEditInt*>(w)) connect(n, &TEditInt::exited, this, [this, i] { Leave(i); });
        else if (auto* a = qobject_cast<TEditAFM*>(w)) connect(a, &TEditAFM::exited, this, [this, i] { Leave(i); });
        if (def.onClick != Calculator::None)
            if (auto* c = qobject_cast<QCheckBox*>(w))
                connect(c, &QCheckBox::clicked, this, [this, calc = def.onClick] { Calculate(calc); });
    }

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

void TfiE1::Leave(size_t i) {
    const FormControl& def = document_.Control(i);
    if (def.expandsYear) ExpandYearBox(document_, i, context_.edition);
    if (def.onLeave == Calculator::IncomeCategory) SelectEidosEisod(def.code);
    else if (def.onLeave != Calculator::None) Calculate(def.onLeave);
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
    auto it = indexOf_.find(watched);
    if (it == indexOf_.end()) return false;
    const FormControl& def = document_.Control(it->second);
    if (def.showsCarLegend && event->type() == QEvent::FocusIn) {
        if (legend_) legend_->show();
    } else if (def.showsCarLegend && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (legend_) legend_->hide();
            Leave(it->second);
        }
    } else if (event->type() == QEvent::KeyPress && def.navigationKeys) {
        return HandleKey(static_cast<QKeyEvent*>(event));
    }
    return false;
}

bool TfiE1::HandleKey(QKeyEvent* key) {
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
    return false;
}

void TfiE1::MoveFocus(bool forward) {
    QWidget* current = focusWidget();
    if (!current) current = Control("edDoy");
    QWidget* w = current;
    for (size_t guard = 0; guard < widgets_.size() * 4 + 16; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == current) break;
        if (!isAncestorOf(w) || !w->isVisible() || !w->isEnabled()) continue;
        if (!(w->focusPolicy() & Qt::TabFocus)) continue;
        if (!indexOf_.count(w)) continue;
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
        for (size_t i = 0; i < widgets_.size(); ++i) {
            QWidget* w = widgets_[i];
            if (!w || document_.Control(i).page != index + 1 || !w->isVisible() || !w->isEnabled()) continue;
            if (!(w->focusPolicy() & Qt::TabFocus)) continue;
            w->setFocus(Qt::OtherFocusReason);
            if (index < 4) scrolls_[index]->ensureWidgetVisible(w, 10, 40);
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
    const RecordOutcome outcome = DocumentToRecord(document_, target);
    if (!outcome.ok) {
        context_.dialogs.ShowError(outcome.error);
        return false;
    }
    if (outcome.tooManyCodes) context_.dialogs.ShowMessage(kTooManyCodesMessage);
    return true;
}

void TfiE1::FillWindowFromRecord(const E1Record& record) { DocumentFromRecord(record, document_); }

bool TfiE1::SaveE1() { return SaveDeclaration(false); }

// Save As differs only by the zero registration number. The window is taken
// into the record once, so its messages (too many codes) come once.
bool TfiE1::SaveE1As() { return SaveDeclaration(true); }

bool TfiE1::SaveDeclaration(bool zeroRegistration) {
    if (document_.Text("edAFM").empty()) context_.dialogs.ShowMessage(kNoTaxNumberWarning);
    if (!FillRecordFromWindow(context_.e1)) return false;
    const int32_t registration = context_.e1.RegistrationNumber();
    if (zeroRegistration) context_.e1.SetRegistrationNumber(0);
    const bool written = WriteDeclaration();
    if (zeroRegistration) {
        if (!written) {
            // Nothing was saved as a new declaration: this one keeps its number.
            context_.e1.SetRegistrationNumber(registration);
        } else if (const int number = document_.IndexOf("edAACode"); number >= 0) {
            const bool was = modified_;
            document_.SetWhole(number, 0);
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

void TfiE1::RunClearance() {
    PrepareFromE1(context_.engine, IntakeOf(document_), context_.edition);
    ComputeClearance(context_.engine, context_.edition);
    if (context_.statements) context_.statements->Open(StatementHeaderOf(document_), this);
}

// ---------------------------------------------------------------- calculators

void TfiE1::Calculate(Calculator calculator) {
    for (const CalculatorNotice& notice : RunCalculator(calculator, document_, context_.edition)) {
        if (notice.error) context_.dialogs.ShowError(notice.text);
        else context_.dialogs.ShowMessage(notice.text);
    }
}

void TfiE1::SelectEidosEisod(int amountCode) {
    const CategoryChoice choice = BeginCategoryChoice(document_, amountCode);
    if (!choice.ask) return;
    TfiSelectEisod dialog(context_.edition, context_.dialogs, choice.page, choice.current, this);
    if (context_.modal.Exec(dialog) == QDialog::Accepted) FinishCategoryChoice(document_, choice, dialog.Result());
}

void TfiE1::ChooseTaxOffice() {
    TfiDOYS dialog(context_.store.BaseDir(), this);
    if (context_.modal.Exec(dialog) == QDialog::Accepted)
        if (const int doy = document_.IndexOf("edDoy"); doy >= 0)
            document_.SetText(doy, dialog.ChosenDescription().toStdString());
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
