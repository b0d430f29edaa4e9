// Snapshots through the slot table: saving a VM into bytes and loading bytes into a VM (each with
// its patch table destroyed afterwards), and a program that keeps every kind of state a snapshot
// holds alive across pass boundaries: nested frames stopped in a sleep, an eval stopped inside its
// code, queued events, a listener waiting to run with its speaker, a singleton, contexts that sleep
// (one for good, one for a quarter second), lists, databases and code values.
#pragma once

#include <string>
#include <string_view>

#include "tests/component/component_fixture.h"

namespace varno::testing {

inline constexpr std::string_view kTickerSource =
    "Ticker is Thing;\nattributes { k is number; }\n"
    "state Switchboard { k = k + 1; print(name + \" \" + k); }\n";
inline constexpr std::string_view kCounterSource =
    "Counter is Thing, singleton;\nattributes { total is number; }\n"
    "method Constructor() { total = 100; print(\"counter made\"); }\n"
    "method number Bump() { total = total + 1; return total; }\n";
inline constexpr std::string_view kGuardSource =
    "Guard is Thing;\nattributes { hits is number; }\n"
    "listener Heard(k is number, s is string) { hits = hits + 1;"
    " print(\"heard \" + k + \" \" + s + \" hits \" + hits); print(speaker); }\n";
inline constexpr std::string_view kPingerSource =
    "Pinger is Thing;\nattributes { got is list; }\n"
    "event OnPing(k is number, s is string) { got = got + [k]; print(\"ping \" + k + \" \" + s + \" \" + got); }\n"
    "state Switchboard { print(\"pinger idle\"); }\n";
inline constexpr std::string_view kSleeperSource =
    "Sleeper is Thing;\nattributes { k is number; pause is real; }\n"
    "state Switchboard { k = k + 1; print(name + \" wakes \" + k); sleep(pause); }\n";
inline constexpr std::string_view kBigSource =
    "Big is Thing;\n"
    "attributes { b is Ticker; p is Pinger; g is Guard; z is Sleeper; y is Sleeper; c is Counter; n is number;"
    " l is list; d is database; cv is code; other is Counter; }\n"
    "method Constructor() {\n"
    "  name = \"big\"; b.name = \"b\"; p.name = \"p\"; g.name = \"g\"; z.name = \"z\"; y.name = \"y\";\n"
    "  z.pause = 100000; y.pause = 0.25;\n"
    "  p.OnPing = g.Heard;\n"
    "  l = [1, \"two\", 3.5, [4, \"five\"], true, <1, 2, 3>]; d = (\"x\": 1, \"y\": [true, 2.5], \"s\": \"text\");\n"
    "  cv = code { print(\"code value \" + n + \" \" + c.Bump()); };\n"
    "  c.Bump();\n"
    "}\n"
    "method Deeper(m is number, s is string) { sleep(0); print(\"deeper \" + m + \" \" + s); }\n"
    "method Deep(m is number) { t is Thing; t = new Thing; t.name = \"local\" + m; Deeper(m, \"via \" + t.name);"
    " print(\"deep \" + m + \" \" + t.name); }\n"
    "state Switchboard {\n"
    "  if (n == 0) { start(b); start(p); start(z); start(y); }\n"
    "  n = n + 1; print(\"big \" + n);\n"
    "  p.OnPing(n, \"first\"); p.OnPing(n * 10, \"second\");\n"
    "  Deep(n);\n"
    "  eval(code { print(\"eval start \" + n); sleep(0); print(\"eval end \" + n); });\n"
    "  eval(cv);\n"
    "  other = new Counter; print(\"singleton \" + other.total);\n"
    "  l = l + [n, b]; d = addkey(d, \"k\" + n, [n, p]); print(l); print(d);\n"
    "}\n";

class SnapshotTest : public ComponentTest {
 protected:
  // Writes the classes of the program and compiles Big.
  void CompileBig();
  // The snapshot of the VM (its object index destroyed again).
  std::string Save(calls::VM on);
  // Reads the snapshot into the VM; its patch table is destroyed again.
  RTSuccess Load(calls::VM on, const std::string& snapshot);
  // A memory stream holding the bytes, at position 0 (the caller releases it).
  RTInstance StreamOf(const std::string& bytes);
  std::string BytesOf(RTInstance stream);
};

}  // namespace varno::testing
