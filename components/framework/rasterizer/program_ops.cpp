// Vertex and fragment programs in the ARB and NV assembly formats. A kind whose extension the
// driver lacks (Mesa has no NV programs) refuses to load; a program that does not compile is
// refused with the driver's message.
#include <cstring>
#include <string>

#include "kivo/support/raise.h"
#include "op_runner.h"
#include "ops.h"
#include "platform/leak_check.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

struct ProgramKind {
  uint32_t loadSlot;  // identifies the kind among the loaded programs
  const char16_t* name;
  const char* extension;
  GLenum target;
  bool nv;
  bool vertex;
};

constexpr ProgramKind kArbVertex{slot::kLoadArbVertexProgram, u"LoadArbVertexProgram", "GL_ARB_vertex_program",
                                 GL_VERTEX_PROGRAM_ARB, false, true};
constexpr ProgramKind kNvVertex{slot::kLoadNvVertexProgram, u"LoadNvVertexProgram", "GL_NV_vertex_program",
                                GL_VERTEX_PROGRAM_NV, true, true};
constexpr ProgramKind kNvFragment{slot::kLoadNvFragmentProgram, u"LoadNvFragmentProgram", "GL_NV_fragment_program",
                                  GL_FRAGMENT_PROGRAM_NV, true, false};
constexpr ProgramKind kArbFragment{slot::kLoadArbFragmentProgram, u"LoadArbFragmentProgram",
                                   "GL_ARB_fragment_program", GL_FRAGMENT_PROGRAM_ARB, false, false};

bool HasExtension(const char* name) {
  const auto* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!all) return false;
  const size_t length = std::strlen(name);
  for (const char* at = std::strstr(all, name); at; at = std::strstr(at + 1, name))
    if ((at == all || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
  return false;
}

// The program functions of the context: extensions, so looked up rather than linked.
struct ProgramFunctions {
  PFNGLGENPROGRAMSARBPROC genArb;
  PFNGLBINDPROGRAMARBPROC bindArb;
  PFNGLPROGRAMSTRINGARBPROC stringArb;
  PFNGLDELETEPROGRAMSARBPROC deleteArb;
  PFNGLGETPROGRAMIVARBPROC getArb;
  PFNGLGENPROGRAMSNVPROC genNv;
  PFNGLBINDPROGRAMNVPROC bindNv;
  PFNGLLOADPROGRAMNVPROC loadNv;
  PFNGLDELETEPROGRAMSNVPROC deleteNv;

  explicit ProgramFunctions(const DrawTarget& target)
      : genArb(Find<PFNGLGENPROGRAMSARBPROC>(target, "glGenProgramsARB")),
        bindArb(Find<PFNGLBINDPROGRAMARBPROC>(target, "glBindProgramARB")),
        stringArb(Find<PFNGLPROGRAMSTRINGARBPROC>(target, "glProgramStringARB")),
        deleteArb(Find<PFNGLDELETEPROGRAMSARBPROC>(target, "glDeleteProgramsARB")),
        getArb(Find<PFNGLGETPROGRAMIVARBPROC>(target, "glGetProgramivARB")),
        genNv(Find<PFNGLGENPROGRAMSNVPROC>(target, "glGenProgramsNV")),
        bindNv(Find<PFNGLBINDPROGRAMNVPROC>(target, "glBindProgramNV")),
        loadNv(Find<PFNGLLOADPROGRAMNVPROC>(target, "glLoadProgramNV")),
        deleteNv(Find<PFNGLDELETEPROGRAMSNVPROC>(target, "glDeleteProgramsNV")) {}

  bool Has(const ProgramKind& kind) const {
    return kind.nv ? genNv && bindNv && loadNv && deleteNv : genArb && bindArb && stringArb && deleteArb && getArb;
  }

 private:
  template <class F>
  static F Find(const DrawTarget& target, const char* name) {
    return reinterpret_cast<F>(target.ProcAddress(name));
  }
};

bool Load(State& s, const ProgramKind& kind, const char* text, uint32_t* handle) {
  if (!text || !handle) return false;
  *handle = 0;
  const ProgramFunctions gl(*s.target);
  if (!HasExtension(kind.extension) || !gl.Has(kind)) {
    kivo::RaiseFormatted(kivo::kLevelError, u"RTRasterizer::%s()... the driver has no %s", kind.name, kind.extension);
    return false;
  }
  // The driver keeps what it makes while compiling (its program strings) until it unloads.
  platform::DriverSetUp driver;
  while (glGetError() != GL_NO_ERROR) {
  }
  GLuint program = 0;
  const auto length = static_cast<GLsizei>(std::strlen(text));
  GLint errorAt = -1;
  if (kind.nv) {
    gl.genNv(1, &program);
    gl.loadNv(kind.target, program, length, reinterpret_cast<const GLubyte*>(text));
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_NV, &errorAt);
  } else {
    GLint bound = 0;
    gl.getArb(kind.target, GL_PROGRAM_BINDING_ARB, &bound);
    gl.genArb(1, &program);
    gl.bindArb(kind.target, program);
    gl.stringArb(kind.target, GL_PROGRAM_FORMAT_ASCII_ARB, length, text);
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &errorAt);
    gl.bindArb(kind.target, static_cast<GLuint>(bound));
  }
  if (errorAt != -1 || glGetError() != GL_NO_ERROR) {
    const auto* message = reinterpret_cast<const char*>(glGetString(GL_PROGRAM_ERROR_STRING_ARB));
    kivo::RaiseFormatted(kivo::kLevelError, u"RTRasterizer::%s()... the program does not load at %d: %s", kind.name,
                         errorAt, message ? message : "");
    if (kind.nv) {
      gl.deleteNv(1, &program);
    } else {
      gl.deleteArb(1, &program);
    }
    return false;
  }
  s.programs.insert({kind.loadSlot, program});
  *handle = program;
  return true;
}

