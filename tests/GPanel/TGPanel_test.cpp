#include "GPanel/GradientBands.h"
#include "GPanel/TGPanel.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

QRgb Grey(int level) {
    return qRgb(level, level, level);
}

TEST(GradientBands, TileTheStripWithTruncatedSteps) {
    struct Case {
        const char* Name;
        QColor From, To;
        int Length;
        int Bands, Size;  // n + 1 bands, all but the last `Size` long
        QRgb LastVisible; // colour of the last non-empty band
    };
    const Case cases[] = {
        {"one-pixel steps", Qt::black, Qt::white, 100, 101, 1, Grey(252)},
        {"three-pixel steps end short of white", Qt::black, Qt::white, 600, 201, 3, Grey(252)},
        {"falling", Qt::white, Qt::black, 600, 201, 3, Grey(3)},
        {"uneven rest", QColor(0, 0, 0), QColor(0, 10, 0), 25, 9, 3, qRgb(0, 10, 0)},
        {"equal components, other alpha", QColor(9, 8, 7), QColor(9, 8, 7, 100), 50, 2, 50,
         qRgb(9, 8, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto bands = GradientBands(c.From, c.To, c.Length);
        ASSERT_EQ(static_cast<int>(bands.size()), c.Bands);
        int next = 0;
        QRgb lastVisible = 0;
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].Start, next) << "band " << i;
            if (i + 1 < bands.size()) {
                EXPECT_EQ(bands[i].Length, c.Size) << "band " << i;
            }
            next += bands[i].Length;
            lastVisible = bands[i].Length > 0 ? bands[i].Color.rgb() : lastVisible;
        }
        EXPECT_EQ(next, c.Length);
        EXPECT_EQ(bands.front().Color.rgb(), c.From.rgb());
        EXPECT_EQ(lastVisible, c.LastVisible);
    }
    EXPECT_TRUE(GradientBands(Qt::black, Qt::white, 0).empty() &&
                GradientBands(Qt::black, Qt::white, -5).empty());
}

TEST(TGPanel, PaintsItsBandsAcrossOrSplitDownInsideItsBevels) {
    TGPanel strip; // across, without bevels; the grey of band i is i * level / 100
    strip.SetBevelOuter(TBevelCut::None);
    strip.SetColor_1(Qt::black);
    strip.SetColor_2(Qt::white);
    for (const auto& [width, size, level] : {std::tuple{100, 1, 255}, std::tuple{600, 3, 127}}) {
        strip.resize(width, 4);
        const QImage across = Render(strip);
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(across.pixel(x, 2), Grey(x / size * level / 100)) << width << ", x " << x;
        }
    }

    TGPanel panel;
    panel.SetColor(Qt::blue);
    panel.SetBorderStyle(TPanelBorder::Single);
    panel.SetCtl3D(false);
    panel.SetBevelInner(TBevelCut::Lowered);
    panel.SetBevelWidth(2);
    panel.SetHorizontal(false);
    panel.SetPercent(20);
    panel.SetColor_1(QColor(0, 0, 0));
    panel.SetColor_2(QColor(0, 200, 0));
    panel.SetColor_3(QColor(0, 200, 80));
    panel.resize(20, 110); // 1 border and 2 x 2 bevel: a 10 x 100 inner area from (5, 5)
    EXPECT_EQ(panel.contentsRect(), QRect(5, 5, 10, 100));
    const QImage image = Render(panel);
    const QPalette& colours = panel.palette();
    EXPECT_EQ(image.pixel(0, 0), colours.color(QPalette::WindowText).rgb());
    EXPECT_EQ(image.pixel(1, 8), colours.color(QPalette::Light).rgb()); // raised outer
    EXPECT_EQ(image.pixel(3, 8), colours.color(QPalette::Dark).rgb());  // lowered inner
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(5, 24), qRgb(0, 190, 0)); // 20 px for 200 steps: 10 per pixel
    EXPECT_EQ(image.pixel(14, 25), qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(5, 104), qRgb(0, 200, 79)); // 80 px for 80 steps

    panel.SetColor_2(panel.Color_1()); // the first part keeps the background
    panel.SetColor_3(panel.Color_1());
    EXPECT_EQ(Render(panel).pixel(5, 5), QColor(Qt::blue).rgb());
    panel.SetColor_2(Qt::white);
    panel.SetActive(false);
    EXPECT_TRUE(panel.GradientFills().empty());
    EXPECT_EQ(Render(panel).pixel(5, 5), QColor(Qt::blue).rgb());
}

TEST(TGPanel, DefaultsAndPercentClamp) {
    TGPanel panel;
    EXPECT_EQ(panel.Color_1(), panel.palette().color(QPalette::Button));
    EXPECT_EQ(panel.Color_3(), QColor(0, 255, 255));
    const std::pair<int, int> cases[] = {{0, 1},     {-7, 1},    {1, 1},       {55, 55},
                                         {100, 100}, {250, 100}, {INT_MIN, 1}, {INT_MAX, 100}};
    for (const auto& [set, read] : cases) {
        panel.SetPercent(set);
        EXPECT_EQ(panel.Percent(), read) << "set " << set;
    }
}

TEST(TBevelPanel, ClicksReachTheHandlers) {
    TBevelPanel panel;
    panel.resize(40, 20);
    int clicks = 0, doubleClicks = 0;
    panel.OnClick = [&clicks] { ++clicks; };
    panel.OnDblClick = [&doubleClicks] { ++doubleClicks; };
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(60, 5)); // released outside
    QTest::mouseDClick(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(std::make_pair(clicks, doubleClicks), std::make_pair(1, 1));
}

} // namespace
