#include "shell/tfi_main.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include "e1/window/tfi_e1.h"
#include "editions/edition.h"
#include "info/tfi_about.h"
#include "platform/app_context.h"
#include "records/declarations_store.h"
#include "platform/user_dialogs.h"
#include "shell/shell_files.h"
#include "shell/index_window/tfi_entypa_list.h"
#include "shell/shell_parts.h"
#include "update/update_service.h"

namespace kestrana {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The program's folder: the base folder of the declarations store (the
// working folder when it names none), where the markers live beside Tables.
std::filesystem::path ProgramFolderOf(const AppContext& context) {
    const std::string& base = context.store.BaseDir();
    return base.empty() ? std::filesystem::path(QDir::currentPath().toStdString()) : std::filesystem::path(base);
}

QColor TileColour(int n) {
    static const QColor colours[3] = {QColor(21, 101, 192), QColor(46, 125, 50),
                                      QColor(239, 108, 0)};
    return colours[n];
}

// A tile picture: coloured card with a large symbol and the command's text.
QPixmap TilePicture(int n, const QSize& size) {
    static const char* symbols[3] = {"Ε1", "Ε2", "↻"};
    static const char* texts[3] = {"Δήλωση Εισοδήματος Ε1\n(Φυσικών Προσώπων)",
                                   "Δήλωση Μισθωμάτων\nΑκινήτων Ε2",
                                   "Έλεγχος Νέας Έκδοσης"};
    QPixmap pix(size);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, TileColour(n).lighter(130));
    g.setColorAt(1, TileColour(n));
    p.fillRect(pix.rect(), g);
    p.setPen(Qt::white);
    QFont big("Arial", 44, QFont::Bold);
    p.setFont(big);
    p.drawText(QRect(0, 10, size.width(), size.height() * 55 / 100), Qt::AlignCenter, symbols[n]);
    QFont small("Arial", 12, QFont::Bold);
    p.setFont(small);
    p.drawText(QRect(8, size.height() * 55 / 100, size.width() - 16, size.height() * 45 / 100 - 8),
               Qt::AlignCenter | Qt::TextWordWrap, texts[n]);
    return pix;
}

QIcon PaintedIcon(const QString& glyph, const QColor& colour) {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(Qt::white);
    p.setFont(QFont("Arial", 15, QFont::Bold));
    p.drawText(pix.rect(), Qt::AlignCenter, glyph);
    return QIcon(pix);
}

QIcon PrinterIcon() {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(90, 90, 100));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(11, 24, 21, 24);
    p.drawLine(11, 27, 19, 27);
    return QIcon(pix);
}

// The logo opens the maker's site when clicked.
class LogoLabel : public QLabel {
public:
    LogoLabel(UserDialogs& dialogs, QWidget* parent) : QLabel(parent), dialogs_(dialogs) {
        setObjectName("imLogo");
        setPixmap(MakerLogo(36));
        setCursor(Qt::PointingHandCursor);
        setToolTip(kMakerSite);
        setContentsMargins(12, 0, 8, 0);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            dialogs_.OpenDocument(kMakerSite);
    }

private:
    UserDialogs& dialogs_;
};

// Enter in the find box runs the search and goes no further.
class FindBox : public QLineEdit {
public:
    FindBox(std::function<void()> onEnter, QWidget* parent)
        : QLineEdit(parent), onEnter_(std::move(onEnter)) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            onEnter_();
            e->accept();
            return;
        }
        QLineEdit::keyPressEvent(e);
    }

private:
    std::function<void()> onEnter_;
};

}  // namespace

TfiMain::TfiMain(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName("fiMain");
    setWindowTitle(Q(context_.edition.title));  // replaced by StartUp
    setWindowIcon(PaintedIcon("Κ", QColor(21, 101, 192)));
    resize(1280, 900);

    mdi_ = new QMdiArea;
    mdi_->setObjectName("MdiArea");
    mdi_->setBackground(QColor(171, 171, 171));
    centre_ = new QStackedWidget;
    centre_->addWidget(CreateWelcomePanel());
    centre_->addWidget(mdi_);
    setCentralWidget(centre_);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { ActionsUpdate(); });
    // The enable rules also follow changes the window set does not signal.
    auto* idle = new QTimer(this);
    idle->setInterval(250);
    connect(idle, &QTimer::timeout, this, [this] { ActionsUpdate(); });
    idle->start();
    ActionsUpdate();
}

TfiMain::~TfiMain() {
    // The MDI area still signals while the children go away.
    destroying_ = true;
    mdi_->disconnect(this);
}

