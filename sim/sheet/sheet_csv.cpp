#include "sim/sheet/sheet_csv.h"

#include <fstream>
#include <iterator>

#include "sim/sheet/cell_text.h"

namespace plotmate::sim {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Walks the text field by field, counting lines for error messages.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {
    if (text_.starts_with(kByteOrderMark)) text_.remove_prefix(kByteOrderMark.size());
  }

  Result<Worksheet> read() {
    Worksheet sheet;
    std::int64_t row = 1, column = 1;
    while (pos_ < text_.size()) {
      PLOTMATE_TRY(field, nextField());
      if (!field->empty()) {
        PLOTMATE_RETURN_IF_FAILED(store(sheet, row, column, *field));
      }
      if (pos_ >= text_.size()) break;
      if (text_[pos_] == ',') {
        ++pos_;
        ++column;
      } else {
        skipLineEnd();
        ++row;
        column = 1;
      }
    }
    return sheet;
  }

 private:
  Result<std::string> nextField() {
    return pos_ < text_.size() && text_[pos_] == '"' ? quotedField() : plainField();
  }

  Result<std::string> plainField() {
    std::string field;
    while (pos_ < text_.size() && !atSeparator()) {
      if (text_[pos_] == '"')
        return damaged(line_, "a quote inside a field that does not start with one");
      field += text_[pos_++];
    }
    return field;
  }

  Result<std::string> quotedField() {
    const std::int64_t openedOn = line_;
    std::string field;
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size()) return damaged(openedOn, "a quoted field is never closed");
      char c = text_[pos_++];
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          field += '"';
          ++pos_;
          continue;
        }
        break;
      }
      if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || text_[pos_] != '\n'))) ++line_;
      field += c;
    }
    if (pos_ < text_.size() && !atSeparator())
      return damaged(line_, "text after the closing quote of a field");
    return field;
  }

  bool atSeparator() const {
    char c = text_[pos_];
    return c == ',' || c == '\n' || c == '\r';
  }

  void skipLineEnd() {
    if (text_[pos_++] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
  }

  Result<void> store(Worksheet& sheet, std::int64_t row, std::int64_t column,
                     const std::string& field) {
    if (row > xl::kMaxRow) return damaged(line_, "more rows than a worksheet has (1048576)");
    if (column > xl::kMaxColumn) return damaged(line_, "more columns than a worksheet has (16384)");
    return sheet.enterText({static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)},
                           field);
  }

  static std::unexpected<Error> damaged(std::int64_t line, const std::string& what) {
    return fail(hr::kFail, "Damaged CSV, line " + std::to_string(line) + ": " + what);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::int64_t line_ = 1;
};

std::string csvField(const Variant& value) {
  std::string text = reenterableText(value);
  // A text that starts with U+FEFF is quoted: as the file's first bytes it
  // would otherwise be taken for a byte order mark and dropped on reading.
  if (text.find_first_of(",\"\r\n") == std::string::npos && !text.starts_with(kByteOrderMark))
    return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::unexpected<Error> discard(const std::filesystem::path& partial, std::string why) {
  std::error_code ignored;
  std::filesystem::remove(partial, ignored);
  return fail(hr::kFail, std::move(why));
}

}  // namespace

Result<Worksheet> worksheetFromCsv(std::string_view text) {
  return CsvReader(text).read();
}

std::string worksheetToCsv(const Worksheet& sheet) {
  auto used = sheet.usedArea();
  if (!used) return {};
  std::string out;
  auto it = sheet.cells().begin();
  for (std::int32_t row = 1; row <= used->last.row; ++row) {
    std::int32_t column = 1;  // the column of the field written last (or about to be)
    for (; it != sheet.cells().end() && it->first.row == row; ++it) {
      out.append(static_cast<std::size_t>(it->first.column - column), ',');
      out += csvField(it->second);
      column = it->first.column;
    }
    out.append(static_cast<std::size_t>(used->last.column - column), ',');
    out += "\r\n";
  }
  return out;
}

Result<Worksheet> loadCsvFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(hr::kFail, "Cannot open " + path.string());
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return fail(hr::kFail, "Cannot read " + path.string());
  return worksheetFromCsv(text);
}

Result<void> saveCsvFile(const Worksheet& sheet, const std::filesystem::path& path) {
  // Written beside the target and renamed over it, so a failed write never
  // leaves a half file where a good one was.
  auto partial = path;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (!out) return fail(hr::kFail, "Cannot create " + partial.string());
    out << worksheetToCsv(sheet);
    out.close();
    if (!out) return discard(partial, "Cannot write " + partial.string());
  }
  std::error_code ec;
  std::filesystem::rename(partial, path, ec);
  if (ec) return discard(partial, "Cannot replace " + path.string() + ": " + ec.message());
  return {};
}

}  // namespace plotmate::sim
