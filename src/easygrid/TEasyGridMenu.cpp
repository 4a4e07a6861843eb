// The grid controller's context menu and hot keys, and what they start: fonts, lines and
// bands, the HTML export and the print settings.
#include "easygrid/TEasyGrid.h"

#include "easypanel/TForm.h"
#include "gridctl/Conversions.h"
#include "gridctl/TGridControl.h"
#include "gridctl/THtmlExportDialog.h"
#include "gridctl/TPrintSettingsDialog.h"
#include "superarray/superarray.h"
#include "util/TextParse.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <memory>

namespace {

constexpr int MenuCaptionLength = 40;

} // namespace

QAction* TEasyGrid::AddMenuItem(const QString& caption, const char* name, int32_t* position) {
    QAction* item = caption.isNull() ? Menu->addSeparator() : Menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    if (position != nullptr) {
        *position = static_cast<int32_t>(Menu->actions().size()) - 1;
    }
    return item;
}

void TEasyGrid::BuildMenu() {
    if (!Grid) {
        return;
    }
    DropMenu();
    Menu = new QMenu(Grid);
    QObject::connect(Menu, &QMenu::triggered, Menu, [this](QAction* item) { MenuClick(item); });
    HtmlItem = PrintItem = FontItem = PropFontItem = ResetFontItem = -1;
    BandsItem = VLinesItem = HLinesItem = MaximizeItem = PanelsItem = LayoutsItem = -1;
    const auto checkItem = [](QAction* item, bool checked) {
        item->setCheckable(true);
        item->setChecked(checked);
    };
    const QString separator;
    AddMenuItem(QCoreApplication::translate("TEasyGrid", "Save grid as Html"), "SaveAsHtml",
                &HtmlItem);
    AddMenuItem(QCoreApplication::translate("TEasyGrid", "Print Grid"), "PrintSettings",
                &PrintItem);
    AddMenuItem(separator, "", nullptr);
    AddMenuItem(QCoreApplication::translate("TEasyGrid", "Font.."), "ChooseFont", &FontItem);
    AddMenuItem(QCoreApplication::translate("TEasyGrid", "Proportional Font on/off"),
                "ToggleProportionalFont", &PropFontItem);
    AddMenuItem(QCoreApplication::translate("TEasyGrid", "Reset Font"), "ResetFont",
                &ResetFontItem);
    AddMenuItem(separator, "", nullptr);
    checkItem(AddMenuItem(QCoreApplication::translate("TEasyGrid", "Grid bands"), "ToggleBands",
                          &BandsItem),
              Grid->BandsActive());
    checkItem(AddMenuItem(QCoreApplication::translate("TEasyGrid", "Vertical lines"),
                          "ToggleVerticalLines", &VLinesItem),
              Grid->Options().testFlag(TGridControl::goVertLine));
    checkItem(AddMenuItem(QCoreApplication::translate("TEasyGrid", "Horizontal lines"),
                          "ToggleHorizontalLines", &HLinesItem),
              Grid->Options().testFlag(TGridControl::goHorzLine));
    const bool gridPanels = GridPanels.PanelCount > 0;
    if (MaximizeAllowed || gridPanels) {
        AddMenuItem(separator, "", nullptr);
    }
    if (MaximizeAllowed) {
        AddMenuItem(QCoreApplication::translate("TEasyGrid", "Maximize grid on/off (ctrl-F4)"),
                    "ToggleMaximize", &MaximizeItem);
    }
    if (gridPanels) {
        AddMenuItem(QCoreApplication::translate("TEasyGrid", "Show/Hide grid panels (ctrl-F5)"),
                    "ToggleGridPanels", &PanelsItem);
    }
    if (!Columns.LayoutsText.empty()) {
        AddMenuItem(separator, "", nullptr);
        AddMenuItem(QCoreApplication::translate("TEasyGrid", "Cycle thru column layouts (ctrl-F2)"),
                    "NextLayout", &LayoutsItem);
    }
    // The header's shift-clicks for the keyboard, and the way back from a sort, which
    // otherwise holds for every new list.
    SortItem = UnsortItem = -1;
    if (Columns.Column(superarray::InsertionColumn) != nullptr) {
        AddMenuItem(
            QCoreApplication::translate("TEasyGrid", "Sort by the current column (ctrl-F6)"),
            "SortByCurrentColumn", &SortItem);
        AddMenuItem(QCoreApplication::translate("TEasyGrid", "Unsorted list (ctrl-F7)"), "Unsort",
                    &UnsortItem);
    }
    AddMenuItem(separator, "", nullptr);
    for (const ColDataT& col : Columns.Records()) {
        if (col.InMenu) {
            int32_t position = -1;
            checkItem(AddMenuItem(ToQt(ShortenText(col.Caption, MenuCaptionLength)), "ToggleColumn",
                                  &position),
                      col.Visible);
            Columns.SetMenuPos(col.Id, position);
        }
    }
    Grid->SetPopupMenu(Menu);
}

