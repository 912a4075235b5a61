#pragma once
// Choice of the kind of an amount of the boxes 351/352, 617-620, 657-660 and
// 683/684 from the fixed list of its page. Accepted ("chosen") with the entry
// number in Result() (0 for none); rejected ("closed") keeps the old kind.
#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;

namespace kestrana {

struct Edition;
class UserDialogs;

extern const char* const kOneChoiceOnlyMessage;

class TfiSelectEisod : public QDialog {
    Q_OBJECT
public:
    // `page` 0..5 as IncomeCategoryPages(); `current` is pre-ticked when >= 1.
    TfiSelectEisod(const Edition& edition, UserDialogs& dialogs, int page, int current,
                   QWidget* parent = nullptr);

    int Result() const { return result_; }
    int Page() const { return page_; }
    QTabWidget* PageCodes() const { return pages_; }
    QListWidget* List(int page) const;
    QPushButton* SelectButton() const { return select_; }
    QPushButton* ExitButton() const { return exit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSelect();
    static void Toggle(QListWidgetItem* item);

    UserDialogs& dialogs_;
    int page_;
    int result_ = 0;
    QTabWidget* pages_;
    QListWidget* lists_[6];
    QPushButton* select_;
    QPushButton* exit_;
};

}  // namespace kestrana