bool Enable(State& s, const ProgramKind& kind, uint32_t handle) {
  if (handle && !s.programs.count({kind.loadSlot, handle})) return false;
  const ProgramFunctions gl(*s.target);
  if (!HasExtension(kind.extension) || !gl.Has(kind)) return true;  // nothing of that kind to switch off
  if (handle) {
    if (kind.nv) {
      gl.bindNv(kind.target, handle);
    } else {
      gl.bindArb(kind.target, handle);
    }
    glEnable(kind.target);
  } else {
    glDisable(kind.target);
  }
  if (kind.vertex) s.vertexProgramOn = handle != 0;
  return true;
}

RTSuccess LoadOf(RTInstance self, const char* name, const ProgramKind& kind, const char* text, uint32_t* handle) {
  return Drawing(
      self, name, [&](State& s) { return Load(s, kind, text, handle); }, ProgramText{text}, Out<uint32_t>{handle});
}

RTSuccess EnableOf(RTInstance self, const char* name, const ProgramKind& kind, uint32_t handle) {
  return Drawing(self, name, [&](State& s) { return Enable(s, kind, handle); }, handle);
}

}  // namespace

RTSuccess LoadArbVertexProgram(RTInstance self, const char* text, uint32_t* handle) {
  return LoadOf(self, "LoadArbVertexProgram", kArbVertex, text, handle);
}
RTSuccess LoadNvVertexProgram(RTInstance self, const char* text, uint32_t* handle) {
  return LoadOf(self, "LoadNvVertexProgram", kNvVertex, text, handle);
}
RTSuccess LoadNvFragmentProgram(RTInstance self, const char* text, uint32_t* handle) {
  return LoadOf(self, "LoadNvFragmentProgram", kNvFragment, text, handle);
}
RTSuccess LoadArbFragmentProgram(RTInstance self, const char* text, uint32_t* handle) {
  return LoadOf(self, "LoadArbFragmentProgram", kArbFragment, text, handle);
}
RTSuccess EnableArbVertexProgram(RTInstance self, uint32_t handle) {
  return EnableOf(self, "EnableArbVertexProgram", kArbVertex, handle);
}
RTSuccess EnableNvVertexProgram(RTInstance self, uint32_t handle) {
  return EnableOf(self, "EnableNvVertexProgram", kNvVertex, handle);
}
RTSuccess EnableNvFragmentProgram(RTInstance self, uint32_t handle) {
  return EnableOf(self, "EnableNvFragmentProgram", kNvFragment, handle);
}
RTSuccess EnableArbFragmentProgram(RTInstance self, uint32_t handle) {
  return EnableOf(self, "EnableArbFragmentProgram", kArbFragment, handle);
}

}  // namespace rasterizer
