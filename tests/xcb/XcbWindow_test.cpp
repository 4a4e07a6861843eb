#include "GPanel/TBevelPanel.h"
#include "gridctl/TGridControl.h"
#include "support/DisplayServer.h"
#include "ui/TForm1.h"
#include "ui/TSpinEdit.h"

#include <QTest>
#include <QtWidgets>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

using XcbTest = OnDisplayTest;

// What an X tool prints, or "" when it fails.
QString Tool(const QString& command) {
    const QStringList words = QProcess::splitCommand(command);
    QProcess process;
    process.start(words.first(), words.mid(1));
    return process.waitForFinished(10000) && process.exitCode() == 0
               ? QString::fromUtf8(process.readAllStandardOutput())
               : QString();
}

// The numbers of one property line of xprop, such as "_NET_FRAME_EXTENTS(CARDINAL) = 4, 4"
// or "_NET_CLIENT_LIST(WINDOW): window id # 0x400007, 0x600007".
QList<int> Numbers(const QString& text) {
    QList<int> numbers;
    const qsizetype start =
        std::max(text.indexOf(QLatin1Char('=')), text.indexOf(QLatin1Char('#')));
    for (const QString& part : text.mid(start + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok, 0);
        if (ok && start >= 0) {
            numbers << n;
        }
    }
    return numbers;
}

