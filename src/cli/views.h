#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "report/keyword_filter.h"
#include "runs/file_system.h"

namespace quorlith {

// The console's views of set files on standard output, beside the report
// files the runs write: the report itself (--show), the list of changes a
// listener can follow (--changes, --summary) and JSON (--json).

enum class ViewKind {
  kShow,
  kChanges,
  kSummary,
  kJson,
  kJsonLines,
  kFind,
  kGet,
};

struct ViewRequest {
  ViewKind kind = ViewKind::kShow;
  // One name (a decompile; --json takes a pattern) or two (the original and
  // a pattern of new files, as a comparison run takes them); --get reads
  // every file any of them matches.
  std::vector<std::string> names;
  bool utf16 = false;     // --show: the report file's own bytes
  bool crlf = false;      // --show: keep the report's CR LF
  bool textconv = false;  // --show: leave out the lines naming the file
  KeywordFilter ignore;
  std::string query;  // --find: "keyword = value"; --get: the keyword
  int jobs = 1;       // files worked on at once; the output is the same
};

// Exit statuses of the views, as diff and cmp have them.
inline constexpr int kViewSame = 0;
inline constexpr int kViewDifferent = 1;
inline constexpr int kViewTrouble = 2;

// Writes the view to `out` and each problem to `err` as the log's message;
// returns kViewDifferent when a comparison found a setting that differs
// (or --find found nothing, as grep has it) and kViewTrouble, which wins,
// when a file could not be found or read or the query is no search.
int RunView(const ViewRequest& request, FileSystem& fs, std::ostream& out,
            std::ostream& err);

// Lists the names a setting's value may take, one a line, as a compile's
// message about a long list of them points to (--values KEYWORD).
int ListValues(const std::string& keyword, std::ostream& out,
               std::ostream& err);

}  // namespace quorlith
