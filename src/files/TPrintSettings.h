#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class IniFile;

// The numeric values of these enumerations are what the settings file stores.
enum class TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum class TPrintPenStyle {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
enum class TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};
enum class TPrintFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum class TPrintOrientation { poPortrait, poLandscape };

// A font as the settings file keeps it, free of any widget toolkit.
struct TPrintFont {
    enum TStyle : int32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    static constexpr int32_t AllStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;

    QString Name;
    int32_t Size = 0;  // points
    int32_t Style = 0; // sum of TStyle bits
    int32_t Color = 0; // colour value, 0 is black

    bool operator==(const TPrintFont&) const = default;
};

// The print settings of a grid. A new record holds what every grid starts with; LoadFrom
// and SaveTo read and write them as the section "PRINTSETTINGS" of an INI file. Spacings,
// sizes and margins are in the units of the printing engine.
struct TPrintSettings {
    int32_t ColumnSpacing = 0;
    int32_t RowSpacing = 0;
    int32_t TitleSpacing = 0;
    int32_t FixedHeight = 0; // row height when UseFixedHeight is on
    int32_t FixedWidth = 0;  // column width when UseFixedWidth is on
    bool Centered = false;
    bool NoAutoSize = false;
    bool UseFixedHeight = false;
    bool UseFixedWidth = false;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    TPrintBorders Borders = TPrintBorders::pbNoborder;
    TPrintPenStyle BorderStyle = TPrintPenStyle::psSolid;
    TPrintPosition Date = TPrintPosition::ppNone;
    TPrintPosition PageNr = TPrintPosition::ppNone;
    TPrintPosition Title = TPrintPosition::ppNone;
    TPrintPosition Time = TPrintPosition::ppNone;
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    QString TitleText;
    int32_t FooterSize = 0;
    int32_t HeaderSize = 0;
    int32_t LeftSize = 0;
    int32_t RightSize = 0;
    TPrintFitToPage FitToPage = TPrintFitToPage::fpNever;
    // 8 points are the 11 pixels of the grids' font at 96 dots per inch.
    TPrintFont Font{QStringLiteral("MS Sans Serif"), 8};
    TPrintFont HeaderFont{QStringLiteral("MS Sans Serif"), 8};
    TPrintFont FooterFont{QStringLiteral("MS Sans Serif"), 8};
    QString PageNumSep = QStringLiteral("/");
    QString PageSuffix;
    QString PagePrefix;
    TPrintOrientation Orientation = TPrintOrientation::poPortrait;
    QStringList TitleLines;

    bool operator==(const TPrintSettings&) const = default;

    // Writes every setting into the section, keeping the rest of the file.
    void WriteTo(IniFile& file) const;
    // Reads every setting from the section; a missing key reads as its default, and a
    // value out of its range leaves the setting as it was (positions fall back to ppNone).
    void ReadFrom(const IniFile& file);

    // Writes the settings into the file at path, keeping its other sections. Fails without
    // touching the file when it cannot be written, or when it exists but cannot be read
    // (rewriting it would lose the rest of it). The notice says what of the old file's owner
    // and mode could not be kept.
    bool SaveTo(const QString& path, QString* errorText = nullptr,
                QString* noticeText = nullptr) const;
    // Reads the settings from the file at path. A missing or unreadable file reads as all
    // defaults, as does a file without the section; returns whether the file was read, and
    // the error text says why not.
    bool LoadFrom(const QString& path, QString* errorText = nullptr);

    // Name filters of the load and save dialogs; the first one is the INI filter.
    static QStringList FileFilters();
    // The name to use for the path chosen in a dialog with the given filter selected: ".ini"
    // is appended when the INI filter is selected and the file name has no "." at all.
    static QString FileNameFor(const QString& chosen, const QString& selectedFilter);
};
