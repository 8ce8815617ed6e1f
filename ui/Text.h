// The core keeps Windows-1250 bytes; Qt wants Unicode.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include <QStringList>

#include "core/Cp1250.h"
#include "store/TextFile.h"

namespace mv::ui {

inline QString Q(std::string_view cp1250) { return QString::fromStdString(cp1250::ToUtf8(cp1250)); }
inline std::string W(const QString& text) { return cp1250::FromUtf8(text.toStdString()); }

// A text file's lines shown in a memo, and the memo written back as the file
// holds it (CR LF after every line; an empty memo is an empty file).
inline QString MemoText(std::string_view fileBytes) {
  QStringList lines;
  for (const std::string& line : SplitLines(fileBytes)) lines << Q(line);
  return lines.join('\n');
}
inline std::string FileText(const QString& memo) {
  std::vector<std::string> lines;
  if (!memo.isEmpty())
    for (const QString& line : memo.split('\n')) lines.push_back(W(line));
  return JoinLines(lines);
}

}  // namespace mv::ui
