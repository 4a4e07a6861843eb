#include "core/ResultComputation.h"
#include "gridctl/TGridControl.h"
#include "superarray/superarray.h"
#include "support/DisplayServer.h"
#include "ui/TForm1.h"
#include "ui/TSpinEdit.h"

#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList Messages;

using Wayland = OnDisplayTest;

// The window as a Wayland session runs it: natively, answering what is typed, and without a
// word about what Wayland does not allow (placing the window, its transparency).
TEST_F(Wayland, WindowRunsNativelyAnswersTypingAndStaysQuiet) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
    Messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { Messages << text; });
    {
        TForm1 form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.SpinEdit4->setFocus();
        QTest::keyClick(form.SpinEdit4, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form.SpinEdit4, QStringLiteral("1920"));
        superarray expected;
        ReferencePair reference;
        ResultInputs inputs; // the window's defaults
        inputs.To = 1920;
        ComputeResults(inputs, expected, reference);
        EXPECT_EQ(form.StringGrid1->RowCount() - 1, expected.Count());
        for (const int alpha : {150, 200, 255}) {
            form.TrackBar1->setValue(alpha);
        }
        form.resize(form.width() - 40, form.height() - 40);
        QTest::qWait(0);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('\n')).toStdString();
}

} // namespace
