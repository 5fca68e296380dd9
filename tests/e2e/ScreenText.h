#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>
#include <ostream>

// Reads a short line of text off the screen by telling which of the texts it could be it shows: each
// candidate is drawn here in the program's font (DejaVu Sans at 11 pixels, the program's stand-in for
// "MS Sans Serif" 8 point), dark on the box's background, and matched against the box wherever it fits
// best; a text wider than the box may show only in part, filling the box. Antialiased edges may differ
// a little, the glyphs may not. "" when the box shows no text at
// all; nothing when it shows text that is none of the candidates. A text cursor beside the text (one
// column of dark pixels) is ignored.
std::optional<QString> ReadText(const QImage& screen, const QRect& box, const QStringList& candidates);

// Test failures show texts as themselves.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