// The program itself, as the window manager sees it: its title is exactly the caption, and
// its frame stands centred, 40 pixels narrower and 60 lower than the screen.
TEST_F(XcbTest, ProgramTitleAndPlacementAsTheWindowManagerSeesThem) {
    QProcess program;
    program.start(QStringLiteral(PIXOLAN_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted());
    QString window;
    QRect frame;
    // In device pixels, as the X tools count; the window manager's frame does not scale, so
    // with a scale factor the logical sizes may round by a pixel.
    const QScreen* primary = QGuiApplication::primaryScreen();
    const int scale = qRound(primary->devicePixelRatio());
    const QSize screen = primary->size() * scale;
    const QSize wanted = (primary->size() - QSize(40, 60)) * scale;
    const auto near = [scale](int a, int b) { return std::abs(a - b) <= scale; };
    const bool placed = QTest::qWaitFor(
        [&] {
            const QList<int> clients =
                Numbers(Tool(QStringLiteral("xprop -root _NET_CLIENT_LIST")));
            window = clients.isEmpty() ? QString() : QString::number(clients.first());
            const QList<int> extents = Numbers(Tool("xprop -id " + window + " _NET_FRAME_EXTENTS"));
            if (window.isEmpty() || extents.size() != 4) {
                return false;
            }
            const QString info = Tool("xwininfo -id " + window);
            const auto value = [&info](const QString& label) {
                return QRegularExpression(label + ":\\s*(-?\\d+)").match(info).captured(1).toInt();
            };
            // Left, right, top, bottom around the client area.
            frame = QRect(value("Absolute upper-left X") - extents[0],
                          value("Absolute upper-left Y") - extents[2],
                          value("Width") + extents[0] + extents[1],
                          value("Height") + extents[2] + extents[3]);
            return near(frame.width(), wanted.width()) && near(frame.height(), wanted.height()) &&
                   std::abs(2 * frame.x() + frame.width() - screen.width()) <= 1 &&
                   std::abs(2 * frame.y() + frame.height() - screen.height()) <= 1;
        },
        10000);
    const QString names = Tool("xprop -id " + window + " _NET_WM_NAME WM_NAME");
    program.kill();
    program.waitForFinished();
    EXPECT_TRUE(placed) << "frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                        << frame.height();
    EXPECT_EQ(names.toStdString(), "_NET_WM_NAME(UTF8_STRING) = \"Tavori Pixolan 1.5\"\n"
                                   "WM_NAME(STRING) = \"Tavori Pixolan 1.5\"\n");
}

// Every row in view shows its text, at the end of the list reached by key, page and wheel,
// whatever the window's height.
TEST_F(XcbTest, EveryRowInViewShowsItsText) {
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto check = [&](const TGridControl* grid, int blankLastRows, const std::string& when) {
        // The first and last row of the view, whole or in part, short of the blank rows.
        const int first = grid->rowAt(0);
        const int below = grid->rowAt(grid->viewport()->height() - 1);
        const int last = std::min(below < 0 ? grid->DataRowCount() - 1 : below,
                                  grid->DataRowCount() - 1 - blankLastRows);
        ASSERT_GE(first, 0) << when;
        for (int row = first; row <= last; ++row) {
            EXPECT_FALSE(grid->Cell(0, row + 1).isEmpty()) << when << ", row " << row + 1;
        }
    };
    // The predefined list ends in an empty row.
    check(form.StringGrid2, 1, "predefined list at start");
    TGridControl* grid = form.StringGrid1;
    const int top = form.height() - grid->viewport()->height();
    for (int height = std::max(form.minimumHeight(), 300);
         height <= form.screen()->availableGeometry().height() - 60; height += 7) {
        form.resize(form.width(), height);
        if (!QTest::qWaitFor([&] { return form.height() == height; }, 2000)) {
            continue; // the window manager keeps the window from this height
        }
        const std::string at = "height " + std::to_string(height - top);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        check(grid, 0, at + ", ctrl+End");
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        for (int page = 0; page < 4; ++page) {
            QTest::keyClick(grid, Qt::Key_PageDown);
        }
        check(grid, 0, at + ", PageDown");
        QWheelEvent wheel(QPointF(5, 5), grid->viewport()->mapToGlobal(QPointF(5, 5)), {},
                          QPoint(0, -120 * 40), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid->viewport(), &wheel);
        check(grid, 0, at + ", wheel");
    }
}

// The window's least size and each dialog with its buttons lie inside the screen's free area.
TEST_F(XcbTest, WindowAndDialogsFitTheScreen) {
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_LE(form.minimumWidth(), screen.width());
    EXPECT_LE(form.minimumHeight(), screen.height());
    int shown = 0;
    form.ResultController.RunDialog = [&](QDialog& dialog) {
        const std::string name = dialog.windowTitle().toStdString();
        dialog.show();
        ++shown;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog)) << name;
        EXPECT_TRUE(screen.contains(dialog.frameGeometry()))
            << name << " " << dialog.frameGeometry().width() << "x"
            << dialog.frameGeometry().height();
        for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->isVisibleTo(&dialog) && qobject_cast<QDialogButtonBox*>(button->parent())) {
                const QRect area(button->mapToGlobal(QPoint(0, 0)), button->size());
                EXPECT_TRUE(screen.contains(area)) << name << ": " << button->text().toStdString();
            }
        }
        return static_cast<int>(QDialog::Rejected);
    };
    form.ResultController.PrintGrid();
    form.ResultController.SaveAsHtml();
    EXPECT_EQ(shown, 2);
}

// On the real screen: the focus frame of a title bar shows in the highlight colour, and a
// screen reader finds an open menu's items.
TEST_F(XcbTest, KeyboardFocusShowsAndScreenReadersFindAnOpenMenu) {
    TForm1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const auto shownPixel = [&form](QWidget* widget, QPoint at) {
        QCoreApplication::processEvents();
        const QPoint global = widget->mapToGlobal(at);
        const QImage shot = form.screen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage();
        return shot.pixelColor(0, 0);
    };
    const QColor highlight = form.palette().color(QPalette::Active, QPalette::Highlight);
    form.SpinEdit4->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // the title bar of "Options"
    auto* bar = qobject_cast<TBevelPanel*>(QApplication::focusWidget());
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->HasKeyAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownPixel(bar, {0, 0}) == highlight; }, 2000));

    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              form.StringGrid1->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(form.StringGrid1, &menuKey);
    QMenu* menu = form.StringGrid1->PopupMenu();
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
    QStringList items;
    for (int i = 0; i < application->childCount(); ++i) {
        if (application->child(i)->role() == QAccessible::PopupMenu) {
            items << application->child(i)->child(0)->text(QAccessible::Name);
        }
    }
    EXPECT_EQ(items, QStringList{"Save grid as Html"});
    menu->hide();
}

} // namespace
