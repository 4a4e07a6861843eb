#pragma once

#include "easygrid/TEasyGrid.h"
#include "easypanel/TForm.h"
#include "gridctl/TGridControl.h"
#include "model/ResultColumns.h"
#include "superarray/superarray.h"

#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// Captions of a grid's menu items, checked ones marked with "*", each followed by ";".
inline std::string MenuText(const TGridControl& grid, int first = 0, int last = 1000) {
    std::string out;
    const QList<QAction*> actions = grid.PopupMenu()->actions();
    for (int i = first; i < actions.size() && i <= last; ++i) {
        const QAction* a = actions[i];
        out +=
            (a->isSeparator() ? "|" : (a->isChecked() ? "*" : "") + a->text().toStdString()) + ";";
    }
    return out;
}

// An edit box that notes the keys it receives.
struct KeyEdit : QLineEdit {
    using QLineEdit::QLineEdit;
    std::vector<int> Keys;
    void keyPressEvent(QKeyEvent* event) override {
        Keys.push_back(event->key());
        QLineEdit::keyPressEvent(event);
    }
};

// The result grid as the window sets it up: a grid of 20 visible rows on a TForm, the
// eight result columns declared in their order (unless `declared` is false: the attached
// controller's own columns), the two "dividable by" ones hidden. Dialogs are not run: the
// fixture notes their class in Calls and answers DialogResult.
struct ResultGrid {
    TForm Form;
    TGridControl* Grid = new TGridControl(&Form);
    KeyEdit* Edit = new KeyEdit(&Form);
    superarray Table;
    TEasyGrid Ctl;
    Texts Calls; // the window's own handlers and the dialogs
    std::function<void(QDialog&)> OnDialog;
    int DialogResult = QDialog::Rejected;

    explicit ResultGrid(int rows = 0, bool declared = true) {
        Table.Init();
        Fill(rows);
        Form.OnResize = [this] {
            int sum = 0; // the controller already fitted the widths to the client width
            for (int c = 0; c < Grid->ColumnCount(); ++c) {
                sum += Grid->ColumnWidth(c) + Grid->GridLineWidth();
            }
            Calls.push_back(sum == Grid->ClientWidth() ? "resize fitted" : "resize");
        };
        Form.OnKeyDown = [this](QKeyEvent* e) {
            if (e->key() != Qt::Key_Control) { // QTest presses the modifier keys as well
                Calls.push_back("key" + Layout());
            }
        };
        Grid->setGeometry(0, 0, 700, 200);
        Form.show();
        // 20 whole rows of 21 + 1 pixels under the header.
        Grid->resize(700, Grid->height() + 20 * 22 - Grid->viewport()->height());
        Ctl.Attach(Grid, &Table, true, false);
        Ctl.RunDialog = [this](QDialog& dialog) {
            Calls.push_back(dialog.metaObject()->className());
            if (OnDialog) {
                OnDialog(dialog);
            }
            // As the buttons would end it, with what the dialog does there.
            DialogResult == QDialog::Accepted ? dialog.accept() : dialog.reject();
            return dialog.result();
        };
        if (!declared) {
            return;
        }
        Ctl.RemoveFromMenu(45);
        Ctl.Columns.LayoutsText = "Width,Height,Area%,Area (h*w),PixelDif,Letterboxed,Letterboxed "
                                  "Height:Width for rotated movies|Width,Height,Width dividable by,"
                                  "Height dividable by";
        for (const ResultColumnDecl& column : ResultColumns) {
            Ctl.AddColumn(std::string(column.Name), column.Id, std::string(column.Caption),
                          "10|30");
        }
        Ctl.HideColumn(WidthDivisorsColumn, true);
        Ctl.HideColumn(HeightDivisorsColumn, true);
        Calls.clear();
    }
    void Fill(int rows) {
        Table.Reset();
        for (int r = 1; r <= rows; ++r) {
            Table.AddRow();
            Table.SetCell(r, 1, std::to_string(1000 + r * 4)); // equal lengths sort as numbers
            Table.SetCell(r, 2, std::to_string(1000 + (rows - r) * 3));
            Table.SetCell(r, 3, "a" + std::to_string(r));
        }
    }
    std::string Cell(int column, int row) const { return Grid->Cell(column, row).toStdString(); }
    // The header row, each header followed by ";".
    std::string Layout() const {
        std::string out;
        for (int c = 0; c < Grid->ColumnCount(); ++c) {
            out += Cell(c, 0) + ";";
        }
        return out;
    }
    void Trigger(int32_t position) const { Grid->PopupMenu()->actions().at(position)->trigger(); }
    // A click on a cell, or on the header for row 0.
    void Click(int column, int row, Qt::KeyboardModifiers keys) {
        const QRect cell = Grid->visualRect(Grid->model()->index(std::max(row - 1, 0), column));
        QWidget* on = row == 0 ? Grid->horizontalHeader()->viewport() : Grid->viewport();
        QTest::mouseClick(on, Qt::LeftButton, keys,
                          row == 0 ? QPoint(cell.center().x(), 5) : cell.center());
    }
};

inline const std::string Shown = "Width;Height;Area%;Area (h*w);PixelDif;Letterboxed;";
