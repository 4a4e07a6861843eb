// The spin box that reads its text leniently and clamps on write.
#include "ui/TSpinEdit.h"

#include "ui/TPopupMenu.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <algorithm>
#include <charconv>
#include <limits>

TSpinEdit::TSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::TextChanged);
}

void TSpinEdit::SetRange(int32_t minimum, int32_t maximum) {
    Minimum = minimum;
    Maximum = std::max(minimum, maximum);
}

int32_t TSpinEdit::Value() const {
    const std::string text = lineEdit()->text().trimmed().toStdString();
    const char* first = text.data();
    const char* last = first + text.size();
    // from_chars takes no plus sign; an integer written with one is still an integer.
    if (first != last && *first == '+') {
        ++first;
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (end != last || first == last) {
        return Minimum;
    }
    // An integer beyond 32 bits (pasted, say) reads as the nearest 32-bit one, so that the
    // window caps it like any other large value instead of taking the minimum.
    if (error == std::errc::result_out_of_range) {
        return *first == '-' ? std::numeric_limits<int32_t>::min()
                             : std::numeric_limits<int32_t>::max();
    }
    return error == std::errc() ? value : Minimum;
}

void TSpinEdit::SetValue(int32_t value) {
    SetText(QString::number(std::clamp(value, Minimum, Maximum)));
}

void TSpinEdit::SetText(const QString& text) {
    // QLineEdit signals only real changes, so an equal text raises nothing.
    lineEdit()->setText(text);
}

void TSpinEdit::stepBy(int steps) {
    const int64_t wanted = int64_t{Value()} + steps;
    SetValue(static_cast<int32_t>(std::clamp<int64_t>(wanted, Minimum, Maximum)));
    selectAll();
}

QValidator::State TSpinEdit::validate(QString& input, int& /*pos*/) const {
    // Digits with an optional sign; anything shorter is still being typed.
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        const bool sign = i == 0 && (c == u'-' || c == u'+');
        if (!sign && (c < u'0' || c > u'9')) {
            return QValidator::Invalid;
        }
    }
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (isReadOnly()) {
        return StepNone;
    }
    const int32_t value = Value();
    StepEnabled enabled = StepNone;
    if (value < Maximum) {
        enabled |= StepUpEnabled;
    }
    if (value > Minimum) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

void TSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (PopupMenu) {
        PopupMenu->Popup(this, event->globalPos());
        event->accept();
        return;
    }
    QAbstractSpinBox::contextMenuEvent(event);
}

void TSpinEdit::TextChanged() {
    // A copy: the handler may detach or replace itself.
    const std::function<void()> handler = OnChange;
    if (handler) {
        handler();
    }
}
