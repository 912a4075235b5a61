#pragma once
// Pieces the update windows share: the status bar `sbInfo` with its two
// panels of 220 pixels and the progress bar `pbInfo`, and the picture.
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
