#pragma once

#include <QString>

// The account code scheme: level lengths 3-2-2-2-2-2, a child appends two digits to its parent, the first digit
// names the category.
namespace kessory::accounts {

constexpr int kLevel1Length = 3;
constexpr int kMaxCodeLength = 13;

// The code as every rule compares it: the text's leading number in plain decimal ("0100 " gives "100", "" gives
// "0"); a fraction keeps its point.
QString normalizeCode(const QString& text);

// The level (1 to 6) of a code of that many characters; 0 for any other length.
int levelOfLength(qsizetype length);

// Whether a normalised code is a plain digit string of one of the six lengths.
bool isValidCode(const QString& code);

// The code without its last two digits (the parent's code); empty for a level-1 code.
QString parentCode(const QString& code);

// The category name of a code's first digit from 财务科目类别; empty when the digit is 0, not a digit, or has no row.
QString funCategoryOfCode(const QString& code);

} // namespace kessory::accounts

namespace kessory::accounts {

// What the code field shows after the program set its text, and the category that goes with it.
struct CodeField {
    QString code; // the text, emptied when it is no code of a known category, else cut to 13 characters
    QString category;
};
CodeField funCodeFieldChange(const QString& text);

} // namespace kessory::accounts
