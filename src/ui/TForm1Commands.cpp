// The main window's commands: the count that every input runs, the clicks on the grids, the
// preset menus, transparency, the links, dragging the window, and copying rows.
#include "ui/TForm1.h"

#include "core/Ratio.h"
#include "easypanel/WindowHelpers.h"
#include "gridctl/Conversions.h"
#include "gridctl/TGridControl.h"
#include "model/FormatRatio.h"
#include "model/PredefinedList.h"
#include "net/TUrlLauncher.h"
#include "ui/TPopupMenu.h"
#include "ui/TSpinEdit.h"
#include "util/NumberFormat.h"
#include "util/ScopedValue.h"
#include "util/TextParse.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSlider>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <limits>

namespace {

void SetLabel(QLabel* label, const std::string& text) {
    label->setText(ToQt(text));
    label->adjustSize();
}

QString ItemCaption(const QAction* item) {
    // Menus may carry accelerator markers in their captions.
    return item->text().remove(QLatin1Char('&'));
}

// Why the inputs list no pair, in the words the result grid shows in place of the list
// (untranslated).
const char* EmptyListReason(const ResultInputs& in, const ResultEchoes& echoes) {
    const int32_t rx = echoes.ReducedX;
    const int32_t ry = echoes.ReducedY;
    if (rx <= 0 || ry <= 0) {
        return QT_TRANSLATE_NOOP("TForm1", "The ratio terms must be 1 or more");
    }
    if (in.From > in.To) {
        return QT_TRANSLATE_NOOP("TForm1", "From is above To");
    }
    // The pairs are k * rx by k * ry.
    const int64_t first = (std::max(in.From, 1) - 1) / rx + 1;
    const int64_t last = std::min(in.To, MaxWidth) / rx;
    if (first > last) {
        return QT_TRANSLATE_NOOP("TForm1", "No width in the range gives a whole-number height");
    }
    if (first * ry > std::numeric_limits<int32_t>::max()) {
        return QT_TRANSLATE_NOOP("TForm1", "Every height in the range is above 2147483647");
    }
    return QT_TRANSLATE_NOOP("TForm1", "No pair passes the filters");
}

} // namespace

void TForm1::Recount() {
    DigitGroupSeparator.assign(1, '\'');
    const bool sameAsWindow = CheckBox1->isChecked();
    if (sameAsWindow) {
        // Each write that changes a box runs a nested Recount; this run then goes on with
        // both new terms.
        SpinEdit5->SetValue(frameGeometry().width());
        SpinEdit6->SetValue(frameGeometry().height());
    }
    for (QWidget* control : std::initializer_list<QWidget*>{SpinEdit5, SpinEdit6, SpinEdit7,
                                                            SpinEdit8, StringGrid2, StringGrid1}) {
        control->setEnabled(!sameAsWindow);
    }
    TrackBar1->setEnabled(sameAsWindow);
    ChangeTRansparency();
    const bool rotated = CheckBox3->isChecked();
    SetLabel(Label14, (rotated ? tr("Height") : tr("Width")).toStdString());
    SetLabel(Label15, (rotated ? tr("Width") : tr("Height")).toStdString());
    SpinScreenRatioX->setAccessibleName(rotated ? tr("Screen ratio height")
                                                : tr("Screen ratio width"));
    SpinScreenRatioY->setAccessibleName(rotated ? tr("Screen ratio width")
                                                : tr("Screen ratio height"));
    // The inputs show whether they are enabled, which only the switch above changes (a new
    // scheme colours them itself): a keystroke need not colour every control again.
    if (ColouredForWindowSize != sameAsWindow) {
        ShowEnabledState(this);
        ColouredForWindowSize = sameAsWindow;
    }

    for (TSpinEdit* range : {SpinEdit3, SpinEdit4}) {
        if (const int32_t value = range->Value(); CapWidth(value) != value) {
            range->SetValue(CapWidth(value));
        }
    }

    ResultInputs inputs;
    inputs.From = SpinEdit3->Value();
    inputs.To = SpinEdit4->Value();
    inputs.RatioX = SpinEdit5->Value();
    inputs.RatioY = SpinEdit6->Value();
    inputs.EchoForWidth = SpinEdit7->Value();
    inputs.EchoForHeight = SpinEdit8->Value();
    inputs.WidthDiv = Edit1->text().toStdString();
    inputs.HeightDiv = Edit2->text().toStdString();
    inputs.WidthNotDiv = Edit3->text().toStdString();
    inputs.HeightNotDiv = Edit4->text().toStdString();
    inputs.SX = SpinScreenRatioX->Value();
    inputs.SY = SpinScreenRatioY->Value();
    inputs.PX = SpinPlayRatioX->Value();
    inputs.PY = SpinPlayRatioY->Value();
    inputs.Rotated = rotated;
    inputs.Grouping = CheckBox2->isChecked();
    // The selected pairs stay selected in the new list wherever they are still listed.
    const TEasyGrid::TRowsKept kept = ResultController.KeepRows();
    const ResultEchoes echoes = ComputeResults(inputs, ResultTable, Reference);
    ResultController.EmptyText = ResultTable.Count() == 0
                                     ? tr(EmptyListReason(inputs, echoes)).toStdString()
                                     : std::string();
    // A sort chosen at the header holds for every run.
    if (!ResultTable.SortSpec.empty()) {
        ResultTable.Sort();
    }

    ShowReducedRatio(echoes);
    SetLabel(Labelfixed43, echoes.EchoHeight);
    SetLabel(Labelfixed34, echoes.EchoWidth);
    // Also when the current row lies below the new last row: the grid must show this table.
    ResultController.RestoreRows(kept);
}

