#pragma once

#include <QString>
#include <ostream>

// Failure messages show a QString as its text in quotes, not as bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