void TEasyGrid::MenuClick(QAction* item) {
    const int32_t position = Menu ? static_cast<int32_t>(Menu->actions().indexOf(item)) : -1;
    // Absent items hold -1: an item that is not in the menu must not match them.
    if (position >= 0 && Grid) {
        const auto toggleOption = [this, item](TGridControl::TGridOption option) {
            Grid->SetOptions(Grid->Options() ^ option);
            item->setChecked(Grid->Options().testFlag(option));
        };
        if (position == HtmlItem) {
            SaveAsHtml();
        }
        if (position == PrintItem) {
            PrintGrid();
        }
        if (position == FontItem) {
            ChooseFont();
        }
        if (position == BandsItem) {
            ToggleBands();
            item->setChecked(Grid->BandsActive());
        }
        if (position == HLinesItem) {
            toggleOption(TGridControl::goHorzLine);
        }
        if (position == VLinesItem) {
            toggleOption(TGridControl::goVertLine);
        }
        if (position == PropFontItem) {
            ToggleProportionalFont();
        }
        if (position == MaximizeItem) {
            ToggleMaximize();
        }
        if (position == PanelsItem) {
            ToggleGridPanels(true);
        }
        if (position == LayoutsItem) {
            NextLayout();
        }
        if (position == ResetFontItem) {
            ResetFont();
        }
        if (position == SortItem) {
            SortByColumn(std::max(Grid->CurrentColumn(), 0), false);
        }
        if (position == UnsortItem) {
            Unsort();
        }
        std::vector<int32_t> ids;
        for (const ColDataT& col : Columns.Records()) {
            if (col.InMenu && col.MenuPos == position) {
                ids.push_back(col.Id);
            }
        }
        for (const int32_t id : ids) {
            ToggleColumn(id, true);
        }
    }
    Refresh();
}

void TEasyGrid::GridKeyDown(QKeyEvent* event) {
    if (event != nullptr && (event->modifiers() & Qt::ControlModifier)) {
        switch (event->key()) {
        case Qt::Key_F4:
            ToggleMaximize();
            break;
        case Qt::Key_F5:
            ToggleGridPanels(true);
            break;
        case Qt::Key_F2:
            NextLayout();
            break;
        case Qt::Key_F6:
            // With shift the column is added to the sort, as ctrl+shift-click does.
            if (SortItem >= 0 && Grid) {
                SortByColumn(std::max(Grid->CurrentColumn(), 0),
                             (event->modifiers() & Qt::ShiftModifier) != 0);
            }
            break;
        case Qt::Key_F7:
            if (UnsortItem >= 0) {
                Unsort();
            }
            break;
        default:
            break;
        }
    }
    const std::function<void(QKeyEvent*)> saved = SavedOnKeyDown;
    if (saved) {
        saved(event);
    }
}

int TEasyGrid::RunModal(QDialog& dialog) const {
    return RunDialog ? RunDialog(dialog) : dialog.exec();
}

void TEasyGrid::ChooseFont() {
    if (!Grid) {
        return;
    }
    // Starts at the font the grid shows, so that a size or a style can be changed alone: the
    // dialog lists installed families and point sizes, and the grids may ask for a substituted
    // family in pixels.
    QFont start = Grid->Font();
    start.setFamily(QFontInfo(start).family());
    if (start.pointSizeF() <= 0) {
        start.setPointSizeF(start.pixelSize() * 72.0 / Grid->logicalDpiY());
    }
    FontDialog = new QFontDialog(start, Grid);
    const std::unique_ptr<QFontDialog> owned(FontDialog.data());
    if (RunModal(*owned) == QDialog::Accepted) {
        SetFont(owned->currentFont());
    }
}

void TEasyGrid::SetFont(const QFont& font) {
    if (Grid) {
        Grid->SetFont(font);
    }
}

void TEasyGrid::SetFontName(const std::string& name) {
    if (Grid) {
        Grid->SetFontName(ToQt(name));
    }
}

void TEasyGrid::ResetFont() {
    SetFont(DefaultFont);
}

void TEasyGrid::ToggleProportionalFont() {
    if (Grid) {
        SetFontName(Grid->FontName() != QLatin1String("Courier New") ? "Courier New" : "Tahoma");
    }
}

void TEasyGrid::ToggleBands() {
    if (Grid) {
        Grid->SetBandsActive(!Grid->BandsActive());
    }
}

bool TEasyGrid::FillWholeGrid() {
    // The grid holds text only near the view; exporting and printing need every row.
    if (Grid && Columns.Table != nullptr) {
        ShowWholeTable(*Columns.Table);
    }
    return Grid != nullptr;
}

void TEasyGrid::SaveAsHtml() {
    if (FillWholeGrid()) {
        THtmlExportDialog dialog(*Grid, Grid);
        RunModal(dialog);
    }
}

void TEasyGrid::PrintGrid() {
    if (FillWholeGrid()) {
        TPrintSettingsDialog dialog(*Grid, Grid);
        RunModal(dialog);
    }
}
