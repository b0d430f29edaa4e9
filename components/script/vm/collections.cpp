// List and database instructions.
#include "bytecode/instruction_set.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/database_value.h"
#include "vm/element_value.h"
#include "vm/exec.h"
#include "vm/list_value.h"
#include "vm/operand_stack.h"
#include "vm/symbol.h"

namespace varno {

namespace {

Opcode Op(const Exec& x) { return static_cast<Opcode>(x.opcode()); }

bool Fail(std::u16string_view message) {
  Raise(message);
  return false;
}

// Appends the element to the list the stack element holds, making that list unique first; the
// stack element then holds the list appended to.
bool AppendToHolder(RTVarnoStackElement* holder, const RTVarnoStackElement& value) {
  RTVarnoConstantValue borrowed{};
  if (!ElementAsValue(value, &borrowed)) return false;
  VNlist* out = holder->value.list;
  const RTSuccess appended = ListAppendValue(holder->value.list, borrowed, &out);
  holder->value.list = out;
  return appended;
}

bool ListIndex(const RTVarnoStackElement& index, const VNlist* list, int32_t* out) {
  uint32_t count = 0;
  ListGetElementCount(list, &count);
  *out = index.value.number;
  return index.value.number >= 0 && static_cast<uint32_t>(index.value.number) < count;
}

bool ExecAppend(Exec& x) {
  const RTVarnoStackElement& value = Tos(x.context, 0);
  RTVarnoStackElement* holder = TosMutable(x.context, 1);
  if (!holder || holder->tag != kTagList || !holder->value.list) return Fail(u"[VARNO VM] (append): Can only append to a list!");
  if (!StorableKind(value.tag)) return Fail(u"[VARNO VM] (append): Invalid type sent to list append");
  if (!AppendToHolder(holder, value)) return false;
  OperandPop(x.context);
  return true;
}

bool ExecNewList(Exec& x) {
  const RTVarnoStackElement& value = Tos(x.context, 0);
  if (value.tag == kTagDatabase) return Fail(u"[VARNO VM], Cannot add a database to a list (yet)");
  if (!StorableKind(value.tag)) return Fail(u"[VARNO VM] (nlist): Invalid type sent to list creator");
  RTVarnoStackElement holder{};
  holder.tag = kTagList;
  if (!ListFactory(&holder.value.list)) return false;
  if (!AppendToHolder(&holder, value)) {
    StackElementRelease(&holder);
    return false;
  }
  OperandPop(x.context);
  return PushElement(x.context, &holder);
}

bool ExecListLoad(Exec& x) {
  const RTVarnoStackElement& index = Tos(x.context, 0);
  const RTVarnoStackElement& list = Tos(x.context, 1);
  if (list.tag != kTagList || !list.value.list) return Fail(u"[VARNO VM] (lload): TOS + 1 MUST be a list object!");
  if (index.tag != kTagNumber) return Fail(u"[VARNO VM] (lload): TOS MUST be a number!");
  int32_t n = 0;
  if (!ListIndex(index, list.value.list, &n)) {
    Raise(u"[VARNO VM] (lload): List element out of bounds (element to access: %d), (list size: %d)", n,
          list.value.list->elements->count);
    return false;
  }
  RTVarnoConstantValue* element = nullptr;
  RTVarnoStackElement loaded{};
  if (!ListRetrieveElementN(list.value.list, static_cast<uint32_t>(n), &element)) return false;
  if (!ElementFromValue(*element, false, &loaded)) return Fail(u"[VARNO VM]: (lload): Unrecognized element type to load...");
  OperandPopN(x.context, 2);
  return PushElement(x.context, &loaded);
}

bool ExecListStore(Exec& x) {
  const RTVarnoStackElement& index = Tos(x.context, 0);
  const RTVarnoStackElement& value = Tos(x.context, 1);
  const RTVarnoStackElement& list = Tos(x.context, 2);
  if (list.tag != kTagList || !list.value.list) return Fail(u"[VARNO VM] Execute (lstore): TOS + 2 must be a list object!");
  if (index.tag != kTagNumber) return Fail(u"[VARNO VM] (lstore): TOS MUST be a number!");
  switch (value.tag) {
    case kTagNumber:
    case kTagReal:
    case kTagString:
    case kTagBool:
    case kTagList:
    case kTagObject:
      break;
    default:
      return Fail(u"[VARNO VM] (lstore): Cannot convert the TOS type into a list element!");
  }
  int32_t n = 0;
  if (!ListIndex(index, list.value.list, &n)) {
    Raise(u"[VARNO VM] (lstore): List element out of bounds (element to access: %d), (list size: %d)", n,
          list.value.list->elements->count);
    return false;
  }
  RTVarnoConstantValue borrowed{};
  if (!ElementAsValue(value, &borrowed) || !ListSetElementN(list.value.list, static_cast<uint32_t>(n), &borrowed)) {
    return false;
  }
  OperandPopN(x.context, 3);
  return true;
}

bool ExecListRemove(Exec& x) {
  const RTVarnoStackElement& index = Tos(x.context, 0);
  const RTVarnoStackElement& list = Tos(x.context, 1);
  if (list.tag != kTagList || !list.value.list) return Fail(u"[VARNO VM] (lremove): TOS + 1 MUST be a list object!");
  if (index.tag != kTagNumber) return Fail(u"[VARNO VM] (lremove): TOS MUST be a number!");
  if (index.value.number < 0 || !ListRemoveElementN(list.value.list, static_cast<uint32_t>(index.value.number))) {
    return Fail(u"[VARNO VM] (lremove): Couldn't remove the element specified!");
  }
  OperandPopN(x.context, 2);
  return true;
}

bool ExecListPop(Exec& x) {
  const RTVarnoStackElement& list = Tos(x.context, 0);
  if (list.tag != kTagList || !list.value.list) return Fail(u"[VARNO VM] (lpop): TOS MUST be a list object!");
  if (!ListRemoveElementN(list.value.list, 0)) return Fail(u"[VARNO VM] (lpop): Couldn't remove element 0 of the list");
  OperandPop(x.context);
  return true;
}

bool ExecListCount(Exec& x) {
  const RTVarnoStackElement& list = Tos(x.context, 0);
  if (list.tag != kTagList || !list.value.list) return Fail(u"[VARNO VM] (lcount): TOS MUST be a list object!");
  const auto count = static_cast<int32_t>(list.value.list->elements->count);
  OperandPop(x.context);
  if (!PushNumber(x.context, count)) return false;
  MarkBalance(x);
  return true;
}

// Gives the stack element a database of its own before an instruction changes it: one that other
// holders share is replaced by a copy (copy-on-write, as for lists).
bool MakeHolderUnique(RTVarnoStackElement* holder) {
  return DatabaseMakeUnique(holder->value.database, &holder->value.database);
}

// Stores the value under the key of the database that the stack element holds, by the rules of
// `dbadd` and `ndb`; a database value is reported and left out (the run goes on).
bool StorePair(RTVarnoStackElement* holder, const RTVarnoStackElement& key, const RTVarnoStackElement& value) {
  if (value.tag == kTagDatabase) {
    Raise(u"[VARNO VM], Cannot add a database to a database (yet)");
    return true;
  }
  RTVarnoConstantValue borrowed{};
  if (!StorableKind(value.tag) || !ElementAsValue(value, &borrowed)) {
    return Fail(u"[VARNO VM] (endb). Cannot add the value's type specified to the database");
  }
  return MakeHolderUnique(holder) && DatabaseSetHeld(holder->value.database, key.value.text, borrowed);
}

bool ExecDatabaseAdd(Exec& x) {
  const RTVarnoStackElement& value = Tos(x.context, 0);
  const RTVarnoStackElement& key = Tos(x.context, 1);
  RTVarnoStackElement* database = TosMutable(x.context, 2);
  if (key.tag != kTagString) return Fail(u"[VARNO VM] (edbadd). Database keys are currently strings!");
  if (!database || database->tag != kTagDatabase || !database->value.database) {
    return Fail(u"[VARNO VM] (edbadd). TOS + 2 must be a db object!");
  }
  if (!StorePair(database, key, value)) return false;
  OperandPopN(x.context, 2);
  // The database is left on the stack: a call statement's `balance` drops it.
  MarkBalance(x);
  return true;
}

bool ExecNewDatabase(Exec& x) {
  const RTVarnoStackElement& value = Tos(x.context, 0);
  const RTVarnoStackElement& key = Tos(x.context, 1);
  if (key.tag != kTagString) return Fail(u"[VARNO VM] (endb). Database keys are currently strings!");
  RTVarnoStackElement holder{};
  holder.tag = kTagDatabase;
  if (!DatabaseFactory(&holder.value.database)) return false;
  if (!StorePair(&holder, key, value)) {
    StackElementRelease(&holder);
    return false;
  }
  OperandPopN(x.context, 2);
  return PushElement(x.context, &holder);
}

bool KeyAndDatabase(Exec& x, const char16_t* keyMessage, const char16_t* databaseMessage) {
  if (Tos(x.context, 0).tag != kTagString) return Fail(keyMessage);
  const RTVarnoStackElement& database = Tos(x.context, 1);
  if (database.tag != kTagDatabase || !database.value.database) return Fail(databaseMessage);
  return true;
}

bool ExecDatabaseRemove(Exec& x) {
  if (!KeyAndDatabase(x, u"[VARNO VM] (dbremove). Database keys are currently strings!",
                      u"[VARNO VM] (dbremove). TOS + 1 must be a db object!")) {
    return false;
  }
  RTVarnoStackElement* database = TosMutable(x.context, 1);
  const char16_t* key = Tos(x.context, 0).value.text;
  if (!DatabaseHasKey(database->value.database, key)) return Fail(u"[VARNO VM] (dbremove). Cannot retrieve key to remove?");
  if (!MakeHolderUnique(database) || !DatabaseRemove(database->value.database, key)) return false;
  OperandPop(x.context);
  MarkBalance(x);
  return true;
}

bool ExecDatabaseHasKey(Exec& x) {
  if (!KeyAndDatabase(x, u"[VARNO VM] (edbhaskey). Database keys are currently strings!",
                      u"[VARNO VM] (edbhaskey). TOS + 1 must be a db object!")) {
    return false;
  }
  const bool has = DatabaseHasKey(Tos(x.context, 1).value.database, Tos(x.context, 0).value.text);
  OperandPopN(x.context, 2);
  if (!PushBool(x.context, has)) return false;
  MarkBalance(x);
  return true;
}

bool ExecDatabaseRetrieve(Exec& x) {
  if (!KeyAndDatabase(x, u"[VARNO VM] (dbretrieve). Database keys are currently strings!",
                      u"[VARNO VM] (dbretrieve). TOS + 1 must be a db object!")) {
    return false;
  }
  DatabaseValue* database = Tos(x.context, 1).value.database;
  RTVarnoConstantValue* value = nullptr;
  if (!DatabaseRetrieve(database, Tos(x.context, 0).value.text, &value)) {
    return Fail(u"[VARNO VM] (dbretrieve). Cannot retrieve key!");
  }
  // The stack may hold the last reference to the database: it stays alive for the push.
  DatabaseReference(database);
  OperandPopN(x.context, 2);
  const bool pushed = PushConstantValue(x.context, *value, true);
  DatabaseRelease(database);
  if (!pushed) return false;
  MarkBalance(x);
  return true;
}

bool ExecDatabaseKeys(Exec& x) {
  const RTVarnoStackElement& database = Tos(x.context, 0);
  if (database.tag != kTagDatabase || !database.value.database) return Fail(u"[VARNO VM] (dbkeys). TOS must be a database!");
  RTVarnoStackElement holder{};
  holder.tag = kTagList;
  if (!ListFactory(&holder.value.list)) return false;
  bool made = true;
  DatabaseForEach(database.value.database, [&](const char16_t* key, RTVarnoConstantValue*) {
    RTVarnoConstantValue text{};
    text.type = kTypeString;
    text.value.text = const_cast<char16_t*>(key);
    VNlist* out = holder.value.list;
    made = made && ListAppendValue(holder.value.list, text, &out);
    holder.value.list = out;
  });
  if (!made) {
    StackElementRelease(&holder);
    return false;
  }
  OperandPop(x.context);
  if (!PushElement(x.context, &holder)) return false;
  MarkBalance(x);
  return true;
}

}  // namespace

bool ExecList(Exec& x) {
  switch (Op(x)) {
    case Opcode::kAppend:
      return ExecAppend(x);
    case Opcode::kNlist:
      return ExecNewList(x);
    case Opcode::kLload:
      return ExecListLoad(x);
    case Opcode::kLstore:
      return ExecListStore(x);
    case Opcode::kLremove:
      return ExecListRemove(x);
    case Opcode::kLpop:
      return ExecListPop(x);
    case Opcode::kLcount:
      return ExecListCount(x);
    default: {  // mlist
      VNlist* list = nullptr;
      return ListFactory(&list) && PushListOwned(x.context, list);
    }
  }
}

bool ExecDatabase(Exec& x) {
  switch (Op(x)) {
    case Opcode::kDbadd:
      return ExecDatabaseAdd(x);
    case Opcode::kNdb:
      return ExecNewDatabase(x);
    case Opcode::kDbremove:
      return ExecDatabaseRemove(x);
    case Opcode::kDbhaskey:
      return ExecDatabaseHasKey(x);
    case Opcode::kDbretrieve:
      return ExecDatabaseRetrieve(x);
    case Opcode::kDbkeys:
      return ExecDatabaseKeys(x);
    default: {  // mdb
      DatabaseValue* database = nullptr;
      return DatabaseFactory(&database) && PushDatabaseOwned(x.context, database);
    }
  }
}

}  // namespace varno
