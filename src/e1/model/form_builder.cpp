#include "e1/model/form_builder.h"

#include <algorithm>
#include <cstdio>

namespace kestrana::formlayout {

Cell A(int code, int tag) {
    Cell c;
    c.name = CodeBoxName(code);
    c.kind = ControlKind::Real;
    c.code = code;
    c.tag = tag;
    return c;
}

Cell I(int code) {
    Cell c = A(code);
    c.kind = ControlKind::Int;
    return c;
}

Cell T(int code, std::string caption) {
    Cell c;
    c.name = CodeBoxName(code, true);
    c.kind = ControlKind::Check;
    c.code = code;
    c.caption = std::move(caption);
    return c;
}

Cell Named(std::string name, ControlKind kind, int maxLength, int width) {
    Cell c;
    c.name = std::move(name);
    c.kind = kind;
    c.maxLength = maxLength;
    c.width = width;
    return c;
}

Cell None() { return Cell{}; }

Row Pair(std::string caption, Cell t, Cell s) { return Row{std::move(caption), std::move(t), std::move(s)}; }

Row AmountPair(std::string caption, int oddCode) {
    return Pair(std::move(caption), A(oddCode), A(oddCode + 1));
}

Row TickPair(std::string caption, int oddCode, std::string tickCaption) {
    return Pair(std::move(caption), T(oddCode, tickCaption), T(oddCode + 1, tickCaption));
}

int DefaultWidth(ControlKind kind) {
    switch (kind) {
        case ControlKind::Real: return kAmountW;
        case ControlKind::Int: return 56;
        case ControlKind::AFM: return 96;
        case ControlKind::Text: return 120;
        case ControlKind::Check: return kTickW;
        case ControlKind::Button: return kTickW;
        case ControlKind::Picture: return 120;
    }
    return kAmountW;
}

void FormBuilder::BeginPage(int page) {
    page_ = page;
    y = kMargin;
    hiddenX_ = kMargin;
}

FormControl& FormBuilder::Add(const Cell& cell, FormRect rect) {
    FormControl c;
    c.name = cell.name;
    c.kind = cell.kind;
    c.page = page_;
    c.rect = rect;
    c.maxLength = cell.maxLength;
    c.tag = cell.tag;
    c.caption = cell.caption;
    c.hint = cell.hint;
    c.code = cell.code;
    c.visible = cell.visible;
    c.readOnly = cell.readOnly;
    c.enabled = cell.enabled;
    controls_.push_back(std::move(c));
    return controls_.back();
}

void FormBuilder::Label(FormRect rect, std::string text, LabelStyle style) {
    labels_.push_back(FormLabel{page_, rect, std::move(text), style});
}

FormRect FormBuilder::Boxed(const Cell& cell, int x, int top, int width) {
    int printed = cell.printedCode ? cell.printedCode : cell.code;
    int boxX = x;
    if (printed) {
        Label({x, top, kCodeW - 2, kBoxH}, CodeDigits(printed), LabelStyle::CodeNumber);
        boxX = x + kCodeW;
    }
    int w = width ? width : (cell.width ? cell.width : DefaultWidth(cell.kind));
    FormRect r{boxX, top, w, kBoxH};
    Add(cell, r);
    return r;
}

void FormBuilder::Title(const std::string& line1, const std::string& line2) {
    Label({kMargin, y, kContentWidth, 22}, line1, LabelStyle::Title);
    y += 23;
    if (!line2.empty()) {
        Label({kMargin, y, kContentWidth, 16}, line2, LabelStyle::Note);
        y += 18;
    }
}

void FormBuilder::Heading(const std::string& text, int x, int width) {
    Label({x, y, width, kHeadingH}, text, LabelStyle::Heading);
    y += kHeadingH + 3;
}

void FormBuilder::Rows(const std::vector<Row>& rows, int columns, int slotWidth, int pitch,
                       const std::string& headT, const std::string& headS) {
    const int gap = 10;
    const int colW = columns == 1 ? kContentWidth : (kContentWidth - gap) / 2;
    const int perColumn = static_cast<int>((rows.size() + columns - 1) / columns);
    const int top = y;
    // Column heads above the boxes.
    for (int c = 0; c < columns; ++c) {
        int right = kMargin + c * (colW + gap) + colW;
        Label({right - 2 * slotWidth + kCodeW, top, slotWidth - kCodeW, 14}, headT, LabelStyle::ColumnHeader);
        Label({right - slotWidth + kCodeW, top, slotWidth - kCodeW, 14}, headS, LabelStyle::ColumnHeader);
    }
    const int first = top + 16;
    int bottom = first;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int c = static_cast<int>(i) / perColumn;
        const int r = static_cast<int>(i) % perColumn;
        const int left = kMargin + c * (colW + gap);
        const int right = left + colW;
        const int rowY = first + r * pitch;
        const int boxY = rowY + (pitch - kRow) / 2;
        const Row& row = rows[i];
        Label({left, rowY, colW - 2 * slotWidth - 4, pitch - 2}, row.caption, LabelStyle::Caption);
        auto place = [&](const Cell& cell, int slotX) {
            if (cell.name.empty()) return;
            int w = cell.width ? cell.width : DefaultWidth(cell.kind);
            if (cell.kind == ControlKind::Check && !cell.caption.empty())
                w = slotWidth - kCodeW;
            w = std::min(w, slotWidth - kCodeW);
            Boxed(cell, slotX, boxY, w);
        };
        place(row.taxpayer, right - 2 * slotWidth);
        place(row.spouse, right - slotWidth);
        bottom = std::max(bottom, rowY + pitch);
    }
    y = bottom + 2;
}

void FormBuilder::FieldLine(const std::vector<Field>& fields, int x) {
    for (const Field& f : fields) {
        if (f.captionWidth > 0) {
            Label({x, y, f.captionWidth - 3, kBoxH}, f.caption, LabelStyle::Caption);
            x += f.captionWidth;
        }
        FormRect r = Boxed(f.cell, x, y, f.width);
        x = r.Right() + 8;
    }
    y += kRow;
}

std::vector<int> FormBuilder::GridHeader(const std::vector<Column>& columns, int height, int x) {
    std::vector<int> xs;
    for (const Column& c : columns) {
        xs.push_back(x);
        if (!c.head.empty()) Label({x, y, c.width - 2, height}, c.head, LabelStyle::ColumnHeader);
        x += c.width;
    }
    y += height + 2;
    return xs;
}

void FormBuilder::Hidden(Cell cell) {
    cell.visible = false;
    const int w = 40;
    Add(cell, {hiddenX_, kHiddenStripY, w, kBoxH});
    hiddenX_ += w + 2;
}

}  // namespace kestrana::formlayout
