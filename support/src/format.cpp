#include "kivo/support/format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace kivo {

namespace {

struct Spec {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool zero = false;
  size_t width = 0;
  int precision = -1;
  char16_t conversion = 0;
};

// Parses the conversion that starts after '%'; returns the position after it.
size_t ParseSpec(std::u16string_view format, size_t i, Spec& spec) {
  for (; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (c == u'-') spec.left = true;
    else if (c == u'+') spec.plus = true;
    else if (c == u' ') spec.space = true;
    else if (c == u'0') spec.zero = true;
    else break;
  }
  for (; i < format.size() && format[i] >= u'0' && format[i] <= u'9'; ++i)
    spec.width = std::min<size_t>(spec.width * 10 + (format[i] - u'0'), 4096);
  if (i < format.size() && format[i] == u'.') {
    spec.precision = 0;
    for (++i; i < format.size() && format[i] >= u'0' && format[i] <= u'9'; ++i)
      spec.precision = std::min(spec.precision * 10 + (format[i] - u'0'), 100);
  }
  while (i < format.size() && (format[i] == u'l' || format[i] == u'h')) ++i;
  if (i < format.size()) spec.conversion = format[i++];
  return i;
}

void AppendAscii(std::u16string& out, std::string_view text) {
  for (const char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
}

std::u16string Digits(uint64_t value, int base, bool upper, int minimumDigits) {
  char buffer[72];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, base);
  std::string text(buffer, end);
  if (upper) std::transform(text.begin(), text.end(), text.begin(), [](char c) { return std::toupper(c); });
  if (minimumDigits == 0 && value == 0) text.clear();
  if (minimumDigits > 0 && text.size() < static_cast<size_t>(minimumDigits))
    text.insert(0, static_cast<size_t>(minimumDigits) - text.size(), '0');
  std::u16string out;
  AppendAscii(out, text);
  return out;
}

std::u16string Fixed(double value, int precision) {
  if (std::isnan(value)) return u"nan";
  if (std::isinf(value)) return u"inf";
  char buffer[512];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed,
                                    precision < 0 ? 6 : precision);
  std::u16string out;
  if (error == std::errc()) AppendAscii(out, std::string_view(buffer, end - buffer));
  return out;
}

// Pads `body` (with its sign kept apart so that zeros go between the sign and the digits).
void AppendPadded(std::u16string& out, const Spec& spec, std::u16string_view sign, std::u16string_view body,
                  bool numeric) {
  const size_t length = sign.size() + body.size();
  const size_t padding = spec.width > length ? spec.width - length : 0;
  if (spec.left) {
    out += sign;
    out += body;
    out.append(padding, u' ');
  } else if (spec.zero && numeric) {
    out += sign;
    out.append(padding, u'0');
    out += body;
  } else {
    out.append(padding, u' ');
    out += sign;
    out += body;
  }
}

std::u16string_view SignFor(bool negative, const Spec& spec) {
  if (negative) return u"-";
  if (spec.plus) return u"+";
  if (spec.space) return u" ";
  return u"";
}

void AppendArg(std::u16string& out, const Spec& spec, const FormatArg& arg) {
  using Kind = FormatArg::Kind;
  const bool isText = arg.kind() == Kind::kWide || arg.kind() == Kind::kNarrow;
  char16_t conversion = spec.conversion;
  if (isText) conversion = u's';
  else if (conversion == u's') conversion = arg.kind() == Kind::kReal ? u'f' : arg.kind() == Kind::kUnit ? u'c' : u'd';

  switch (conversion) {
    case u'd':
    case u'i': {
      if (arg.kind() == Kind::kUnsigned) {
        AppendPadded(out, spec, SignFor(false, spec), Digits(arg.AsUnsigned(), 10, false, spec.precision), true);
        break;
      }
      const int64_t value = arg.AsSigned();
      const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
      AppendPadded(out, spec, SignFor(value < 0, spec), Digits(magnitude, 10, false, spec.precision), true);
      break;
    }
    case u'u':
    case u'x':
    case u'X': {
      const int base = conversion == u'u' ? 10 : 16;
      AppendPadded(out, spec, u"", Digits(arg.AsUnsigned(), base, conversion == u'X', spec.precision), true);
      break;
    }
    case u'f': {
      const double value = arg.AsReal();
      AppendPadded(out, spec, SignFor(std::signbit(value) && !std::isnan(value), spec), Fixed(value, spec.precision),
                   true);
      break;
    }
    case u'c': {
      const char16_t unit = static_cast<char16_t>(arg.AsUnsigned());
      AppendPadded(out, spec, u"", std::u16string_view(&unit, 1), false);
      break;
    }
    case u's': {
      std::u16string text;
      if (arg.kind() == Kind::kWide) text = arg.wide();
      else AppendAscii(text, arg.narrow());
      if (spec.precision >= 0 && text.size() > static_cast<size_t>(spec.precision)) text.resize(spec.precision);
      AppendPadded(out, spec, u"", text, false);
      break;
    }
    default:
      break;
  }
}

}  // namespace

int64_t FormatArg::AsSigned() const {
  switch (kind_) {
    case Kind::kSigned: return signed_;
    case Kind::kReal:
      if (!(real_ > -9.2e18 && real_ < 9.2e18)) return 0;
      return static_cast<int64_t>(real_);
    case Kind::kUnsigned:
    case Kind::kUnit: return static_cast<int64_t>(unsigned_);
    default: return 0;
  }
}

uint64_t FormatArg::AsUnsigned() const {
  switch (kind_) {
    case Kind::kSigned: return wide64_ ? static_cast<uint64_t>(signed_) : static_cast<uint32_t>(signed_);
    case Kind::kReal: return static_cast<uint64_t>(AsSigned());
    case Kind::kUnsigned:
    case Kind::kUnit: return unsigned_;
    default: return 0;
  }
}

double FormatArg::AsReal() const {
  switch (kind_) {
    case Kind::kReal: return real_;
    case Kind::kSigned: return static_cast<double>(signed_);
    case Kind::kUnsigned:
    case Kind::kUnit: return static_cast<double>(unsigned_);
    default: return 0.0;
  }
}

std::u16string FormatList(std::u16string_view format, std::span<const FormatArg> args) {
  std::u16string out;
  out.reserve(format.size() + 16 * args.size());
  size_t next = 0;
  for (size_t i = 0; i < format.size();) {
    if (format[i] != u'%') {
      out += format[i++];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == u'%') {
      out += u'%';
      i += 2;
      continue;
    }
    Spec spec;
    i = ParseSpec(format, i + 1, spec);
    if (next < args.size()) AppendArg(out, spec, args[next++]);
  }
  return out;
}

bool CopyTruncated(std::u16string_view text, char16_t* buffer, size_t capacity) {
  if (!buffer || capacity == 0) return false;
  const size_t count = std::min(text.size(), capacity - 1);
  std::copy_n(text.data(), count, buffer);
  buffer[count] = 0;
  return count == text.size();
}

}  // namespace kivo
