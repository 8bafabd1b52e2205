#include "shell/viewer_text.h"

#include <algorithm>

#include "report/change_list.h"
#include "report/report_writer.h"
#include "runs/case_folding.h"

namespace quorlith {
namespace {

// "; Menu 2 - Keyboard", "; Window Characteristics": the titles a user
// steps through. A window record's own title (";Window#0_...") has no
// blank after the comment mark and is no section of its own.
bool IsSectionTitle(std::u16string_view line) {
  if (!line.starts_with(u"; ")) return false;
  line.remove_prefix(2);
  return line.starts_with(u"Menu ") || line.ends_with(u"Characteristics");
}

constexpr char16_t kNulSymbol = u'\u2400';

bool IsSetting(std::u16string_view line) {
  return !line.empty() && !line.starts_with(u';');
}

char16_t Folded(char16_t unit) {
  // Surrogates fold to themselves; every letter with a simple folding in
  // the Basic Multilingual Plane folds within it.
  return static_cast<char16_t>(FoldCase(unit));
}

}  // namespace

std::vector<std::u16string_view> ViewerText::Lines() const {
  std::vector<std::u16string_view> lines;
  std::u16string_view rest = text;
  while (!rest.empty()) {
    std::size_t end = rest.find(u'\n');
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(end == std::u16string_view::npos ? rest.size()
                                                        : end + 1);
  }
  return lines;
}

ViewerText ReportViewerText(std::u16string_view title,
                            std::u16string_view report) {
  ViewerText view{std::u16string(title), u"Report", {}, {}, 0};
  if (report.starts_with(kByteOrderMark)) report.remove_prefix(1);
  view.text.reserve(report.size());
  for (char16_t c : report) {
    // A tone of 0 is a NUL character, which would end the text of a
    // Windows control; it shows as the symbol for it.
    if (c == u'\0') c = kNulSymbol;
    if (c != u'\r') view.text.push_back(c);
  }
  if (!view.text.empty() && !view.text.ends_with(u'\n')) {
    view.text.push_back(u'\n');
  }
  std::vector<std::u16string_view> lines = view.Lines();
  bool found = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsSectionTitle(lines[i])) view.sections.push_back(i);
    if (!found && IsSetting(lines[i])) {
      view.first_line = i;
      found = true;
    }
  }
  return view;
}

ViewerText ChangesViewerText(std::u16string_view title,
                             std::span<const ReportSetting> settings) {
  ViewerText view{std::u16string(title), u"Changes", {}, {}, 0};
  if (settings.empty()) {
    view.text = u"No differences.\n";
    return view;
  }
  AppendChangeCount(view.text, settings.size(), u" in all");
  std::size_t line = 1;
  auto next = settings.begin();
  for (const auto& [section, count] : ChangesBySection(settings)) {
    view.sections.push_back(line);
    AppendChangeCount(view.text, count,
                      std::u16string(u" in ").append(section));
    for (std::size_t i = 0; i < count; ++i)
      AppendChangeLine(view.text, *next++);
    line += 1 + count;
  }
  view.first_line = 2;  // the first change, after both counts
  return view;
}

std::optional<std::size_t> NextSection(const ViewerText& view, std::size_t line,
                                       bool forward) {
  const std::vector<std::size_t>& s = view.sections;
  if (forward) {
    auto at = std::upper_bound(s.begin(), s.end(), line);
    if (at != s.end()) return *at;
  } else {
    auto at = std::lower_bound(s.begin(), s.end(), line);
    if (at != s.begin()) return *(at - 1);
  }
  return std::nullopt;
}

std::optional<std::size_t> FindInText(std::u16string_view text,
                                      std::u16string_view needle,
                                      std::size_t from, bool forward) {
  if (needle.empty() || needle.size() > text.size()) return std::nullopt;
  auto matches = [&](std::size_t at) {
    for (std::size_t i = 0; i < needle.size(); ++i) {
      if (Folded(text[at + i]) != Folded(needle[i])) return false;
    }
    return true;
  };
  std::size_t last = text.size() - needle.size();
  if (forward) {
    for (std::size_t at = from; at <= last; ++at) {
      if (matches(at)) return at;
    }
  } else {
    for (std::size_t at = std::min(from, last + 1); at-- > 0;) {
      if (matches(at)) return at;
    }
  }
  return std::nullopt;
}

}  // namespace quorlith