void TForm1::ShowReducedRatio(const ResultEchoes& echoes) {
    // A term of 0 or below lists nothing; say why instead of echoing the bad terms.
    const bool valid = echoes.ReducedX > 0 && echoes.ReducedY > 0;
    SetLabel(Label4,
             valid ? IntToText(echoes.ReducedX) : tr("Terms must be 1 or more").toStdString());
    SetLabel(Label5, IntToText(echoes.ReducedY));
    SetLabel(Label10, Int64ToText(echoes.ReducedProduct));
    for (QLabel* label : {Label9, Label5, Label10}) {
        label->setVisible(valid);
    }
    // Long terms push the labels after them to the right instead of overlapping them.
    constexpr int Gap = 4;
    Label9->move(std::max(91, Label4->geometry().right() + Gap), Label9->y());
    Label5->move(std::max(96, Label9->geometry().right() + Gap), Label5->y());
    Label10->move(std::max(128, Label5->geometry().right() + Gap), Label10->y());
    // A long product does not fit beside long terms: cut with an ellipsis, whole in the
    // hint and for a screen reader.
    const QString product = Label10->text();
    const int room = std::max(Label10->parentWidget()->width() - Label10->x() - Gap, 0);
    Label10->setText(Label10->fontMetrics().elidedText(product, Qt::ElideRight, room));
    Label10->resize(std::min(Label10->sizeHint().width(), room), Label10->height());
    Label10->setToolTip(product);
    Label10->setAccessibleName(tr("Product of the reduced terms %1").arg(product));
}

void TForm1::StringGrid1ClickCell(int ACol, int ARow) {
    // A sort click only orders the rows, and shift or ctrl on a row only selects.
    const bool sorted = ResultController.GridClickCell(ACol, ARow);
    const Qt::KeyboardModifiers selecting = Qt::ShiftModifier | Qt::ControlModifier;
    if (sorted || (ARow > 0 && (QGuiApplication::queryKeyboardModifiers() & selecting))) {
        return;
    }
    ChooseReference(ARow);
}

void TForm1::ChooseReference(int ARow) {
    const int32_t count = ResultTable.Count();
    if (count == 0) {
        ResultTable.Clear();
        return;
    }
    const int32_t row = std::clamp(ARow, 1, count);
    if (row == count) {
        StringGrid1->SetCurrentRow(row);
    }
    Reference.Width = TextToInt(ResultTable.GetCell(row, WidthColumn));
    Reference.Height = TextToInt(ResultTable.GetCell(row, HeightColumn));
    Recount();
}

void TForm1::Setratiofromgrid(int /*ACol*/, int ARow) {
    if (ARow <= 0 || ARow >= PredefinedTable.Count()) {
        return;
    }
    const RatioTerms terms = RatioOfFormat(PredefinedTable.GetRowText(ARow));
    {
        // Both terms first, then one computation with the new ratio.
        const ScopedValue pause5(SpinEdit5->OnChange, nullptr);
        const ScopedValue pause6(SpinEdit6->OnChange, nullptr);
        SpinEdit5->SetText(ToQt(terms.X));
        SpinEdit6->SetText(ToQt(terms.Y));
    }
    Recount();
}

void TForm1::SetTo(QAction* item) {
    SpinEdit4->SetValue(TextToInt(ItemCaption(item).toStdString()));
}

