#pragma once

#include "clipboard/pastetext.h"

#include <string>

class QImage;
class QWidget;

namespace calibrix {

/// The clipboard's plain text as UTF-8; empty when it holds no text.
std::string clipboardText();

/// Clears the clipboard and places the text on it.
void setClipboardText(const std::string& text);

/// Places a table on the clipboard: as plain text and, for word processors, as HTML.
void setClipboardTable(const std::string& text, const std::string& html);

/// Places a picture on the clipboard.
void setClipboardImage(const QImage& image);

/// The user's answer to the one-column question.
enum class ColumnChoice { C, MS, Cancel };

/// The one-column question: Yes = C, No = MS, Cancel. Yes is the default; kept on top
/// (Qt::WindowStaysOnTopHint).
ColumnChoice askPasteColumn(QWidget* parent);

/// The "incorrect data" box for NoData, TooManyColumns or Unrecognizable.
void showPasteProblem(QWidget* parent, PasteKind kind);

} // namespace calibrix
