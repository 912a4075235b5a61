#include "info/tfi_convert_cc.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>

namespace kestrana {

const std::array<HorsepowerRange, 43>& HorsepowerTable() {
    static const std::array<HorsepowerRange, 43> table{{
        {4, 0, 642},       {5, 643, 785},     {6, 786, 928},     {7, 929, 1071},
        {8, 1072, 1214},   {9, 1215, 1357},   {10, 1358, 1500},  {11, 1501, 1642},
        {12, 1643, 1785},  {13, 1786, 1928},  {14, 1929, 2071},  {15, 2072, 2214},
        {16, 2215, 2357},  {17, 2358, 2499},  {18, 2500, 2642},  {19, 2643, 2785},
        {20, 2786, 2928},  {21, 2929, 3071},  {22, 3072, 3214},  {23, 3215, 3357},
        {24, 3358, 3499},  {25, 3500, 3642},  {26, 3643, 3785},  {27, 3786, 3928},
        {28, 3929, 4071},  {29, 4072, 4214},  {30, 4215, 4357},  {31, 4358, 4499},
        {32, 4500, 4642},  {33, 4643, 4785},  {34, 4786, 4928},  {35, 4929, 5071},
        {36, 5072, 5214},  {37, 5215, 5357},  {38, 5358, 5499},  {39, 5500, 5642},
        {40, 5643, 5785},  {41, 5786, 5928},  {42, 5929, 6071},  {43, 6072, 6214},
        {44, 6215, 6357},  {45, 6358, 6499},  {46, 6500, 6642},
    }};
    return table;
}

static QTableWidget* MakeTable(QWidget* parent, int first, int last) {
    auto* table = new QTableWidget(last - first + 1, 2, parent);
    table->setHorizontalHeaderLabels({QStringLiteral("Φορολογίσιμοι\nΊπποι"), QStringLiteral("Κυβικά")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    for (const HorsepowerRange& r : HorsepowerTable()) {
        if (r.horsepower < first || r.horsepower > last) continue;
        const int row = r.horsepower - first;
        auto* hp = new QTableWidgetItem(QString::number(r.horsepower));
        hp->setTextAlignment(Qt::AlignCenter);
        auto* cc = new QTableWidgetItem(QStringLiteral("%1 - %2").arg(r.fromCc).arg(r.toCc));
        cc->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, 0, hp);
        table->setItem(row, 1, cc);
    }
    table->setColumnWidth(0, 100);
    table->setColumnWidth(1, 120);
    table->verticalHeader()->setDefaultSectionSize(22);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int height = table->horizontalHeader()->sizeHint().height() + 22 * table->rowCount() + 4;
    table->setFixedSize(224, height);
    return table;
}

TfiConvertCc::TfiConvertCc(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fiConvertCc"));
    setWindowTitle(QStringLiteral("Πίνακας αντιστοίχισης Φορολογίσιμων Ίππων σε Κυβικά Αυτοκινήτου"));
    setModal(true);
    auto* layout = new QHBoxLayout(this);
    left_ = MakeTable(this, 4, 25);
    right_ = MakeTable(this, 26, 46);
    layout->addWidget(left_, 0, Qt::AlignTop);
    layout->addWidget(right_, 0, Qt::AlignTop);
    adjustSize();
    // The window's title is long; keep it readable.
    resize(std::max(width(), 560), height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

}  // namespace kestrana
