#include "documents/report_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "tov00300/datamodule.h"
#include "tov00300/decimal.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300::documents {

namespace {

// From 10^15 on the fixed format gives up its two decimals, and the sums of
// 10^-3 units still fit in 64 bits with room for millions of rows.
constexpr int kMostIntegerDigits = 15;
constexpr int kMostDecimals = 3;

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

uint64_t Magnitude(int64_t value) {
  return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

}  // namespace

int64_t Units(double value, int decimals, std::string_view what, bool truncate) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e15 || decimals < 0 ||
      decimals > kMostDecimals) {
    throw BadInput(Utf8ToCp1252("Valor inválido em ") + std::string(what) +
                   Utf8ToCp1252(". Nada foi impresso."));
  }
  Decimal d = Decimal::FromDouble(value);
  if (truncate) {
    d.Truncate(decimals);
  } else {
    d.Round(decimals);
  }
  const std::string integer = d.IntegerDigits();
  if (static_cast<int>(integer.size()) > kMostIntegerDigits) {
    throw BadInput(Utf8ToCp1252("Valor inválido em ") + std::string(what) + ". " +
                   Utf8ToCp1252("Nada foi impresso."));
  }
  int64_t units = 0;
  for (char c : integer + d.FractionDigits(decimals)) units = units * 10 + (c - '0');
  return d.negative ? -units : units;
}

int64_t LineCents(double quantity, double price, bool truncate, std::string_view what) {
  // Thousandths times thousandths: millionths of the currency, 10^4 a cent.
  // The product of two counts below 10^18 needs more than 64 bits, so it is
  // taken in parts: with a = ah * 10^4 + al and b = bh * 10^4 + bl,
  // a * b / 10^4 = ah * bh * 10^4 + ah * bl + al * bh + al * bl / 10^4,
  // every term below 10^18 once the first is checked.
  constexpr uint64_t kPerCent = 10'000;
  constexpr uint64_t kLimit = 1'000'000'000'000'000'000;
  const int64_t quantityUnits = Units(quantity, kMostDecimals, what);
  const int64_t priceUnits = Units(price, kMostDecimals, what);
  const bool negative = (quantityUnits < 0) != (priceUnits < 0);
  const uint64_t a = Magnitude(quantityUnits), b = Magnitude(priceUnits);
  const uint64_t ah = a / kPerCent, al = a % kPerCent, bh = b / kPerCent, bl = b % kPerCent;
  if (ah != 0 && bh > kLimit / kPerCent / ah) {
    throw BadInput(Utf8ToCp1252("Valor inválido em ") + std::string(what) +
                   Utf8ToCp1252(". Nada foi impresso."));
  }
  uint64_t cents = ah * bh * kPerCent + ah * bl + al * bh + al * bl / kPerCent;  // toward zero
  const uint64_t rest = al * bl % kPerCent;
  if (!truncate && rest >= kPerCent / 2) ++cents;
  if (cents >= kLimit) {
    throw BadInput(Utf8ToCp1252("Valor inválido em ") + std::string(what) +
                   Utf8ToCp1252(". Nada foi impresso."));
  }
  return negative ? -static_cast<int64_t>(cents) : static_cast<int64_t>(cents);
}

void AddTo(int64_t& sum, int64_t value) {
  constexpr int64_t kLimit = 1'000'000'000'000'000'000;
  const bool overflows = (value > 0 && sum > std::numeric_limits<int64_t>::max() - value) ||
                         (value < 0 && sum < std::numeric_limits<int64_t>::min() - value);
  if (overflows || sum + value <= -kLimit || sum + value >= kLimit) {
    throw BadInput(Utf8ToCp1252("Total grande demais para o relatório. Nada foi impresso."));
  }
  sum += value;
}

std::string Fixed(int64_t units, int decimals, int shown) {
  const bool negative = units < 0;
  // Magnitudes are below 10^19 (Units and the checked sums keep them so).
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
  for (int d = decimals; d > shown; --d) magnitude = (magnitude + 5) / 10;
  std::string digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) <= shown)
    digits.insert(0, static_cast<size_t>(shown + 1) - digits.size(), '0');
  std::string text = negative && magnitude != 0 ? "-" : "";
  text += digits.substr(0, digits.size() - static_cast<size_t>(shown));
  if (shown > 0) {
    text += GlobalFormatSettings().decimalSeparator;
    text += digits.substr(digits.size() - static_cast<size_t>(shown));
  }
  return text;
}

namespace {

// Where each figure starts when the last one ends at its column's edge and
// every other ends at its own edge or one blank before the next figure,
// whichever lies further left. `ends` are the columns' right edges.
std::vector<int> FigureStarts(std::span<const Figure> figures, std::span<const int> ends) {
  std::vector<int> starts(figures.size());
  int limit = ends.empty() ? 0 : ends.back();
  for (size_t i = figures.size(); i-- > 0;) {
    starts[i] = std::min(ends[i], limit) - static_cast<int>(figures[i].text.size());
    limit = starts[i] - 1;
  }
  return starts;
}

// `line` (blanks from the first figure's start on) with the figures placed.
std::string PlaceFigures(std::string line, std::span<const Figure> figures,
                         std::span<const int> starts) {
  for (size_t i = 0; i < figures.size(); ++i) {
    line.resize(static_cast<size_t>(std::max(starts[i], 0)), ' ');
    line += figures[i].text;
  }
  line += '\n';
  return line;
}

}  // namespace

