// The print preview: one page at a time, laid out as the print.
#include "gridctl/TPrintPreview.h"

#include "gridctl/TGridPrinter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int PageMargin = 8;

} // namespace

TPrintPreview::TPrintPreview(QWidget* parent)
    : QWidget(parent), PageBox(new QSpinBox), CountLabel(new QLabel) {
    auto* pageLabel = new QLabel(tr("Pa&ge:"));
    pageLabel->setBuddy(PageBox);
    PageBox->setAccessibleName(tr("Page shown"));
    connect(PageBox, &QSpinBox::valueChanged, this, qOverload<>(&QWidget::update));
    auto* bar = new QHBoxLayout;
    bar->addWidget(pageLabel);
    bar->addWidget(PageBox);
    bar->addWidget(CountLabel);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addStretch();
    SetLayout(nullptr);
}

void TPrintPreview::SetLayout(std::shared_ptr<const TGridPrinter> layout) {
    Layout = std::move(layout);
    const int count = PageCount();
    const QSignalBlocker quiet(PageBox);
    PageBox->setRange(count > 0 ? 1 : 0, count);
    CountLabel->setText(tr("of %1").arg(count));
    update();
}

int TPrintPreview::PageCount() const {
    return Layout ? Layout->PageCount() : 0;
}

int TPrintPreview::CurrentPage() const {
    return PageBox->value() - 1;
}

void TPrintPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int top = PageBox->geometry().bottom() + PageMargin;
    const QRectF room = QRectF(rect()).adjusted(PageMargin, top, -PageMargin, -PageMargin);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (!Layout || CurrentPage() < 0 || room.width() <= 0 || room.height() <= 0) {
        return;
    }
    const QSizeF page = Layout->PageSize();
    const double scale = std::min(room.width() / page.width(), room.height() / page.height());
    const QSizeF shown = page * scale;
    const QRectF sheet(room.left() + (room.width() - shown.width()) / 2, room.top(), shown.width(),
                       shown.height());
    painter.fillRect(sheet, Qt::white);
    painter.setClipRect(sheet);
    painter.translate(sheet.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    Layout->PaintPage(painter, CurrentPage(), scale);
}

void TPrintPreview::wheelEvent(QWheelEvent* event) {
    // Down the pages as down a document.
    PageBox->stepBy(event->angleDelta().y() < 0 ? 1 : -1);
    event->accept();
}
