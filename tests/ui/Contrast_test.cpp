// Every text of the window reads at 4.5:1 against the pixels painted behind it, under a light
// and under dark desktop palettes, also when the palette changes while the window is open.
#include "ui/TForm1.h"

#include "GPanel/ColourScheme.h"
#include "GPanel/TBevelPanel.h"
#include "gridctl/TGridControl.h"
#include "support/Palettes.h"

#include <QTest>
#include <QtWidgets>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

QPalette LightPalette() {
    static const QPalette light = QApplication::palette();
    return light;
}

// A region of the window whose text can be taken away and given back.
struct TTextArea {
    std::string Name;
    QRect Area; // in window coordinates
    std::function<void(bool shown)> Show;
    // The colour the text is drawn in; invalid where it is owner-drawn, and the rendered
    // pixel that stands out most from what lies behind it counts. (Thin glyphs at small
    // sizes reach their colour in no pixel, so the rendered one would understate it.)
    QColor Text;
};

bool TextWidget(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return !label->text().trimmed().isEmpty();
    }
    if (auto* panel = qobject_cast<TBevelPanel*>(widget)) {
        return !panel->Caption().isEmpty();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return !edit->text().isEmpty();
    }
    return qobject_cast<QCheckBox*>(widget) != nullptr;
}

// A spin box's text is its edit's; the box's arrows take the text colour too.
std::string NameOf(const QWidget* widget) {
    const QWidget* named =
        qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ? widget->parentWidget() : widget;
    return named->objectName().isEmpty() ? std::string(named->metaObject()->className())
                                         : named->objectName().toStdString();
}

// Labels, panel captions, check boxes, edits and spin boxes in view and enabled (the text
// of a disabled control need not reach the ratio), and the header and every row in view of
// both grids.
std::vector<TTextArea> TextAreas(TForm1& form) {
    std::vector<TTextArea> areas;
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        const QRect seen = widget->visibleRegion().boundingRect();
        if (!widget->isVisible() || !widget->isEnabled() || seen.isEmpty() || !TextWidget(widget) ||
            qobject_cast<TGridControl*>(widget->parentWidget()) != nullptr) {
            continue;
        }
        QRect area = seen;
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            // Its text, not the check mark beside it.
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            area &= box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        }
        const QPalette own = widget->palette();
        QPalette hidden = own; // not the button text, which draws the arrows of a spin box
        hidden.setColor(QPalette::WindowText, Qt::transparent);
        hidden.setColor(QPalette::Text, Qt::transparent);
        areas.push_back({NameOf(widget), area.translated(widget->mapTo(&form, QPoint(0, 0))),
                         [=](bool shown) { widget->setPalette(shown ? own : hidden); },
                         own.color(widget->foregroundRole())});
    }
    for (TGridControl* grid : {form.StringGrid1, form.StringGrid2}) {
        const QColor text = grid->FontColor();
        const QColor selected = grid->SelectionTextColor();
        const auto show = [grid, text, selected](bool shown) {
            grid->SetFontColor(shown ? text : QColor(Qt::transparent));
            grid->SetSelectionTextColor(shown ? selected : QColor(Qt::transparent));
        };
        QHeaderView* header = grid->horizontalHeader();
        areas.push_back({grid->objectName().toStdString() + " header",
                         QRect(header->mapTo(&form, QPoint(0, 0)), header->size()), show,
                         QColor()});
        QWidget* view = grid->viewport();
        for (int row = 0; row < grid->DataRowCount(); ++row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, 0));
            const QRect line =
                QRect(0, cell.top(), view->width(), cell.height()).intersected(view->rect());
            if (!line.isEmpty()) {
                areas.push_back(
                    {grid->objectName().toStdString() + " row " + std::to_string(row + 1),
                     line.translated(view->mapTo(&form, QPoint(0, 0))), show, QColor()});
            }
        }
    }
    return areas;
}

struct TMeasure {
    double Contrast = 21; // of the text's core colour against every pixel behind the text
    int Lightness = 0;    // the mean lightness behind the text
    bool HasText = false;
};

