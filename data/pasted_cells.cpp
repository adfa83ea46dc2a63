#include "data/pasted_cells.h"

#include "data/number_text.h"

namespace heatnet {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Where a quoted cell that starts at `open` (its opening quote) ends: just past
// the closing quote, or the end of the text when it is never closed.
size_t PastClosingQuote(std::string_view text, size_t open) {
    for (size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] != '"') continue;
        if (i + 1 < text.size() && text[i + 1] == '"') ++i;
        else return i + 1;
    }
    return text.size();
}

// The separator of the block: a quoted comma or semicolon ("1,5" from a
// spreadsheet set to a decimal comma) does not count. Quotes open a cell only at
// its start, after blanks, whatever the separator turns out to be.
char SeparatorOf(std::string_view text) {
    bool semicolon = false, cellStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') return '\t';
        if (c == '"' && cellStart) {
            i = PastClosingQuote(text, i) - 1;
            cellStart = false;
            continue;
        }
        semicolon = semicolon || c == ';';
        cellStart = c == ',' || c == ';' || IsLineBreak(c) || (cellStart && IsBlank(c));
    }
    return semicolon ? ';' : ',';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A quoted cell's text: without its quotes, "" read as one quote, an unclosed
// quote running to the end; anything after the closing quote is kept too.
std::string Unquoted(std::string_view cell) {
    std::string text;
    size_t i = 1;
    for (; i < cell.size(); ++i) {
        if (cell[i] == '"' && i + 1 < cell.size() && cell[i + 1] == '"') ++i;
        else if (cell[i] == '"') break;
        text += cell[i];
    }
    if (i < cell.size()) text.append(Trimmed(cell.substr(i + 1)));
    return text;
}

// Cells holding a character of `quoteIf` (or, with `keepBlanks`, blanks at either
// end, which the splitter would remove) are quoted, so that they split back whole.
std::string Joined(const CellRows& rows, char separator, std::string_view lineEnd, std::string_view quoteIf,
                   bool keepBlanks) {
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) text += separator;
            const std::string& cell = row[c];
            const bool quoted = cell.find_first_of(quoteIf) != std::string::npos ||
                                (keepBlanks && !cell.empty() && (IsBlank(cell.front()) || IsBlank(cell.back())));
            if (!quoted) {
                text += cell;
                continue;
            }
            text += '"';
            for (const char ch : cell) text.append(ch == '"' ? 2 : 1, ch);
            text += '"';
        }
        text += lineEnd;
    }
    return text;
}

}  // namespace

CellRows SplitPastedText(std::string_view text) {
    // A CSV file saved by a spreadsheet as UTF-8 starts with a byte-order mark.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const char separator = SeparatorOf(text);
    CellRows rows;
    std::vector<std::string> row;
    size_t cellStart = 0;
    bool lineHasText = false;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"' && Trimmed(text.substr(cellStart, i - cellStart)).empty()) {
            i = PastClosingQuote(text, i) - 1;
            lineHasText = true;
            continue;
        }
        const bool end = i == text.size();
        if (!end && text[i] != separator && !IsLineBreak(text[i])) {
            lineHasText = lineHasText || !IsBlank(text[i]);
            continue;
        }
        const std::string_view cell = Trimmed(text.substr(cellStart, i - cellStart));
        row.push_back(cell.starts_with('"') ? Unquoted(cell) : std::string(cell));
        if (end || IsLineBreak(text[i])) {
            // The text after the last line break is a row only when it holds something.
            if (!end || lineHasText || row.size() > 1) rows.push_back(std::move(row));
            row.clear();
            lineHasText = false;
            if (!end && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
        cellStart = i + 1;
    }
    return rows;
}

bool IsHeaderRow(const std::vector<std::string>& row) {
    for (const std::string& cell : row)
        if (!ParseNumberField(cell)) return true;
    return false;
}

std::string TabSeparatedText(const CellRows& rows) { return Joined(rows, '\t', "\n", "\t\"\r\n", false); }

std::string CsvText(const CellRows& rows) { return Joined(rows, ',', "\r\n", ",;\t\"\r\n", true); }

}  // namespace heatnet
