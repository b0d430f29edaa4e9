// Arithmetic and concatenation, comparisons, bool operators and the one-operand math. TOS is the
// first operand (A) and TOS + 1 the second (B): `sub` pushes A - B.
#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "bytecode/instruction_set.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "kivo/support/module_core.h"
#include "kivo/support/vector.h"
#include "kivo/support/wide_string.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/counted_string.h"
#include "vm/exec.h"
#include "vm/fast_values.h"
#include "vm/list_value.h"
#include "vm/operand_math.h"
#include "vm/operand_stack.h"
#include "vm/value_text.h"
#include "vm/vm.h"

namespace varno {

namespace {

Opcode Op(const Exec& x) { return static_cast<Opcode>(x.opcode()); }

bool Unsupported(const Exec& x, int operand) {
  Raise(u"[VARNO VM] Execute (%s): Unsupported operand #%d passed in", x.name(), operand);
  return false;
}

// Replaces the two operands by the result.
bool Replace2(Exec& x, RTVarnoStackElement* result) {
  OperandPopN(x.context, 2);
  return PushElement(x.context, result);
}

bool Replace1(Exec& x, RTVarnoStackElement* result) {
  OperandPop(x.context);
  return PushElement(x.context, result);
}

RTVarnoStackElement Number(int32_t value) {
  RTVarnoStackElement e{};
  e.tag = kTagNumber;
  e.value.number = value;
  return e;
}

RTVarnoStackElement Real(float value) {
  RTVarnoStackElement e{};
  e.tag = kTagReal;
  e.value.real = value;
  return e;
}

RTVarnoStackElement Bool(bool value) {
  RTVarnoStackElement e{};
  e.tag = kTagBool;
  e.value.word = value ? 1 : 0;
  return e;
}

RTVarnoStackElement Vector(const RTFVector3D& value) {
  RTVarnoStackElement e{};
  e.tag = kTagVector3;
  e.value.vector = value;
  return e;
}

// 32-bit integer arithmetic that wraps; division truncates toward zero and refuses a zero divisor
// and the one quotient that does not fit.
bool IntegerOp(Exec& x, int32_t a, int32_t b, int32_t* out) {
  if (Op(x) != Opcode::kDiv) {
    *out = WrappingOp(Op(x), a, b);
    return true;
  }
  if (b == 0) {
    Raise(u"[VARNO VM] Execute (div): Division by zero!");
    return false;
  }
  if (a == INT_MIN && b == -1) {
    Raise(u"[VARNO VM] Execute (div): Integer division overflow!");
    return false;
  }
  *out = a / b;
  return true;
}

bool PushText(Exec& x, std::u16string_view text) {
  RTVarnoStackElement e{};
  e.tag = kTagString;
  if (!(e.value.text = StringMake(text))) return false;
  return Replace2(x, &e);
}

bool VectorArithmetic(Exec& x, const RTFVector3D& a, const RTVarnoStackElement& b) {
  RTFVector3D r = a;
  if (IsNumeric(b)) {
    const float f = AsFloat(b);
    r.x = RealOp(Op(x), a.x, f);
    r.y = RealOp(Op(x), a.y, f);
    r.z = RealOp(Op(x), a.z, f);
    RTVarnoStackElement e = Vector(r);
    return Replace2(x, &e);
  }
  if (b.tag == kTagVector3 && Op(x) != Opcode::kDiv) {
    if (Op(x) == Opcode::kMul) {
      RTVarnoStackElement e = Real(kivo::Vec3Dot(a, b.value.vector));
      return Replace2(x, &e);
    }
    r.x = RealOp(Op(x), a.x, b.value.vector.x);
    r.y = RealOp(Op(x), a.y, b.value.vector.y);
    r.z = RealOp(Op(x), a.z, b.value.vector.z);
    RTVarnoStackElement e = Vector(r);
    return Replace2(x, &e);
  }
  switch (Op(x)) {
    case Opcode::kAdd:
      Raise(u"[VARNO VM] (add): Cannot add type to vector3!");
      return false;
    case Opcode::kSub:
      Raise(u"[VARNO VM] (sub): Cannot sub type from vector3!");
      return false;
    case Opcode::kMul:
      Raise(u"[VARNO VM] (mul): Cannot mul type from vector3!");
      return false;
    default:
      return Unsupported(x, 1);
  }
}

bool ListConcatenation(Exec& x, VNlist* a, const RTVarnoStackElement& b) {
  if (b.tag != kTagList) {
    Raise(u"[VARNO VM] (add): Can only add a list to a list!");
    return false;
  }
  VNlist* joined = nullptr;
  if (!ListFactory(&joined)) return false;
  if (!ListCopyElements(joined, a) || !ListCopyElements(joined, b.value.list)) {
    ListDestructor(joined);
    return false;
  }
  RTVarnoStackElement e{};
  e.tag = kTagList;
  e.value.list = joined;
  return Replace2(x, &e);
}

bool StringConcatenation(Exec& x, const RTVarnoStackElement& a, const RTVarnoStackElement& b) {
  bool joined = false;
  const bool ok = JoinPlainTexts(x.context, &joined);
  if (joined) return ok;
  std::u16string text;
  AppendElementText(text, a);
  if (b.tag == kTagDatabase || !AppendElementText(text, b)) {
    Raise(u"[VARNO VM] Execute (add [string concatenation]): Unsupported operand #1 passed in");
    return false;
  }
  return PushText(x, text);
}

// Two strings compared for `eq`: two missing strings are equal, and a missing one equals "".
bool StringsEqual(const char16_t* a, const char16_t* b) {
  if (a == b) return true;
  if (!a) a = u"";
  if (!b) b = u"";
  return kivo::WideStrCompare(a, b) == 0;
}

bool PushResultBool(Exec& x, bool value) {
  RTVarnoStackElement e = Bool(value);
  return Replace2(x, &e);
}

}  // namespace

bool ExecArithmetic(Exec& x) {
  const RTVarnoStackElement& a = Tos(x.context, 0);
  const RTVarnoStackElement& b = Tos(x.context, 1);
  const bool add = Op(x) == Opcode::kAdd;
  switch (a.tag) {
    case kTagNumber:
      if (b.tag == kTagNumber) {
        int32_t r = 0;
        if (!IntegerOp(x, a.value.number, b.value.number, &r)) return false;
        RTVarnoStackElement e = Number(r);
        return Replace2(x, &e);
      }
      if (b.tag == kTagReal) {
        RTVarnoStackElement e = Real(RealOp(Op(x), static_cast<float>(a.value.number), b.value.real));
        return Replace2(x, &e);
      }
      if (b.tag == kTagString && add) return StringConcatenation(x, a, b);
      return Unsupported(x, 1);
    case kTagReal:
      if (IsNumeric(b)) {
        RTVarnoStackElement e = Real(RealOp(Op(x), a.value.real, AsFloat(b)));
        return Replace2(x, &e);
      }
      if (b.tag == kTagString && add) return StringConcatenation(x, a, b);
      return Unsupported(x, 1);
    case kTagVector3:
      return VectorArithmetic(x, a.value.vector, b);
    case kTagList:
      if (!add) return Unsupported(x, 2);
      return ListConcatenation(x, a.value.list, b);
    case kTagString:
      if (!add) return Unsupported(x, 2);
      return StringConcatenation(x, a, b);
    default:
      return Unsupported(x, 2);
  }
}

bool ExecCompare(Exec& x) {
  const RTVarnoStackElement& a = Tos(x.context, 0);
  const RTVarnoStackElement& b = Tos(x.context, 1);
  const Opcode op = Op(x);
  const bool equality = op == Opcode::kEq || op == Opcode::kNeq;
  switch (a.tag) {
    case kTagNumber:
      if (b.tag == kTagNumber) return PushResultBool(x, Ordered(op, a.value.number, b.value.number));
      if (b.tag == kTagReal) return PushResultBool(x, Ordered(op, AsFloat(a), b.value.real));
      return Unsupported(x, 1);
    case kTagReal:
      if (IsNumeric(b)) return PushResultBool(x, Ordered(op, a.value.real, AsFloat(b)));
      return Unsupported(x, 1);
    case kTagBool:
      if (!equality) return Unsupported(x, 2);
      if (b.tag != kTagBool) return Unsupported(x, 1);
      return PushResultBool(x, Ordered(op, a.value.word != 0, b.value.word != 0));
    case kTagObject:
      if (!equality) return Unsupported(x, 2);
      if (b.tag != kTagObject) return Unsupported(x, 1);
      return PushResultBool(x, Ordered(op, a.value.object, b.value.object));
    case kTagString:
      if (!equality) return Unsupported(x, 2);
      if (b.tag != kTagString) {
        Raise(u"[VARNO VM] Execute (%s): Unsupported operand #1 passed into string compare", x.name());
        return false;
      }
      // `neq` is the negation of `eq`.
      return PushResultBool(x, StringsEqual(a.value.text, b.value.text) == (op == Opcode::kEq));
    default:
      return Unsupported(x, 2);
  }
}

bool ExecLogic(Exec& x) {
  const RTVarnoStackElement& a = Tos(x.context, 0);
  if (Op(x) == Opcode::kNot) {
    if (a.tag != kTagBool) {
      Raise(u"[VARNO VM] (not): Operand must be a bool!");
      return false;
    }
    TosMutable(x.context)->value.word = a.value.word ? 0 : 1;
    return true;
  }
  const RTVarnoStackElement& b = Tos(x.context, 1);
  if (a.tag != kTagBool || b.tag != kTagBool) {
    Raise(u"[VARNO VM] (%s): Operands must both be of type bool!", x.name());
    return false;
  }
  const bool p = a.value.word != 0;
  const bool q = b.value.word != 0;
  switch (Op(x)) {
    case Opcode::kAnd:
      return PushResultBool(x, p && q);
    case Opcode::kOr:
      return PushResultBool(x, p || q);
    default:
      return PushResultBool(x, p != q);
  }
}

bool ExecNegate(Exec& x) {
  RTVarnoStackElement* a = TosMutable(x.context);
  if (a && a->tag == kTagNumber) {
    a->value.number = static_cast<int32_t>(0u - static_cast<uint32_t>(a->value.number));
    return true;
  }
  if (a && a->tag == kTagReal) {
    a->value.real = -a->value.real;
    return true;
  }
  Raise(u"[VARNO VM] (neg): Operand must be a number or real!");
  return false;
}

bool ExecMath(Exec& x) {
  const RTVarnoStackElement& a = Tos(x.context, 0);
  if (!IsNumeric(a)) {
    Raise(u"[VARNO VM] (%s): Unsupported operand passed in!", x.name());
    return false;
  }
  const double v = a.tag == kTagNumber ? static_cast<double>(a.value.number) : static_cast<double>(a.value.real);
  double r = 0;
  switch (Op(x)) {
    case Opcode::kSin:
      r = std::sin(v);
      break;
    case Opcode::kCos:
      r = std::cos(v);
      break;
    case Opcode::kTan:
      r = std::tan(v);
      break;
    case Opcode::kAbs:
      r = std::fabs(v);
      break;
    case Opcode::kSqrt:
      r = std::sqrt(v);
      break;
    default:  // sqr: a number squares in integer arithmetic
      if (a.tag == kTagNumber) {
        const auto n = static_cast<uint32_t>(a.value.number);
        r = static_cast<double>(static_cast<int32_t>(n * n));
      } else {
        r = static_cast<double>(a.value.real * a.value.real);
      }
      break;
  }
  RTVarnoStackElement e = Real(static_cast<float>(r));
  if (!Replace1(x, &e)) return false;
  MarkBalance(x);
  return true;
}

bool ExecVector(Exec& x) {
  const RTVarnoStackElement& a = Tos(x.context, 0);
  const Opcode op = Op(x);
  if (op == Opcode::kVdistance || op == Opcode::kVdot) {
    const RTVarnoStackElement& b = Tos(x.context, 1);
    if (a.tag != kTagVector3 || b.tag != kTagVector3) {
      Raise(u"[VARNO VM] Execute (%s): Top two TOS elements must be vector3", x.name());
      return false;
    }
    RTVarnoStackElement e = Real(op == Opcode::kVdot ? kivo::Vec3Dot(a.value.vector, b.value.vector)
                                                     : kivo::Vec3Distance(a.value.vector, b.value.vector));
    if (!Replace2(x, &e)) return false;
    MarkBalance(x);
    return true;
  }
  if (a.tag != kTagVector3) {
    Raise(u"[VARNO VM] Execute (%s): Top TOS element must be a vector3",
          op == Opcode::kVnormalized ? u"vnormalize" : x.name());
    return false;
  }
  RTVarnoStackElement e{};
  if (op == Opcode::kVlength) {
    e = Real(kivo::Vec3Length(a.value.vector));
  } else {
    RTFVector3D v = a.value.vector;
    if (op == Opcode::kVnormalized) {
      kivo::Vec3Normalize(&v);
    } else {
      v.x = std::fmin(std::fmax(v.x, 0.0f), 1.0f);
      v.y = std::fmin(std::fmax(v.y, 0.0f), 1.0f);
      v.z = std::fmin(std::fmax(v.z, 0.0f), 1.0f);
    }
    e = Vector(v);
  }
  if (!Replace1(x, &e)) return false;
  MarkBalance(x);
  return true;
}

}  // namespace varno