std::string AmountRow(std::string_view head, std::initializer_list<Figure> list) {
  const std::span<const Figure> figures(list.begin(), list.size());
  std::vector<int> ends;
  int edge = static_cast<int>(head.size());
  for (const Figure& figure : figures) ends.push_back(edge += figure.width);
  const int over = std::max(0, edge - kPaperWidth);
  for (int& end : ends) end -= over;

  // The first figure keeps one blank after the label's last character.
  const size_t labelEnd = head.find_last_not_of(' ');
  const int room = labelEnd == std::string_view::npos ? 0 : static_cast<int>(labelEnd) + 2;
  const std::vector<int> starts = FigureStarts(figures, ends);
  if (starts.empty() || starts.front() >= room) {
    const size_t kept = starts.empty() ? head.size() : static_cast<size_t>(starts.front());
    return PlaceFigures(std::string(head.substr(0, kept)), figures, starts);
  }

  std::string out;
  if (room > 0) Line(out, head.substr(0, labelEnd + 1));
  // The figures from the left margin: as many on each line as fit there.
  for (size_t first = 0; first < figures.size();) {
    size_t last = first + 1;
    while (last < figures.size() &&
           FigureStarts(figures.subspan(first, last + 1 - first),
                        std::span<const int>(ends).subspan(first, last + 1 - first))
                   .front() >= 0)
      ++last;
    const auto group = figures.subspan(first, last - first);
    out += PlaceFigures(
        "", group, FigureStarts(group, std::span<const int>(ends).subspan(first, last - first)));
    first = last;
  }
  return out;
}

void Line(std::string& out, std::string_view text) {
  out += text;
  out += '\n';
}

std::string MissingField(const Variant& packet, std::initializer_list<const char*> fields) {
  if (packet.kind() != Variant::Kind::DataPacket) return *fields.begin();
  return MissingField(packet.AsDataPacket(), fields);
}

std::string MissingField(const DataPacket& packet, std::initializer_list<const char*> fields) {
  for (const char* field : fields) {
    bool found = false;
    for (const FieldDef& def : packet.fields) found = found || SameText(def.name, field);
    if (!found) return field;
  }
  return "";
}

std::string MissingField(const DataSet& table, std::initializer_list<const char*> fields) {
  for (const char* field : fields) {
    if (!table.Active() || table.FieldIndex(field) < 0) return field;
  }
  return "";
}

namespace {

[[noreturn]] void ThrowMissing(const std::string& field, std::string_view setName) {
  throw BadInput(Utf8ToCp1252("Campo ") + field + Utf8ToCp1252(" ausente em ") +
                 std::string(setName) + Utf8ToCp1252(". Nada foi impresso."));
}

}  // namespace

void RequireFields(const DataSet& set, std::string_view setName,
                   std::initializer_list<const char*> fields) {
  if (set.IsEmpty()) return;
  const std::string missing = MissingField(set, fields);
  if (!missing.empty()) ThrowMissing(missing, setName);
}

void RequireFields(const DataPacket& packet, std::string_view setName,
                   std::initializer_list<const char*> fields) {
  if (packet.rows.empty()) return;
  const std::string missing = MissingField(packet, fields);
  if (!missing.empty()) ThrowMissing(missing, setName);
}

std::string TextOf(const Field& field) {
  return field.IsNull() ? std::string() : field.AsString();
}

double NumberOf(const Field& field) {
  if (field.IsNull()) return 0;
  try {
    return field.AsFloat();
  } catch (const ConversionError&) {
    throw BadInput(Utf8ToCp1252("Valor inválido em ") + field.Name() + ": " +
                   Quoted(field.AsString()) + Utf8ToCp1252(". Nada foi impresso."));
  }
}

namespace {

// A packet without fields is a set the host never opened: the table is
// closed, which reads as a table without rows.
void Load(DataSet& table, const DataPacket& packet) {
  // A table keeps its index definitions; its active order is chosen by the
  // operation after the copy, when it knows the fields are there.
  table.SetIndexName("");
  if (packet.fields.empty()) {
    table.Close();
    return;
  }
  try {
    table.SetData(packet);
  } catch (const DataSetError& error) {
    throw BadInput(std::string(error.what()) + Utf8ToCp1252(". Nada foi impresso."));
  }
}

}  // namespace

void CopyInto(DataSet& table, const DataSet& host) {
  Load(table, host.Data());
}

void CopyInto(DataSet& table, const Variant& packet, std::string_view what) {
  if (packet.IsEmpty() || packet.IsNull()) {
    Load(table, DataPacket{});
  } else if (packet.kind() != Variant::Kind::DataPacket) {
    throw BadInput(std::string(what) + Utf8ToCp1252(" não é um pacote de dados (") +
                   packet.KindName() + Utf8ToCp1252("). Nada foi impresso."));
  } else {
    Load(table, packet.AsDataPacket());
  }
}

bool Ask(const char* key, const std::string& scheme) {
  return driver::AskOperator(scheme, Caption(key), driver::kConfirmationDialog);
}

std::string Caption(const char* key) {
  return DataModule().msgPadrao.Msg(key);
}

std::optional<std::string> ComposeText(const std::string& scheme,
                                       const std::function<std::string()>& compose) {
  try {
    return compose();
  } catch (const BadInput& problem) {
    driver::ReportProblem(scheme, problem.what(), boNUtilTaa);
    return std::nullopt;
  }
}

}  // namespace Tov00300::documents