QAction* TfiMain::MakeAction(const char* name, const QString& caption, const QString& hint) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    // Hints are tooltips only: a status tip would be painted over the fixed
    // key panels of the status bar.
    a->setToolTip(hint.isEmpty() ? caption : hint);
    return a;
}

// A menu entry with its own caption that runs, and follows the state of, an action.
QAction* TfiMain::MenuItem(QAction* action, const QString& caption) {
    // The key is shown beside the caption but belongs to the action alone:
    // two actions on one key are an ambiguous shortcut and neither runs.
    const QString key = action->shortcut().toString(QKeySequence::NativeText);
    auto* item = new QAction(key.isEmpty() ? caption : caption + "\t" + key, this);
    item->setObjectName(QString("mi") + action->objectName().mid(2));
    item->setToolTip(action->toolTip());
    item->setEnabled(action->isEnabled());
    connect(item, &QAction::triggered, action, &QAction::trigger);
    connect(action, &QAction::changed, item, [item, action] { item->setEnabled(action->isEnabled()); });
    return item;
}

void TfiMain::CreateActions() {
    QAction* a;
    a = MakeAction("acE1", "Δήλωση Εισοδήματος Ε1 (Φυσικών Προσώπων)", "Δήλωση Ε1 (Φυσικών Προσώπων)");
    connect(a, &QAction::triggered, this, [this] { NewDeclaration(DeclarationKind::E1); });
    a = MakeAction("acE2", "Δήλωση Μισθώματα Ακινήτων Ε2", "Δήλωση Ε2 (Μισθώματα Ακινήτων)");
    connect(a, &QAction::triggered, this, [this] { NewDeclaration(DeclarationKind::E2); });
    a = MakeAction("acFastEntry", "Σύντομη Δήλωση με κωδικούς", "Σύντομη Δήλωση");
    connect(a, &QAction::triggered, this, &TfiMain::FastEntry);
    a = MakeAction("acLoadE1", "Ευρετήριο Δηλώσεων Ε1", "");
    connect(a, &QAction::triggered, this, [this] { LoadDeclaration(DeclarationKind::E1); });
    a = MakeAction("acLoadE2", "Ευρετήριο Δηλώσεων Ε2", "");
    connect(a, &QAction::triggered, this, [this] { LoadDeclaration(DeclarationKind::E2); });
    a = MakeAction("acSave", "Αποθήκευση", "");
    a->setShortcut(QKeySequence(Qt::Key_F2));
    a->setShortcutContext(Qt::ApplicationShortcut);
    a->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(a, &QAction::triggered, this, [this] { RunChildCommand("miSave"); });
    a = MakeAction("acSaveAs", "Αποθήκευση Ως...", "");
    connect(a, &QAction::triggered, this, [this] { RunChildCommand("miSaveAs"); });
    a = MakeAction("acPrint", "Εκτύπωση", "");
    a->setIcon(PrinterIcon());
    connect(a, &QAction::triggered, this, [this] { RunChildCommand("miPrint"); });
    a = MakeAction("acEka", "Εκκαθάριση φόρου", "");
    a->setShortcut(QKeySequence(Qt::Key_F8));
    a->setShortcutContext(Qt::ApplicationShortcut);
    a->setIcon(PaintedIcon("€", QColor(198, 40, 40)));
    connect(a, &QAction::triggered, this, [this] {
        QWidget* w = ActiveDeclaration();
        if (w && w->objectName() == "fiE1") RunChildCommand("miEka2003");
    });
    a = MakeAction("acEmptyFiles", "Διαγραφή Αρχείων", "");
    connect(a, &QAction::triggered, this, &TfiMain::EmptyFiles);
    a = MakeAction("acExit", "Έξοδος", "");
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    a->setShortcutContext(Qt::ApplicationShortcut);
    connect(a, &QAction::triggered, this, &QWidget::close);
    // Shortcuts must work while focus is anywhere in the window.
    for (QAction* each : findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) addAction(each);
}

