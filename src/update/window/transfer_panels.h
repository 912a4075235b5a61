#pragma once
// Pieces the update windows share: the progress bar `pbInfo` and, below
// it, the status bar `sbInfo` with its two panels of 220 pixels; and the
// picture.
#include <QPixmap>

class QLabel;
class QProgressBar;
class QStatusBar;
class QWidget;

namespace kestrana {

struct TransferView;

class TransferPanels {
public:
    explicit TransferPanels(QWidget* owner);
    QStatusBar* Bar() const { return bar_; }
    QProgressBar* Progress() const { return progress_; }
    // Panel texts and, when the view has one, the bar's position.
    void Show(const TransferView& view);
    QString PanelText(int panel) const;
    int Position() const;

private:
    QStatusBar* bar_;
    QLabel* panels_[2];
    QProgressBar* progress_;
};

// The picture of the update windows: a globe with a downward arrow.
QPixmap UpdatePicture(int size);

}  // namespace kestrana