void TForm1::SetScreenRatioFromPopUpMenu(QAction* item) {
    std::string caption = ItemCaption(item).toStdString();
    const int32_t x = CutInt(caption, ':');
    const int32_t y = CutInt(caption, ':');
    QWidget* component = PopupMenuScreenRatio->PopupComponent;
    TSpinEdit* first = nullptr;
    TSpinEdit* second = nullptr;
    if (component == SpinScreenRatioX || component == SpinScreenRatioY) {
        first = SpinScreenRatioX;
        second = SpinScreenRatioY;
    } else if (component == SpinPlayRatioX || component == SpinPlayRatioY) {
        first = SpinPlayRatioX;
        second = SpinPlayRatioY;
    } else if (component == SpinEdit5 || component == SpinEdit6) {
        first = SpinEdit5;
        second = SpinEdit6;
    } else {
        return;
    }
    first->SetValue(x);
    second->SetValue(y);
}

void TForm1::ChangeTRansparency() {
    // Transparency belongs to the "same ratio as window size" mode only.
    const int alpha = TrackBar1->value();
    const bool blend = alpha != 255 && CheckBox1->isChecked();
    setWindowOpacity(blend ? alpha / 255.0 : 1.0);
}

void TForm1::SetSizes() {
    PredefinedController.FitColumns();
    if (CheckBox1->isChecked()) {
        Recount();
    }
    StringGrid2->move(StringGrid2->x(), TrackBar1->y() + TrackBar1->height() + 5);
    StringGrid2->resize(ResultController.PanelWidth(PanelRatio) - 12,
                        ResultController.PanelClientHeight(PanelRatio) - StringGrid2->y() - 9);
    // Centred in the room inside the link panel's frame, which depends on the panel style.
    const QMargins frame = PanelURL->contentsMargins();
    const int room = ResultController.PanelClientHeight(PanelURL) - frame.top() - frame.bottom();
    Label16->move(Label16->x(), (room - Label16->height()) / 2);
}

void TForm1::OpenPage(std::string_view path) {
    UrlLauncher1->Url = QString::fromUtf8(MakerSiteUrl.data(), MakerSiteUrl.size()) +
                        QString::fromUtf8(path.data(), path.size());
    try {
        if (!UrlLauncher1->Execute()) {
            QMessageBox::information(
                this, windowTitle(),
                tr("No web browser was found to open %1.").arg(UrlLauncher1->Url));
        }
    } catch (const TUrlLaunchError& error) {
        QMessageBox::critical(this, windowTitle(),
                              QCoreApplication::translate("TUrlLauncher", error.what()));
    }
}

void TForm1::PanelURLClick() {
    OpenPage(HomepagePath);
}

void TForm1::PanelURLClick2() {
    OpenPage(HelpPagePath);
}

bool TForm1::event(QEvent* event) {
    const bool handled = TForm::event(event);
    // Until the window manager frames the window its frame is unknown, so the first fit
    // centred the bare window; the first move or resize that shows a frame fits it again.
    if (!PlacedInFrame && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        isVisible() && frameGeometry() != geometry()) {
        PlacedInFrame = true;
        FitToScreen(this);
    }
    return handled;
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    // The bare background moves the window as its title bar would.
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr &&
        windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    TForm::mousePressEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The window's key preview sees the key first.
    const bool handled = TForm::eventFilter(watched, event);
    if (event->type() != QEvent::KeyPress || (watched != StringGrid1 && watched != StringGrid2)) {
        return handled;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == StringGrid1 && key->matches(QKeySequence::Copy)) {
        // The table view would copy the current cell only.
        QGuiApplication::clipboard()->setText(SelectedRowsText());
        return true;
    }
    // The keyboard's click on the current row: Return in either grid, Space in the list.
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QModelIndex current = static_cast<const TGridControl*>(watched)->currentIndex();
    if (!plain || !current.isValid()) {
        return handled;
    }
    if (watched == StringGrid2 && (enter || key->key() == Qt::Key_Space)) {
        Setratiofromgrid(current.column(), TGridControl::GridRow(current));
        return true;
    }
    if (watched == StringGrid1 && enter) {
        ChooseReference(TGridControl::GridRow(current));
        return true;
    }
    return handled;
}

QString TForm1::SelectedRowsText() const {
    const std::vector<ColDataT> columns = ResultController.Columns.VisibleColumns();
    // One text made once: tens of thousands of rows of divisor lists run to megabytes.
    std::string text;
    const auto addLine = [&text, &columns](const auto& cellOf) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0) {
                text += '\t';
            }
            text += cellOf(columns[i]);
        }
        text += '\n';
    };
    addLine([](const ColDataT& col) -> const std::string& { return col.Header; });
    // The grid holds only the rows near the view, so the texts come from the table, plain
    // (no digit grouping) so that a spreadsheet reads them as numbers.
    for (const int row : StringGrid1->SelectedRows()) {
        if (row <= ResultTable.Count()) {
            addLine([this, row](const ColDataT& col) { return ResultTable.GetCell(row, col.Id); });
        }
    }
    return ToQt(text);
}
