// A bench class of the sample game (deriving from TeskGame) on a core session whose rasterizer is
// the software module, drawing offscreen: the class parsed from its file with the staged game's
// classes, its object constructed and its Switchboard started. Every failure ends the process
// with a message that names the benchmark.
#pragma once

#include <memory>

#include "core_session.h"
#include "kivo/support/instance_ref.h"
#include "varno/scripting_calls.h"

namespace tesk::bench {

class BenchGame {
 public:
  // `bench` names the benchmark in messages; the game draws into a `width` x `height` buffer.
  BenchGame(const char* bench, const char* classFile, uint32_t width, uint32_t height);

  // One pass of the scheduler over every context: one game frame.
  void Pass();
  // Whether the object's bool attribute of that name is true.
  bool Flag(const char16_t* attribute);

  RTInstance rasterizer() const { return rasterizer_.get(); }
  // The game's window: a handle that is no program window, which the software rasterizer takes as
  // the tag of an offscreen buffer of the size the game is given (Startup makes the context).
  void* window();

  [[noreturn]] void Die(const char* why) const;

 private:
  const char* bench_;
  std::unique_ptr<CoreSession> session_;
  kivo::InstanceRef rasterizer_;
  kivo::InstanceRef game_;
  kivo::InstanceRef varno_;
  varno::scripting::VM vm_ = nullptr;
  varno::scripting::TypeTable table_ = nullptr;
  varno::scripting::Symbol object_ = nullptr;
};

}  // namespace tesk::bench
