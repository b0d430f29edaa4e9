// The one printf-style formatter for UTF-16 text. Arguments are typed, so a mismatch cannot read
// the wrong thing: numbers convert among themselves and a number given to %s prints as a number.
//
// Conversions: %d %i %u %x %X %f %c %s %%, with the flags '-', '+', '0' and ' ', a width and a
// precision (%.2f, %05d, %-12s, %.*f is not supported). %s takes UTF-16 or Latin-1 text; a null
// text prints "(null)".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace kivo {

class FormatArg {
 public:
  enum class Kind { kSigned, kUnsigned, kReal, kUnit, kWide, kNarrow };

  template <class T>
  FormatArg(const T& value) {  // NOLINT(google-explicit-constructor): built from a parameter pack
    using V = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<V, char16_t>) {
      kind_ = Kind::kUnit;
      unsigned_ = value;
    } else if constexpr (std::is_same_v<V, bool>) {
      kind_ = Kind::kSigned;
      signed_ = value ? 1 : 0;
    } else if constexpr (std::is_integral_v<V> && std::is_signed_v<V>) {
      kind_ = Kind::kSigned;
      signed_ = value;
      wide64_ = sizeof(V) > 4;
    } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
      kind_ = Kind::kUnsigned;
      unsigned_ = static_cast<uint64_t>(value);
      wide64_ = sizeof(V) > 4;
    } else if constexpr (std::is_floating_point_v<V>) {
      kind_ = Kind::kReal;
      real_ = static_cast<double>(value);
    } else if constexpr (std::is_convertible_v<const T&, const char16_t*>) {
      kind_ = Kind::kWide;
      const char16_t* text = value;
      wide_ = text ? std::u16string_view(text) : std::u16string_view(u"(null)");
    } else if constexpr (std::is_convertible_v<const T&, std::u16string_view>) {
      kind_ = Kind::kWide;
      wide_ = value;
    } else if constexpr (std::is_convertible_v<const T&, const char*>) {
      kind_ = Kind::kNarrow;
      const char* text = value;
      narrow_ = text ? std::string_view(text) : std::string_view("(null)");
    } else {
      kind_ = Kind::kNarrow;
      narrow_ = std::string_view(value);
    }
  }

  Kind kind() const { return kind_; }
  bool wide64() const { return wide64_; }
  int64_t AsSigned() const;
  uint64_t AsUnsigned() const;
  double AsReal() const;
  std::u16string_view wide() const { return wide_; }
  std::string_view narrow() const { return narrow_; }

 private:
  Kind kind_ = Kind::kSigned;
  bool wide64_ = false;
  int64_t signed_ = 0;
  uint64_t unsigned_ = 0;
  double real_ = 0;
  std::u16string_view wide_;
  std::string_view narrow_;
};

std::u16string FormatList(std::u16string_view format, std::span<const FormatArg> args);

template <class... Args>
std::u16string Format(std::u16string_view format, const Args&... args) {
  const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
  return FormatList(format, std::span<const FormatArg>(list, sizeof...(Args)));
}

// Writes at most capacity - 1 units and a terminator; false when the text was cut short.
bool CopyTruncated(std::u16string_view text, char16_t* buffer, size_t capacity);

template <class... Args>
bool FormatTo(char16_t* buffer, size_t capacity, std::u16string_view format, const Args&... args) {
  return CopyTruncated(Format(format, args...), buffer, capacity);
}

}  // namespace kivo
