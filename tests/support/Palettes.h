#pragma once

#include <QApplication>
#include <QPalette>

// A dark desktop scheme: the window and edit backgrounds, and `text` for window and edit
// texts alike.
inline QPalette DarkPalette(QRgb window, QRgb base, QRgb text) {
    QPalette palette(QColor(text), QColor(0x424245), QColor(0x979797), QColor(0x302f2e),
                     QColor(0x4a4947), QColor(text), QColor(Qt::white), QColor(base),
                     QColor(window));
    palette.setColor(QPalette::Highlight, QColor(0x12608a));
    palette.setColor(QPalette::HighlightedText, QColor(0xf9f9f9));
    palette.setColor(QPalette::ToolTipBase, QColor(0x3f3f36));
    palette.setColor(QPalette::ToolTipText, QColor(text));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x808080));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x808080));
    return palette;
}

// Puts back the application's palette of the moment it was made; a member of a fixture
// whose tests change the palette.
class PaletteRestore {
public:
    PaletteRestore() = default;
    ~PaletteRestore() { QApplication::setPalette(Saved); }
    PaletteRestore(const PaletteRestore&) = delete;
    PaletteRestore& operator=(const PaletteRestore&) = delete;

private:
    QPalette Saved = QApplication::palette();
};