QAction* TfiMain::Action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TfiMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu("Αρχείο");
    file->setObjectName("mnFile");
    file->addAction(MenuItem(Action("acSave"), Action("acSave")->text()));
    file->addAction(MenuItem(Action("acSaveAs"), Action("acSaveAs")->text()));
    file->addSeparator();
    file->addAction(MenuItem(Action("acPrint"), Action("acPrint")->text()));
    file->addSeparator();
    file->addAction(MenuItem(Action("acExit"), Action("acExit")->text()));

    QMenu* persons = bar->addMenu("Φυσικά Πρόσωπα");
    persons->setObjectName("mnPersons");
    persons->addAction(MenuItem(Action("acE1"), "Δήλωση Εισοδήματος Ε1"));
    persons->addAction(MenuItem(Action("acFastEntry"), "Σύντομη Δήλωση με κωδικούς Ε1"));
    persons->addAction(MenuItem(Action("acLoadE1"), Action("acLoadE1")->text()));

    QMenu* estate = bar->addMenu("Ακίνητα");
    estate->setObjectName("mnEstate");
    estate->addAction(MenuItem(Action("acE2"), "Δήλωση Μισθωμάτων Ακινήτων Ε2"));
    estate->addAction(MenuItem(Action("acLoadE2"), Action("acLoadE2")->text()));

    QMenu* tools = bar->addMenu("Βοηθητικά");
    tools->setObjectName("mnTools");
    tools->addAction(MenuItem(Action("acEmptyFiles"), Action("acEmptyFiles")->text()));
    tools->addSeparator();
    QAction* leaflet = tools->addAction("Φυλλάδιο οδηγιών", this, &TfiMain::OpenLeaflet);
    leaflet->setObjectName("miLeaflet");
    tools->addSeparator();
    QAction* about = tools->addAction("Πληροφορίες για το \"" + Q(context_.edition.title) + "\"", this,
                                      &TfiMain::ShowAbout);
    about->setObjectName("miAbout");
    tools->addSeparator();
    QAction* check = tools->addAction("Έλεγχος Νέας Έκδοσης", this, &TfiMain::CheckNewVersionManually);
    check->setObjectName("miNewVersion");
    miAutoCheck_ = tools->addAction("Αυτόματος έλεγχος νέων εκδόσεων κατα την εκκίνηση");
    miAutoCheck_->setObjectName("miAutoCheck");
    miAutoCheck_->setCheckable(true);
    miAutoCheck_->setChecked(true);
    // triggered carries the tick after it has toggled.
    connect(miAutoCheck_, &QAction::triggered, this, &TfiMain::ToggleAutoCheck);
}

void TfiMain::CreateToolBar() {
    QToolBar* bar = addToolBar("Εργαλεία");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->addAction(Action("acSave"));
    bar->addAction(Action("acPrint"));
    bar->addAction(Action("acEka"));
    bar->addSeparator();
    edFind_ = new FindBox([this] { FindCode(edFind_->text()); }, bar);
    edFind_->setObjectName("edFind");
    edFind_->setFixedWidth(90);
    edFind_->setPlaceholderText("Κωδικός");
    edFind_->setToolTip("Αναζήτηση Κωδικού. Γράψτε το κωδικό της δήλωσης και πατήστε enter");
    edFindAction_ = bar->addWidget(edFind_);
    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    bar->addWidget(new LogoLabel(context_.dialogs, bar));
}

void TfiMain::CreateStatusBar() {
    static const struct { const char* text; int width; } panels[] = {
        {"PgDn = Επόμενη Σελίδα", 140},
        {"PgUp = Προηγούμενη Σελίδα", 150},
        {"Ctrl + PgDn = Μετακίνηση Κάτω", 170},
        {"Ctrl + PgUp = Μετακίνηση Πάνω", 170},
        {"F2 = Αποθήκευση", 50},
    };
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    int i = 0;
    for (const auto& panel : panels) {
        auto* label = new QLabel(panel.text, bar);
        label->setObjectName(QString("StatusPanel%1").arg(i++));
        // At least the designed width; never cut the text.
        label->setMinimumWidth(panel.width);
        label->setFrameShape(QFrame::StyledPanel);
        label->setContentsMargins(4, 0, 4, 0);
        bar->addWidget(label);
    }
}