// The pixels that the text changes: behind each, what shows without the text. The text's
// colour, where the area does not give it, is the changed pixel that stands out most.
TMeasure Measure(TForm1& form, const TTextArea& area) {
    const auto shot = [&](bool shown) {
        area.Show(shown);
        return form.grab(area.Area).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage without = shot(false);
    const QImage with = shot(true);
    std::vector<std::pair<QColor, QColor>> changed; // the pixel with the text, and without
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y)) {
                changed.emplace_back(with.pixelColor(x, y), without.pixelColor(x, y));
            }
        }
    }
    const auto weaker = [](const auto& a, const auto& b) {
        return ContrastRatio(a.first, a.second) < ContrastRatio(b.first, b.second);
    };
    const QColor core = area.Text.isValid() || changed.empty()
                            ? area.Text
                            : std::max_element(changed.begin(), changed.end(), weaker)->first;
    TMeasure measure;
    long lightness = 0;
    for (const auto& [text, behind] : changed) {
        measure.Contrast = std::min(measure.Contrast, ContrastRatio(core, behind));
        lightness += behind.lightness();
    }
    measure.HasText = !changed.empty();
    measure.Lightness = changed.empty() ? 0 : static_cast<int>(lightness / changed.size());
    return measure;
}

constexpr auto Darker = [] { return DarkPalette(0x222020, 0x3d3d3d, 0xffffff); };
// Dim text on deep blue leaves less room for the panels' colours.
constexpr auto Dim = [] { return DarkPalette(0x010b2c, 0x010b2c, 0xb0b0b0); };

struct TScheme {
    const char* Name;
    QPalette (*Palette)();
    // The palette the window starts under, when the scheme changes while it is open.
    QPalette (*Before)();
};

void PrintTo(const TScheme& scheme, std::ostream* out) {
    *out << scheme.Name;
}

class ContrastTest : public ::testing::TestWithParam<TScheme> {
    const PaletteRestore Restore;
};

TEST_P(ContrastTest, EveryTextReadsAgainstWhatIsBehindIt) {
    const TScheme& scheme = GetParam();
    const QPalette palette = scheme.Palette();
    QApplication::setPalette(scheme.Before != nullptr ? scheme.Before() : palette);
    auto form = std::make_unique<TForm1>();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    if (scheme.Before != nullptr) {
        QApplication::setPalette(palette);
    }
    // Every panel open, so that every label is in view.
    form->ResultController.PanelMenuClick(1);
    // A selected row in each grid, whose text has colours of its own.
    form->StringGrid1->SelectRows({2});
    form->StringGrid2->SelectRows({2});
    const bool dark = IsDarkPalette(palette);
    ASSERT_EQ(DarkScheme(), dark);
    // The desktop's window colour under a dark palette, the designed silver under a light one.
    EXPECT_EQ(form->palette().color(QPalette::Window),
              dark ? palette.color(QPalette::Window) : QColor(0xC0C0C0));

    int measured = 0;
    for (const TTextArea& area : TextAreas(*form)) {
        const TMeasure measure = Measure(*form, area);
        measured += measure.HasText;
        EXPECT_GE(measure.Contrast, 4.5) << area.Name;
        if (dark && measure.HasText) {
            EXPECT_LT(measure.Lightness, 128) << area.Name << ": a light patch in a dark window";
        }
    }
    // Labels, check boxes, edits, spin boxes, both headers and their rows.
    EXPECT_GT(measured, 40);
}

INSTANTIATE_TEST_SUITE_P(Schemes, ContrastTest,
                         ::testing::Values(TScheme{"light", LightPalette, nullptr},
                                           TScheme{"dark", Darker, nullptr},
                                           TScheme{"dim", Dim, nullptr},
                                           TScheme{"dark_while_open", Darker, LightPalette},
                                           TScheme{"light_again", LightPalette, Darker}),
                         [](const ::testing::TestParamInfo<TScheme>& scheme) {
                             return std::string(scheme.param.Name);
                         });

} // namespace
