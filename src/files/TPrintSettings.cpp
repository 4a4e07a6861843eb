// The print settings record and its section of an INI file.
#include "files/TPrintSettings.h"

#include "files/IniFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <string>

namespace {

constexpr std::string_view Section = "PRINTSETTINGS";

QString Switch(bool on) {
    return on ? QStringLiteral("Y") : QStringLiteral("N");
}

bool ReadSwitch(const IniFile& file, std::string_view key, bool defaultValue) {
    return file.ReadString(Section, key, Switch(defaultValue)) == QLatin1String("Y");
}

// Stores the value when it is one of the enumeration's, else leaves the setting as it was.
template <typename TEnum>
void ReadEnum(const IniFile& file, std::string_view key, TEnum last, TEnum& setting) {
    const int32_t value = file.ReadInteger(Section, key, 0);
    if (value >= 0 && value <= static_cast<int32_t>(last)) {
        setting = static_cast<TEnum>(value);
    }
}

TPrintPosition ReadPosition(const IniFile& file, std::string_view key) {
    TPrintPosition position = TPrintPosition::ppNone;
    ReadEnum(file, key, TPrintPosition::ppBottomCenter, position);
    return position;
}

void WriteFont(IniFile& file, const std::string& prefix, const TPrintFont& font) {
    file.WriteString(Section, prefix + "Name", font.Name);
    file.WriteInteger(Section, prefix + "Size", font.Size);
    file.WriteInteger(Section, prefix + "Style", font.Style);
    file.WriteInteger(Section, prefix + "Color", font.Color);
}

TPrintFont ReadFont(const IniFile& file, const std::string& prefix) {
    return {file.ReadString(Section, prefix + "Name", QStringLiteral("Arial")),
            file.ReadInteger(Section, prefix + "Size", 10),
            file.ReadInteger(Section, prefix + "Style", 0) & TPrintFont::AllStyles,
            file.ReadInteger(Section, prefix + "Color", 0)};
}

// The title's lines go into one value, each line ended by the two characters "\n". A
// backslash is doubled where it would otherwise read as the start of "\n" or "\\", so any
// title reads back as written while older files, which never double one, read as before.
QString EncodeTitleLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line + u'\n';
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    QString encoded;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            encoded += QLatin1String("\\n");
            continue;
        }
        encoded += text[i];
        const bool escapeNext =
            i + 1 < text.size() &&
            (text[i + 1] == u'n' || text[i + 1] == u'\\' || text[i + 1] == u'\n');
        if (text[i] == u'\\' && escapeNext) {
            encoded += u'\\';
        }
    }
    return encoded;
}

QStringList DecodeTitleLines(const QString& encoded) {
    QString text;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const QChar next = i + 1 < encoded.size() ? encoded[i + 1] : QChar();
        if (encoded[i] == u'\\' && (next == u'n' || next == u'\\')) {
            text += next == u'n' ? u'\n' : u'\\';
            ++i;
        } else {
            text += encoded[i];
        }
    }
    if (text.isEmpty()) {
        return {};
    }
    // A break ends a line rather than starting an empty one.
    if (text.endsWith(u'\n')) {
        text.chop(1);
    }
    return text.split(u'\n');
}

} // namespace

void TPrintSettings::WriteTo(IniFile& file) const {
    file.WriteInteger(Section, "ColumnSpacing", ColumnSpacing);
    file.WriteInteger(Section, "RowSpacing", RowSpacing);
    file.WriteInteger(Section, "TitleSpacing", TitleSpacing);
    file.WriteInteger(Section, "FixedHeight", FixedHeight);
    file.WriteInteger(Section, "FixedWidth", FixedWidth);
    file.WriteString(Section, "Centered", Switch(Centered));
    file.WriteString(Section, "NoAutoSize", Switch(NoAutoSize));
    file.WriteString(Section, "UseFixedHeight", Switch(UseFixedHeight));
    file.WriteString(Section, "UseFixedWidth", Switch(UseFixedWidth));
    file.WriteString(Section, "RepeatFixedRows", Switch(RepeatFixedRows));
    file.WriteString(Section, "RepeatFixedCols", Switch(RepeatFixedCols));
    file.WriteInteger(Section, "Borders", static_cast<int32_t>(Borders));
    file.WriteInteger(Section, "BorderStyle", static_cast<int32_t>(BorderStyle));
    file.WriteInteger(Section, "Date", static_cast<int32_t>(Date));
    file.WriteInteger(Section, "PageNr", static_cast<int32_t>(PageNr));
    file.WriteInteger(Section, "Title", static_cast<int32_t>(Title));
    file.WriteInteger(Section, "Time", static_cast<int32_t>(Time));
    file.WriteString(Section, "DateFormat", DateFormat);
    file.WriteString(Section, "TitleText", TitleText);
    file.WriteInteger(Section, "FooterSize", FooterSize);
    file.WriteInteger(Section, "HeaderSize", HeaderSize);
    file.WriteInteger(Section, "LeftSize", LeftSize);
    file.WriteInteger(Section, "RightSize", RightSize);
    file.WriteInteger(Section, "FitToPage", static_cast<int32_t>(FitToPage));
    WriteFont(file, "Font", Font);
    WriteFont(file, "HeaderFont", HeaderFont);
    WriteFont(file, "FooterFont", FooterFont);
    file.WriteString(Section, "PageNumSep", PageNumSep);
    file.WriteString(Section, "PageSuffix", PageSuffix);
    file.WriteString(Section, "PagePrefix", PagePrefix);
    file.WriteInteger(Section, "Orientation", static_cast<int32_t>(Orientation));
    file.WriteString(Section, "TitleLines", EncodeTitleLines(TitleLines));
}

