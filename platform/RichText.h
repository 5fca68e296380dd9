#pragma once

#include <QString>

class QTextDocument;

// Reads a rich-text document into `document`, replacing its content. Never throws and never crashes on
// malformed input: it shows what could be read.
void ReadRichText(const QString& source, QTextDocument& document);
