#pragma once
// Table of taxable horsepower by engine capacity, opened from the E1 cars
// page. Fixed information only.
#include <QDialog>
#include <array>

class QTableWidget;

namespace kestrana {

struct HorsepowerRange {
    int horsepower;
    int fromCc;  // both bounds included
    int toCc;
};

// Horsepower 4 to 46 in order.
const std::array<HorsepowerRange, 43>& HorsepowerTable();

class TfiConvertCc : public QDialog {
    Q_OBJECT
public:
    explicit TfiConvertCc(QWidget* parent = nullptr);

    QTableWidget* LeftTable() const { return left_; }    // 4 to 25
    QTableWidget* RightTable() const { return right_; }  // 26 to 46

private:
    QTableWidget* left_;
    QTableWidget* right_;
};

}  // namespace kestrana