void TPrintSettings::ReadFrom(const IniFile& file) {
    ColumnSpacing = file.ReadInteger(Section, "ColumnSpacing", 20);
    RowSpacing = file.ReadInteger(Section, "RowSpacing", 20);
    TitleSpacing = file.ReadInteger(Section, "TitleSpacing", 20);
    FixedHeight = file.ReadInteger(Section, "FixedHeight", 0);
    FixedWidth = file.ReadInteger(Section, "FixedWidth", 0);
    Centered = ReadSwitch(file, "Centered", true);
    NoAutoSize = ReadSwitch(file, "NoAutoSize", false);
    UseFixedHeight = ReadSwitch(file, "UseFixedHeight", false);
    UseFixedWidth = ReadSwitch(file, "UseFixedWidth", false);
    RepeatFixedRows = ReadSwitch(file, "RepeatFixedRows", false);
    RepeatFixedCols = ReadSwitch(file, "RepeatFixedCols", false);
    ReadEnum(file, "Borders", TPrintBorders::pbCustom, Borders);
    ReadEnum(file, "BorderStyle", TPrintPenStyle::psInsideFrame, BorderStyle);
    Date = ReadPosition(file, "Date");
    PageNr = ReadPosition(file, "PageNr");
    Title = ReadPosition(file, "Title");
    Time = ReadPosition(file, "Time");
    DateFormat = file.ReadString(Section, "DateFormat", QString());
    TitleText = file.ReadString(Section, "TitleText", QString());
    FooterSize = file.ReadInteger(Section, "FooterSize", 100);
    HeaderSize = file.ReadInteger(Section, "HeaderSize", 100);
    LeftSize = file.ReadInteger(Section, "LeftSize", 100);
    RightSize = file.ReadInteger(Section, "RightSize", 100);
    ReadEnum(file, "FitToPage", TPrintFitToPage::fpCustom, FitToPage);
    Font = ReadFont(file, "Font");
    HeaderFont = ReadFont(file, "HeaderFont");
    FooterFont = ReadFont(file, "FooterFont");
    PageNumSep = file.ReadString(Section, "PageNumSep", QString());
    PageSuffix = file.ReadString(Section, "PageSuffix", QString());
    PagePrefix = file.ReadString(Section, "PagePrefix", QString());
    ReadEnum(file, "Orientation", TPrintOrientation::poLandscape, Orientation);
    TitleLines = DecodeTitleLines(file.ReadString(Section, "TitleLines", QString()));
}

bool TPrintSettings::SaveTo(const QString& path, QString* errorText, QString* noticeText) const {
    IniFile file;
    QString reason;
    if (file.Load(path, &reason) == IniFile::TLoadResult::Failed) {
        if (errorText) {
            *errorText = QCoreApplication::translate("TPrintSettings",
                                                     "The existing file cannot be read: %1")
                             .arg(reason);
        }
        return false;
    }
    WriteTo(file);
    return file.Save(path, errorText, noticeText);
}

bool TPrintSettings::LoadFrom(const QString& path, QString* errorText) {
    IniFile file;
    const IniFile::TLoadResult result = file.Load(path, errorText);
    if (result == IniFile::TLoadResult::Missing && errorText) {
        *errorText = QCoreApplication::translate("TPrintSettings", "There is no such file.");
    }
    const bool read = result == IniFile::TLoadResult::Read;
    ReadFrom(file);
    return read;
}

QStringList TPrintSettings::FileFilters() {
    return {QCoreApplication::translate("TPrintSettings", "INI files (*.ini)"),
            QCoreApplication::translate("TPrintSettings", "All files (*.*)")};
}

QString TPrintSettings::FileNameFor(const QString& chosen, const QString& selectedFilter) {
    // Only the file name counts: a dot in a folder name ("/home/jo.ann/") is no extension.
    const bool hasDot = QFileInfo(chosen).fileName().contains(u'.');
    if (chosen.isEmpty() || hasDot || selectedFilter != FileFilters().front()) {
        return chosen;
    }
    return chosen + QStringLiteral(".ini");
}
