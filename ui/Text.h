// The core keeps Windows-1250 bytes; Qt wants Unicode.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include <QCollator>
#include <QLocale>
#include <QStringList>
#include <algorithm>

#include "core/Cp1250.h"
#include "platform/Paths.h"
#include "store/TextFile.h"

namespace mv::ui {

inline QString Q(std::string_view cp1250) { return QString::fromStdString(cp1250::ToUtf8(cp1250)); }
inline std::string W(const QString& text) { return cp1250::FromUtf8(text.toStdString()); }

// A path and the text Qt shows or hands back: whole on either platform.
inline QString QPath(const std::filesystem::path& path) { return QString::fromStdString(Utf8(path)); }
inline std::filesystem::path PathOf(const QString& text) { return PathFromUtf8(text.toStdString()); }

// Lists the player reads sort in Hungarian alphabetical order, whatever the
// case of the first letter ("Ádám, ágnes, alma, Bea, Öt jegy, Zord").
inline void SortHungarian(QStringList& items) {
  QCollator collator(QLocale(QLocale::Hungarian, QLocale::Hungary));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(items.begin(), items.end(),
                   [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

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
