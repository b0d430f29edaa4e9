// The scanner: tokens and values, comments, strings, line counting, the include stack and the
// buffer's chunked reading and growth. Texts come from the core allocator, so every test runs on a
// started core that checks the memory comes back.
#include <gtest/gtest.h>

#include <string>

#include "host/core_host.h"
#include "host/temp_dir.h"
#include "tests/script_test_support.h"
#include "varno_grammar.hpp"

namespace {

using namespace varno;
using varno::testing::ScanAll;
using varno::testing::ScopedSource;
using ScannerTest = tesk::testing::StartedCore;

std::string Scan(std::string_view text, bool lines = false) {
  ScopedSource source(text);
  Scanner scanner;
  return ScanAll(scanner, lines);
}

struct Case {
  std::string_view text;
  std::string_view tokens;
};

TEST_F(ScannerTest, TokenSequences) {
  const Case cases[] = {
      // Keywords are exact and case-sensitive; longer words are identifiers.
      {"if If iffy IF", "IF ID:If ID:iffy ID:IF"},
      {"Thing thing PI pi true True _DEBUG _DEBUGx _", "THING ID:thing C_PI ID:pi C_TRUE ID:True DEBUG ID:_DEBUGx ID:_"},
      {"format this.state is.x", "ID:format ID:this.state ID:is.x"},
      // Dots belong to names; a name never starts with one.
      {"a.b.c a..b a. .a .", "ID:a.b.c ID:a..b ID:a. PERIOD ID:a PERIOD"},
      {"x==y x=!y <= < = != ! >= >", "ID:x EQUAL ID:y ID:x ASSIGNMENT ERROR_TOKEN ID:y LE LT ASSIGNMENT NEQUAL "
                                     "ERROR_TOKEN GE GT"},
      {"= ; : , ( ) { } [ ] += -= *= /= ++ -- * & + - /",
       "ASSIGNMENT END_STATEMENT COLON COMMA OPEN_PARENS CLOSE_PARENS OPEN_BRACE CLOSE_BRACE OPEN_BRACKET "
       "CLOSE_BRACKET PLUSEQUAL MINUSEQUAL MULEQUAL DIVEQUAL PLUSPLUS MINUSMINUS ASTERISK AMPERSAND PLUS MINUS "
       "FWDSLASH"},
      {"[] [ ] [[]] ++= +++", "ARRAY OPEN_BRACKET CLOSE_BRACKET OPEN_BRACKET ARRAY CLOSE_BRACKET PLUSPLUS ASSIGNMENT "
                              "PLUSPLUS PLUS"},
      // Numbers: the leading minus belongs to the literal; no exponent, no leading dot.
      {"-1.5 1. 1.2.3 007 -0", "FLOAT:-1.5 FLOAT:1 FLOAT:1.2 PERIOD INTEGER:3 INTEGER:7 INTEGER:0"},
      {"1e5 .5 5abc 1.x", "INTEGER:1 ID:e5 PERIOD INTEGER:5 INTEGER:5 ID:abc FLOAT:1 ID:x"},
      {"a-1 a - 1 --5 -x -.5", "ID:a INTEGER:-1 ID:a MINUS INTEGER:1 MINUSMINUS INTEGER:5 MINUS ID:x MINUS PERIOD "
                               "INTEGER:5"},
      {"2147483647 2147483648 -2147483648 -99999999999", "INTEGER:2147483647 INTEGER:2147483647 "
                                                         "INTEGER:-2147483648 INTEGER:-2147483648"},
      // Strings take everything up to the next double quote; there are no escapes.
      {"\"a\\b 'c' (* d\ne\"", "STRING:\"a\\b 'c' (* d\\ne\""},
      {"\"\\\" x", "STRING:\"\\\" ID:x"},
      {"\"\"", "STRING:\"\""},
      {"x \" y", "ID:x ERROR_TOKEN ID:y"},
      {"\"a\" \"b", "STRING:\"a\" ERROR_TOKEN ID:b"},
      // Comments.
      {"a (* b *) c", "ID:a ID:c"},
      {"a (* b **) c (***) d", "ID:a ID:c ID:d"},
      {"a (* b * ) c *) d", "ID:a ID:d"},
      {"a (*) b *) c", "ID:a ID:c"},
      {"a (* (* b *) c *) d", "ID:a ID:c ASTERISK CLOSE_PARENS ID:d"},
      {"a (* never closed", "ID:a"},
      {"a 'to the end\nb", "ID:a ID:b"},
      {"a ' (* not a block\nb *)", "ID:a ID:b ASTERISK CLOSE_PARENS"},
      {"a (* ' no line comment\n *) b", "ID:a ID:b"},
      {"a 'last line", "ID:a"},
      {"a ( * b *) (", "ID:a OPEN_PARENS ASTERISK ID:b ASTERISK CLOSE_PARENS OPEN_PARENS"},
      // Bytes no rule covers; blanks and tabs are skipped.
      {"#$%?@\\^`|~", "ERROR_TOKEN ERROR_TOKEN ERROR_TOKEN ERROR_TOKEN ERROR_TOKEN ERROR_TOKEN ERROR_TOKEN "
                      "ERROR_TOKEN ERROR_TOKEN ERROR_TOKEN"},
      {"a\r\nb\x01\x7F\xE9\tc", "ID:a ERROR_TOKEN ID:b ERROR_TOKEN ERROR_TOKEN ERROR_TOKEN ID:c"},
      {std::string_view("a\0b", 3), "ID:a ERROR_TOKEN ID:b"},
      {"", ""},
      {" \t\n ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(Scan(c.text), c.tokens);
  }
}

TEST_F(ScannerTest, EveryKeywordIsItsOwnToken) {
  const std::string_view words =
      "constants attributes event listener speaker listen deafen method state instate return eval new dnew is "
      "public private struct number percentage real string Thing atan acos asin sin cos tan sqrt sqr abs PI true "
      "false null vector3 vector2 orient2 orient3 color3 database haskey remove keys retrieve addkey list bool none "
      "if else while for do print nothing anything switch trigger implemented code in out start stop sleep canbe "
      "not and xor or goto inherited rand priority singleton _DEBUG exit copylisten";
  const std::string_view tokens =
      "CONSTANTS ATTRIBUTES EVENT LISTENER SPEAKER LISTEN DEAFEN METHOD STATE INSTATE RETURN EVAL NEW DNEW IS "
      "PUBLIC PRIVATE STRUCT NUMBER PERCENTAGE REAL STR THING ATAN ACOS ASIN SIN COS TAN SQRT SQR ABS C_PI C_TRUE "
      "C_FALSE C_NULL VECTOR3 VECTOR2 ORIENT2 ORIENT3 COLOR3 DATABASE HASKEY REMOVE KEYS RETRIEVE ADDKEY LIST BOOL "
      "NONE IF ELSE WHILE FOR DO PRINT NOTHING ANYTHING SWITCH TRIGGER IMPLEMENTED CODE IN OUT START STOP SLEEP "
      "CANBE NOT AND XOR OR GOTO INHERITED RAND PRIORITY SINGLETON DEBUG EXIT_FUNC COPYLISTEN";
  EXPECT_EQ(Scan(words), tokens);

  // A keyword followed by any name byte is an identifier.
  std::string extended;
  std::string identifiers;
  size_t count = 0;
  for (size_t at = 0; at < words.size();) {
    const size_t end = std::min(words.find(' ', at), words.size());
    const std::string word(words.substr(at, end - at));
    const std::string longer = word + (count % 3 == 0 ? "_" : count % 3 == 1 ? "1" : ".x");
    extended += longer + " ";
    identifiers += (identifiers.empty() ? "ID:" : " ID:") + longer;
    ++count;
    at = end + 1;
  }
  EXPECT_EQ(count, 80u);
  EXPECT_EQ(Scan(extended), identifiers);
}

TEST_F(ScannerTest, ValuesFillTheFirstWordOnlyAndTextsAreRecorded) {
  ScopedSource source("alpha if \"str\xE9\" 12 beta.gamma 2.5 ;");
  Scanner scanner;
  VarnoValue value;
  int marker = 0;
  for (ValueWord& word : value.word) word.pointer = &marker;

  EXPECT_EQ(scanner.Scan(&value), ID);
  EXPECT_EQ(std::u16string(value.word[0].text), u"alpha");
  for (int i = 1; i < 4; ++i) EXPECT_EQ(value.word[i].pointer, &marker);

  value.word[0].pointer = &marker;
  EXPECT_EQ(scanner.Scan(&value), IF);
  EXPECT_EQ(value.word[0].pointer, &marker) << "a keyword leaves the value as it was";

  EXPECT_EQ(scanner.Scan(&value), STRING);
  EXPECT_EQ(std::u16string(value.word[0].text), u"str\u00e9") << "bytes above 0x7F widen as Latin-1";
  EXPECT_EQ(scanner.Scan(&value), INTEGER);
  EXPECT_EQ(value.word[0].integer, 12);
  EXPECT_EQ(scanner.Scan(&value), ID);
  EXPECT_EQ(scanner.Scan(&value), FLOAT);
  EXPECT_EQ(value.word[0].real, 2.5f);
  value.word[0].pointer = &marker;
  EXPECT_EQ(scanner.Scan(&value), END_STATEMENT);
  EXPECT_EQ(value.word[0].pointer, &marker);
  EXPECT_EQ(scanner.Scan(&value), 0);

  // Every text handed out is on the input's string list, which owns it.
  EXPECT_EQ(source.RecordedTexts(), "alpha|str\xC3\xA9|beta.gamma");
}

TEST_F(ScannerTest, LinesCountLineFeedsInCodeAndCommentsButNotInStrings) {
  const Case cases[] = {
      {"a\nb\n\nc", "ID:a@1 ID:b@2 ID:c@4"},
      {"\"x\ny\" z\nw", "STRING:\"x\\ny\"@1 ID:z@1 ID:w@2"},
      {"a (* \n\n *) b", "ID:a@1 ID:b@3"},
      {"a (* *\n *) b", "ID:a@1 ID:b@2"},
      {"a ' c\nb", "ID:a@1 ID:b@2"},
      {"(* ' \n *) a", "ID:a@2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(Scan(c.text, true), c.tokens);
  }
}

TEST_F(ScannerTest, SixtyFourBuffersNestAndTheSixtyFifthIsRefused) {
  Scanner scanner;
  for (int i = 0; i < 64; ++i) ASSERT_EQ(scanner.PushIncludeFile(), kRTSuccess) << i;
  EXPECT_EQ(host_.ErrorLog().find("nesting"), std::string::npos);
  EXPECT_EQ(scanner.PushIncludeFile(), kRTFailure);
  EXPECT_NE(host_.ErrorLog().find(") [VARNO LEXER] Include file nesting too deep!\n"), std::string::npos);
  EXPECT_EQ(scanner.saved_buffer_count(), 64u);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(scanner.PopIncludeFile(), kRTSuccess) << i;
  EXPECT_EQ(scanner.PopIncludeFile(), kRTFailure);
}

// An outer text longer than one chunk, so that the outer buffer has to read on after the nested
// input ended.
std::string LongText(std::string_view head, std::string_view tail) {
  return std::string(head) + std::string(Scanner::kChunkBytes, ' ') + std::string(tail);
}

TEST_F(ScannerTest, IncludedInputEndsWithZeroAndTheOuterInputGoesOn) {
  ScopedSource outer(LongText("first second", "third"));
  Scanner scanner;
  VarnoValue value{};
  ASSERT_EQ(scanner.Scan(&value), ID);
  ASSERT_EQ(outer.input().position, Scanner::kChunkBytes);

  ASSERT_EQ(scanner.PushIncludeFile(), kRTSuccess);
  {
    ScopedSource inner("x (* y *) z");
    EXPECT_EQ(ScanAll(scanner), "ID:x ID:z");
    EXPECT_EQ(scanner.saved_buffer_count(), 0u) << "the end of the included input restored the outer buffer";
  }
  outer.MakeCurrent();
  EXPECT_EQ(ScanAll(scanner), "ID:second ID:third");
  EXPECT_EQ(outer.RecordedTexts(), "first|second|third");
}

TEST_F(ScannerTest, EndOfTheOutermostInputAndResetStartAfresh) {
  Scanner scanner;
  {
    ScopedSource first("a b");
    EXPECT_EQ(ScanAll(scanner), "ID:a ID:b");
  }
  {
    ScopedSource second("c");
    EXPECT_EQ(ScanAll(scanner), "ID:c");
  }
  ScopedSource third("d e f");
  VarnoValue value{};
  ASSERT_EQ(scanner.Scan(&value), ID);
  scanner.ResetScanner();
  ScopedSource fourth("g");
  EXPECT_EQ(ScanAll(scanner), "ID:g") << "a reset drops what the buffer held";
}

TEST_F(ScannerTest, ReadsInChunksAndKeepsTokensThatSpanThem) {
  std::string text = "first";
  text.resize(Scanner::kChunkBytes - 2, ' ');
  text += "across1";
  text.resize(Scanner::kBufferBytes - 4, ' ');
  text += "across2";
  text.resize(3 * Scanner::kChunkBytes - 6, ' ');
  text += "\"str\ning\"\nlast";
  ScopedSource source(text);
  Scanner scanner;
  VarnoValue value{};
  ASSERT_EQ(scanner.Scan(&value), ID);
  EXPECT_EQ(source.input().position, Scanner::kChunkBytes) << "the first read takes one chunk";
  EXPECT_EQ(ScanAll(scanner, true), "ID:across1@1 ID:across2@1 STRING:\"str\\ning\"@1 ID:last@2");
  EXPECT_EQ(scanner.buffer_capacity(), Scanner::kBufferBytes);
}

TEST_F(ScannerTest, LargeWindowsFileScansWithItsLineNumbers) {
  tesk::testing::TempDir dir;
  // The first line's CR LF pair sits across the first read's end.
  std::string content = "a" + std::string(Scanner::kChunkBytes - 2, ' ') + "\r\n";
  std::string expected = "ID:a@1";
  for (int i = 2; i <= 3000; ++i) {
    const std::string n = std::to_string(i);
    content += "name" + n + " = " + n + ";\r\n";
    expected += " ID:name" + n + "@" + n + " ASSIGNMENT@" + n + " INTEGER:" + n + "@" + n + " END_STATEMENT@" + n;
  }
  tesk::testing::WriteFile(dir.path() / "big.varno", content);
  ScopedSource source;
  ASSERT_TRUE(source.OpenFile(dir.path() / "big.varno"));
  Scanner scanner;
  EXPECT_EQ(ScanAll(scanner, true), expected);
}

TEST_F(ScannerTest, ATokenLongerThanTheBufferGrowsItByDoubling) {
  std::string body(40000, 'x');
  body[100] = '\n';
  const std::string name = "n" + std::string(20000, '.');
  ScopedSource source("\"" + body + "\" after\n" + name);
  Scanner scanner;
  VarnoValue value{};
  ASSERT_EQ(scanner.Scan(&value), STRING);
  EXPECT_EQ(varno::testing::ToUtf8(value.word[0].text), body);
  EXPECT_EQ(scanner.buffer_capacity(), 4 * Scanner::kBufferBytes);
  EXPECT_EQ(ScanAll(scanner, true), "ID:after@1 ID:" + name + "@2");
}

TEST_F(ScannerTest, AnUnclosedQuoteLooksToTheEndAndThenScansOn) {
  const std::string rest = LongText("one", "two") + LongText(" three", "four");
  EXPECT_EQ(Scan("\"" + rest), "ERROR_TOKEN ID:one ID:two ID:three ID:four");
}

}  // namespace
