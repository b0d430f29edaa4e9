// Databases are copy-on-write, as lists are: whichever holder changes a shared database gets a copy
// of its own, and every other holder keeps what it had. A copy lists its keys in the original's
// order.
#include <gtest/gtest.h>

#include <string>

#include "compiler/type_codes.h"
#include "tests/vm_fixture.h"
#include "vm/context.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/tagged_value.h"
#include "vm/vm.h"

namespace {

using namespace varno;

struct SharingCase {
  std::string_view what;
  std::string_view attributes;
  std::string_view statements;
  std::string_view printed;
};

class DatabaseSharingTest : public varno::testing::VmTest {
 protected:
  // An attribute's symbol of the object the VM's first context runs on.
  RTVarnoSymbol* Attribute(const char16_t* name) {
    auto* context = static_cast<RTVarnoContext*>(vm()->contexts->contexts->first->data);
    RTVarnoSymbol* symbol = nullptr;
    EXPECT_EQ(SymbolRetrieveAttributeByName(vm(), context->object, name, &symbol), kRTSuccess);
    return symbol;
  }
};

// Buckets (h = h * 31 + unit, modulo 19): "a" 2, "t" 2, "b" 3, "x" 6, "nu" 12.
TEST_F(DatabaseSharingTest, TheHolderThatChangesASharedDatabaseGetsItsOwnCopy) {
  WriteClass("Holder", "Holder is Thing;\nattributes { d is database; }\n");
  WriteClass("Changer", "Changer is Thing;\n"
                        "method Change(p is database) { p = addkey(p, \"x\", 1); p = remove(p, \"a\"); print(p); }\n");
  const SharingCase cases[] = {
      {"an attribute and a local", "d is database;",
       "e is database; d = (\"a\": 1); e = d; d = addkey(d, \"nu\", 10); print(d); print(e); print(haskey(e, \"nu\"));"
       "e = addkey(e, \"b\", 2); print(d); print(e);",
       "(\"a\": 1, \"nu\": 10)|(\"a\": 1)|false|(\"a\": 1, \"nu\": 10)|(\"a\": 1, \"b\": 2)"},
      {"a parameter changed inside a method", "d is database; c is Changer;",
       "d = (\"a\": 1); c.Change(d); print(d);", "(\"x\": 1)|(\"a\": 1)"},
      {"a database held by two objects", "h is Holder; g is Holder;",
       "h.d = (\"a\": 1); g.d = h.d; g.d = addkey(g.d, \"b\", 2); print(h.d); print(g.d);"
       "h.d = remove(h.d, \"a\"); print(h.d); print(g.d);",
       "(\"a\": 1)|(\"a\": 1, \"b\": 2)|()|(\"a\": 1, \"b\": 2)"},
      {"addkey of an existing key", "d is database; e is database;",
       "d = (\"a\": 1, \"t\": [1]); e = d; d = addkey(d, \"a\", 2); print(d); print(e);",
       "(\"t\": [1], \"a\": 2)|(\"t\": [1], \"a\": 1)"},
      {"remove of a present key", "d is database; e is database;",
       "d = (\"a\": 1, \"b\": 2); e = d; d = remove(d, \"a\"); print(d); print(e);",
       "(\"b\": 2)|(\"a\": 1, \"b\": 2)"},
      {"a database nobody else holds is changed as before", "d is database;",
       "d = (\"a\": 1); d = addkey(d, \"b\", 2); d = remove(d, \"a\"); print(d);", "(\"b\": 2)"},
      // The statement forms change the copy they leave on the stack, which the statement drops.
      {"addkey and remove as statements", "d is database; e is database;",
       "d = (\"a\": 1); e = d; addkey(d, \"b\", 2); remove(e, \"a\"); print(d); print(e);", "(\"a\": 1)|(\"a\": 1)"},
  };
  for (const SharingCase& c : cases) {
    SCOPED_TRACE(std::string(c.what));
    EXPECT_EQ(Printed(c.attributes, c.statements), c.printed);
  }
}

TEST_F(DatabaseSharingTest, RemovingAMissingKeyFailsAndCopiesNothing) {
  const std::string printed =
      Printed("d is database; e is database;", "d = (\"a\": 1); e = d; print(d); d = remove(d, \"z\");");
  EXPECT_EQ(printed.substr(0, printed.find('<')), "(\"a\": 1)");
  EXPECT_FALSE(MessagesWith("[VARNO VM] (dbremove). Cannot retrieve key to remove?").empty());
  DatabaseValue* d = ValueDatabase(Attribute(u"d")->value);
  EXPECT_EQ(d, ValueDatabase(Attribute(u"e")->value));
  // The two holders and the failed instruction's operand, left on the stack by the error exit.
  EXPECT_EQ(d->references, 3);
  EXPECT_EQ(DatabaseCount(d), 1u);
}

TEST_F(DatabaseSharingTest, ADatabaseInsideAListIsLeftAsItWasWhenItsOtherHolderChangesIt) {
  // Scripts cannot put a database into a list; native code can.
  uint32_t index = 0;
  ASSERT_TRUE(CompileClass("Shelf", "Shelf is Thing;\nattributes { d is database; l is list; }\n"
                                    "method Constructor() { d = (\"a\": 1); l = [1]; }\n"
                                    "state Switchboard { d = addkey(d, \"b\", 2); print(l); print(d);"
                                    " d = remove(d, \"a\"); print(l); print(d); exit(); }\n",
                           &index));
  RTVarnoSymbol* shelf = nullptr;
  ASSERT_EQ(ConstructScriptObject(vm(), index, &shelf), kRTSuccess);
  ASSERT_EQ(VarnoVMSetNewContext(vm(), shelf, u"Switchboard", 1), kRTSuccess);  // constructed now
  VNlist* list = ValueList(Attribute(u"l")->value);
  VNlist* out = list;
  ASSERT_EQ(ListAppendValue(list, Attribute(u"d")->value, &out), kRTSuccess);
  ASSERT_EQ(out, list);
  EXPECT_EQ(VarnoVMRun(vm()), kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"[1, (\"a\": 1)]", "(\"a\": 1, \"b\": 2)", "[1, (\"a\": 1)]",
                                                    "(\"b\": 2)"}));
}

TEST_F(DatabaseSharingTest, ACopyListsItsKeysInTheOriginalsOrder) {
  // Buckets: "a" and "t" 2, "b" 3, "nu" and "k" 12, "q" 18.
  EXPECT_EQ(Printed("d is database; e is database;",
                    "d = (\"b\": 1, \"a\": 2, \"t\": 3, \"nu\": 4, \"q\": 5); e = d;"
                    "e = addkey(e, \"k\", 6); e = remove(e, \"k\"); print(keys(d)); print(keys(e));"),
            "[\"t\", \"a\", \"b\", \"nu\", \"q\"]|[\"t\", \"a\", \"b\", \"nu\", \"q\"]");
}

}  // namespace
