#pragma once

#include <QString>

namespace kessory {

// How a statement indents its line captions.
enum class CaptionRule {
    // Totals (a trimmed caption ending in 计) are re-indented; every other caption stays exactly as stored.
    Total,
    // Subtotals go far right, section headings ("一、…") stay flush left, every other line is indented a little.
    Section,
};

// The total rule: a caption that, with leading and trailing blanks removed, ends with 计 is shown trimmed behind
// 12 blanks when it is shorter than 14 characters, behind 3 blanks otherwise; any other caption is returned as is.
QString totalRuleCaption(const QString& caption);

// The section rule, on the caption as stored (no trimming): 24 blanks before one ending in 小计; otherwise 4 blanks
// unless its second character is 、 (a numbered section heading, returned as is).
QString sectionRuleCaption(const QString& caption);

QString shownCaption(CaptionRule rule, const QString& caption);

} // namespace kessory