QWidget* TfiMain::CreateWelcomePanel() {
    welcome_ = new QWidget;
    welcome_->setObjectName("MainPanel1");
    welcome_->setAutoFillBackground(true);
    QPalette pal = welcome_->palette();
    pal.setColor(QPalette::Window, QColor(236, 240, 245));
    welcome_->setPalette(pal);
    welcome_->setMouseTracking(true);
    welcome_->installEventFilter(this);

    auto* title = new QLabel(Q(context_.edition.caption), welcome_);
    title->setObjectName("lbWelcome");
    title->setFont(QFont("Arial", 20, QFont::Bold));
    title->setStyleSheet("color: rgb(21,101,192);");
    title->setAlignment(Qt::AlignCenter);

    for (int i = 0; i < 3; ++i) {
        const int tag = i + 1;
        auto* shadow = new QFrame(welcome_);
        shadow->setObjectName(QString("P%1B").arg(tag));
        shadow->setAutoFillBackground(true);
        QPalette sp = shadow->palette();
        sp.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Dark));
        shadow->setPalette(sp);

        auto* frame = new QFrame(welcome_);
        frame->setObjectName(QString("P%1F").arg(tag));
        frame->setProperty("tag", tag);
        frame->setAutoFillBackground(true);
        frame->setBackgroundRole(QPalette::Highlight);

        auto* picture = new QLabel(frame);
        picture->setObjectName(QString("imgP%1").arg(tag));
        picture->setProperty("tag", tag);
        picture->setCursor(Qt::PointingHandCursor);
        picture->setScaledContents(true);
        picture->setMouseTracking(true);
        picture->installEventFilter(this);

        tileShadows_[i] = shadow;
        tileFrames_[i] = frame;
        tilePictures_[i] = picture;
    }
    PlaceTiles();
    return welcome_;
}

void TfiMain::PlaceTiles() {
    const QSize tile(220, 220);
    const int gap = 50;
    const int total = 3 * tile.width() + 2 * gap;
    const int left = std::max(10, (welcome_->width() - total) / 2);
    const int top = std::max(70, (welcome_->height() - tile.height()) / 2);
    if (auto* title = welcome_->findChild<QLabel*>("lbWelcome"))
        title->setGeometry(0, top - 70, welcome_->width(), 40);
    for (int i = 0; i < 3; ++i) {
        const QPoint at(left + i * (tile.width() + gap), top);
        tileShadows_[i]->setGeometry(QRect(at + QPoint(7, 6), tile));
        tileFrames_[i]->setGeometry(QRect(at, tile));
        tileFrames_[i]->setBackgroundRole(QPalette::Highlight);
        tilePictures_[i]->setGeometry(1, 1, tile.width() - 2, tile.height() - 2);
        if (tilePictures_[i]->pixmap().size() != tilePictures_[i]->size())
            tilePictures_[i]->setPixmap(TilePicture(i, tilePictures_[i]->size()));
    }
}

void TfiMain::HighlightAllTiles() {
    for (QFrame* f : tileFrames_) f->setBackgroundRole(QPalette::Highlight);
}

bool TfiMain::eventFilter(QObject* watched, QEvent* e) {
    if (watched == welcome_) {
        if (e->type() == QEvent::Resize) PlaceTiles();
        if (e->type() == QEvent::MouseMove) HighlightAllTiles();
        return false;
    }
    const QVariant tag = watched->property("tag");
    if (!tag.isValid() || !watched->objectName().startsWith("imgP")) return false;
    auto* frame = welcome_->findChild<QFrame*>(QString("P%1F").arg(tag.toInt()));
    if (!frame) return false;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton) break;
        frame->move(frame->pos() + QPoint(4, 4));
        frame->setBackgroundRole(QPalette::ToolTipBase);
        return true;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() != Qt::LeftButton) break;
        frame->move(frame->pos() - QPoint(4, 4));
        frame->setBackgroundRole(QPalette::Highlight);
        auto* picture = static_cast<QWidget*>(watched);
        if (picture->rect().contains(me->position().toPoint())) {
            // Runs after the event has returned: the command may open modal windows.
            const int n = tag.toInt();
            QTimer::singleShot(0, this, [this, n] {
                if (n == 1) Action("acE1")->trigger();
                else if (n == 2) Action("acE2")->trigger();
                else CheckNewVersionManually();
            });
        }
        return true;
    }
    case QEvent::MouseMove:
        frame->setBackgroundRole(QPalette::Highlight);
        return false;
    default:
        break;
    }
    return false;
}

bool TfiMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && firstActivationPending_) {
        firstActivationPending_ = false;
        if (std::filesystem::exists(ProgramFolderOf(context_) / context_.edition.newsMarker) && context_.update)
            QTimer::singleShot(0, this, [this] { context_.update->ShowNews(this); });
    }
    return QMainWindow::event(e);
}

