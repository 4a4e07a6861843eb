#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QSpinBox;
class TGridPrinter;

// One page of a grid's print at a time, scaled to fit, with a choice of the page. Only the
// page in view is painted, so a new layout costs its arithmetic, whatever the grid's size.
class TPrintPreview : public QWidget {
    Q_OBJECT

public:
    explicit TPrintPreview(QWidget* parent = nullptr);

    // Shows the layout, on the same page number where it still has one.
    void SetLayout(std::shared_ptr<const TGridPrinter> layout);
    int PageCount() const;
    // From 0.
    int CurrentPage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    std::shared_ptr<const TGridPrinter> Layout;
    QSpinBox* PageBox;
    QLabel* CountLabel;
};
