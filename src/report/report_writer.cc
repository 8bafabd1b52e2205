#include "report/report_writer.h"

#include <algorithm>

#include "sections/schema.h"

namespace quorlith {
namespace {

constexpr std::u16string_view kSeparator = u";";

// Walks the schema over the images, writing the parts that hold a setting
// line the report shows.
class Writer {
 public:
  Writer(ReportText& out, ReportKind kind, SetFileView printed,
         SetFileView original, const ReportOptions& options)
      : out_(out),
        comparing_(kind == ReportKind::kComparison),
        printed_(printed),
        original_(original),
        options_(options) {}

  // The body: every part; in a comparison that found no setting that
  // differs, the line that says so instead.
  void Body() {
    auto body = out_.size();
    for (const Part& part : ReportParts()) {
      std::size_t block = Layout(part.block).file_offset - kHeaderSize;
      Write(part, {printed_.Block(part.block), original_.Block(part.block)}, {},
            block);
    }
    if (comparing_ && lines_ == 0) {
      out_.resize(body);
      AppendLine(out_, u";There are no differences between the two set files.");
    }
  }

 private:
  // A part goes again when it wrote no setting line of its own or its
  // parts' (what its title and closing lines alone amount to).
  void Write(const Part& part, RecordPair record, std::u16string_view prefix,
             std::size_t record_offset) {
    auto mark = out_.size();
    std::size_t lines = lines_;
    if (part.section) section_start_ = mark;
    if (!part.title.empty()) {
      if (part.titled_by_record) {
        out_.append(kSeparator);
        out_.append(prefix);
      }
      AppendLine(out_, part.title);
    }
    for (std::u16string_view note : part.notes) AppendLine(out_, note);
    Settings(part.settings, record, prefix, record_offset);
    for (const Item& item : part.items) {
      if (Holds(item.when, record.printed)) {
        Settings(item.settings, record, prefix, record_offset);
      } else {
        row_ += item.settings.size();
      }
      if (item.part != nullptr)
        Write(*item.part, record, prefix, record_offset);
      if (item.records != nullptr) {
        WriteRecords(*item.records, record, record_offset);
      }
    }
    for (std::size_t i = 0; i < part.separators; ++i) {
      AppendLine(out_, kSeparator);
    }
    if (lines_ == lines) out_.resize(mark);
  }

  // Records hold no records of their own: one prefix serves them all.
  void WriteRecords(const Records& records, RecordPair block,
                    std::size_t block_offset) {
    for (std::size_t i = 0; i < records.count; ++i) {
      prefix_.clear();
      if (!AppendRecordPrefix(prefix_, records, i)) continue;
      std::size_t offset = records.offset + i * records.size;
      Write(*records.part, block.Sub(offset, records.size), prefix_,
            block_offset + offset);
    }
  }

  // The printed record decides, in a comparison too.
  bool Holds(const Condition& when, ByteView printed) const {
    if (when.values.empty() || options_.every_line) return true;
    auto value = static_cast<std::int16_t>(printed[when.offset] |
                                           printed[when.offset + 1] << 8);
    return std::find(when.values.begin(), when.values.end(), value) !=
           when.values.end();
  }

  void Settings(std::span<const Setting> settings, RecordPair record,
                std::u16string_view prefix, std::size_t record_offset) {
    for (const Setting& setting : settings) {
      std::size_t row = row_++;
      if (comparing_) {
        if (!setting.codec->differs(record.printed, record.original,
                                    setting.field)) {
          continue;
        }
        if (options_.ignore != nullptr &&
            options_.ignore->Matches(prefix, setting.keyword)) {
          continue;
        }
      }
      std::size_t line_start = out_.size();
      // The keyword through one reservation: a report is thousands of
      // lines, most of them a keyword and a short value.
      std::u16string_view keyword = setting.keyword;
      char16_t* at = out_.Extend(prefix.size() + keyword.size() + 3);
      CopyUnits(at, prefix.data(), prefix.size());
      at += prefix.size();
      CopyUnits(at, keyword.data(), keyword.size());
      at += keyword.size();
      CopyUnits(at, kEquals.data(), kEquals.size());
      out_.Commit(at + kEquals.size());
      std::size_t value_start = out_.size();
      setting.codec->render(out_, record.printed, setting.field);
      std::size_t value_end = out_.size();
      out_.append(kLineEnd);
      ++lines_;
      if (options_.sink != nullptr) {
        options_.sink->Setting({setting, row, prefix, record.printed,
                                record.original, record_offset, section_start_,
                                line_start, value_start, value_end});
      }
    }
  }

  ReportText& out_;
  bool comparing_;
  SetFileView printed_;
  SetFileView original_;
  const ReportOptions& options_;
  std::size_t lines_ = 0;  // setting lines written
  std::size_t row_ = 0;  // of AllSettings(): the schema is walked in its order
  std::size_t section_start_ = 0;
  std::u16string prefix_;
};

void AppendModified(ReportText& out, std::u16string_view lead,
                    const DosDateTime& t) {
  out.append(lead);
  out.append(u" last modified on ");
  AppendZeroPadded(out, t.month, 2);
  out.push_back(u'/');
  AppendZeroPadded(out, t.day, 2);
  out.push_back(u'/');
  AppendZeroPadded(out, t.year, 2);
  out.append(u" at ");
  AppendZeroPadded(out, t.hours, 2);
  out.push_back(u':');
  AppendZeroPadded(out, t.minutes, 2);
  out.push_back(u'.');
  AppendZeroPadded(out, t.seconds, 2);
  out.append(kLineEnd);
}

void AppendVersionLines(ReportText& out) {
  out.push_back(kByteOrderMark);
  out.append(u"; Human readable SET file for Orvalen version ");
  AppendLine(out, kOrvalenVersion);
  out.append(u"; Created by Quorlith for Orvalen Version ");
  AppendLine(out, kOrvalenVersion);
}

void AppendBodyAndFooter(Writer&& writer, ReportText& out) {
  AppendLine(out, kSeparator);
  writer.Body();
  AppendLine(out, u";***END OF FILE***");
}

}  // namespace

void RenderDecompileReport(const ReportSource& input, SetFileView printed,
                           ReportText& out, const ReportOptions& options) {
  out.clear();
  AppendVersionLines(out);
  out.append(u"; Created from ");
  AppendUtf8(out, input.path);
  out.append(kLineEnd);
  AppendModified(out, u"; Set file", input.modified);
  AppendBodyAndFooter(
      Writer(out, ReportKind::kDecompile, printed, printed, options), out);
}

void RenderComparisonReport(const ReportSource& original_source,
                            const ReportSource& new_source,
                            SetFileView original, SetFileView printed,
                            ReportText& out, const ReportOptions& options) {
  out.clear();
  AppendVersionLines(out);
  out.append(u"; Comparison list between ");
  AppendUtf8(out, original_source.path);
  out.append(u" and ");
  AppendUtf8(out, new_source.path);
  out.append(kLineEnd);
  AppendModified(out, u"; Original set file", original_source.modified);
  AppendModified(out, u"; New set file", new_source.modified);
  AppendBodyAndFooter(
      Writer(out, ReportKind::kComparison, printed, original, options), out);
}

}  // namespace quorlith