void TfiMain::closeEvent(QCloseEvent* e) {
    // An open declaration asks about its unsaved changes when it closes, so
    // it closes first; the program ends only once it has gone.
    mdi_->closeAllSubWindows();
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (sub->isVisible()) {
            e->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(e);
}

void TfiMain::StartUp() {
    setWindowTitle(Q(context_.edition.caption));
    miAutoCheck_->setChecked(AutoCheckEnabled(ProgramFolderOf(context_), context_.edition));
    firstActivationPending_ = true;
    CopyOldDeclarations(ProgramFolderOf(context_), context_.edition, CurrentOldInstallPlaces());
}

void TfiMain::AutomaticCheck() {
    if (AutoCheckEnabled(ProgramFolderOf(context_), context_.edition) && context_.update &&
        !context_.update->CheckNewVersion(false, this))
        StopRunning();
}

void TfiMain::CheckNewVersionManually() {
    if (context_.update && !context_.update->CheckNewVersion(true, this)) StopRunning();
    if (!keepRunning_) close();
}

void TfiMain::ToggleAutoCheck(bool ticked) {
    miAutoCheck_->setChecked(ApplyAutoCheckSwitch(ProgramFolderOf(context_), context_.edition, ticked));
}

void TfiMain::EmptyFiles() {
    if (!context_.dialogs.AskYesNo("Να γίνει διαγραφή όλων των αρχείων;  Προσοχή με την επιλογή "
                                   "αυτή διαγράφονται όλες οι δηλώσεις."))
        return;
    DeleteAllDeclarationFiles(context_.store.TablesDir());
}

void TfiMain::OpenLeaflet() {
    context_.dialogs.OpenDocument((ProgramFolderOf(context_) / context_.edition.leaflet).string());
}

void TfiMain::ShowAbout() { kestrana::ShowAbout(context_.edition, context_.dialogs, context_.modal, this); }

void TfiMain::FastEntry() { ShowFastEntryWindow(context_, this); }

QWidget* TfiMain::ActiveDeclaration() const {
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    if (!sub) {
        const auto list = mdi_->subWindowList();
        if (!list.isEmpty()) sub = list.first();
    }
    return sub ? sub->widget() : nullptr;
}

void TfiMain::ActionsUpdate() {
    if (destroying_) return;
    QWidget* active = ActiveDeclaration();
    const bool open = active != nullptr;
    const bool e1 = open && active->objectName() == "fiE1";
    statusBar()->setVisible(open);
    for (const char* name : {"acSave", "acSaveAs", "acPrint"}) Action(name)->setEnabled(open);
    Action("acEka")->setEnabled(e1);
    edFindAction_->setVisible(e1);
    // A code looked up in one declaration means nothing for the next.
    if (!e1 && !edFind_->text().isEmpty()) edFind_->clear();
    for (const char* name : {"acE1", "acE2", "acFastEntry", "acLoadE1", "acLoadE2"})
        Action(name)->setEnabled(!open);
    centre_->setCurrentWidget(open ? static_cast<QWidget*>(mdi_) : welcome_);
}

void TfiMain::RunChildCommand(const char* name) {
    QWidget* w = ActiveDeclaration();
    if (!w) return;
    if (auto* action = w->findChild<QAction*>(name)) {
        if (action->isEnabled()) action->trigger();
    } else if (auto* button = w->findChild<QAbstractButton*>(name)) {
        if (button->isEnabled()) button->click();
    }
}

bool TfiMain::FindCode(const QString& code) {
    auto* e1 = qobject_cast<TfiE1*>(ActiveDeclaration());
    return e1 && e1->FindCode(code.toStdString());
}

QMdiSubWindow* TfiMain::AddDeclarationWindow(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = mdi_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());  // also shown in the menu bar while maximised
    connect(sub, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, [this] { ActionsUpdate(); }); });
    centre_->setCurrentWidget(mdi_);
    sub->showMaximized();
    window->setFocus();
    ActionsUpdate();
    return sub;
}

QWidget* TfiMain::NewDeclaration(DeclarationKind kind) {
    if (ActiveDeclaration()) return nullptr;  // one declaration window at a time
    if (kind == DeclarationKind::E2) {
        context_.dialogs.ShowMessage("Η φόρμα της δήλωσης Ε2 θα είναι διαθέσιμη σε επόμενη έκδοση.");
        return nullptr;
    }
    QWidget* window = new TfiE1(context_);
    AddDeclarationWindow(window);
    return window;
}

void TfiMain::LoadDeclaration(DeclarationKind kind) {
    if (ActiveDeclaration()) return;
    const std::optional<std::string> afm = ChooseDeclaration(context_, kind, this);
    if (!afm) return;
    QWidget* window = NewDeclaration(kind);
    if (auto* e1 = qobject_cast<TfiE1*>(window)) {
        // A file that vanished meanwhile loads nothing; the window stays empty.
        e1->OpenDeclaration(*afm);
        e1->SetModified(false);
    }
}

}  // namespace kestrana
