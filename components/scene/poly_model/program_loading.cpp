#include "program_loading.h"

#include "kivo/rasterizer/rasterizer_calls.h"
#include "program_texts.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

// The handles of the loaded programs, 0 until loaded; they live as long as the library.
struct ProgramHandles {
  uint32_t bumpMapVPSP0;
  uint32_t diffuseMapVPID0;
  uint32_t bumpMapVPID0;
  uint32_t bumpMapFPSP0;
  uint32_t bumpMapFPID0;
  uint32_t diffuseMapFPID0;
  uint32_t bumpMapVPARBID0;
  uint32_t bumpMapFPARBID0;
};
ProgramHandles gHandles{};

bool LoadNvPrograms(RTInstance rasterizer) {
  const bool vertex = r::LoadNvVertexProgram(rasterizer, programs::kBumpMapVPSP0, &gHandles.bumpMapVPSP0) &&
                      r::LoadNvVertexProgram(rasterizer, programs::kDiffuseMapVPID0, &gHandles.diffuseMapVPID0) &&
                      r::LoadNvVertexProgram(rasterizer, programs::kBumpMapVPID0, &gHandles.bumpMapVPID0);
  if (!vertex) return false;
  r::EnableNvVertexProgram(rasterizer, 0);
  const bool fragment = r::LoadNvFragmentProgram(rasterizer, programs::kBumpMapFPSP0, &gHandles.bumpMapFPSP0) &&
                        r::LoadNvFragmentProgram(rasterizer, programs::kBumpMapFPID0, &gHandles.bumpMapFPID0) &&
                        r::LoadNvFragmentProgram(rasterizer, programs::kDiffuseMapFPID0, &gHandles.diffuseMapFPID0);
  if (!fragment) return false;
  r::EnableNvFragmentProgram(rasterizer, 0);
  return true;
}

void LoadArbPrograms(RTInstance rasterizer) {
  if (!r::LoadArbVertexProgram(rasterizer, programs::kBumpMapVPARBID0, &gHandles.bumpMapVPARBID0)) return;
  r::EnableArbVertexProgram(rasterizer, 0);
  if (!r::LoadArbFragmentProgram(rasterizer, programs::kBumpMapFPARBID0, &gHandles.bumpMapFPARBID0)) return;
  r::EnableArbFragmentProgram(rasterizer, 0);
}

}  // namespace

void LoadPrograms(RTInstance rasterizer) {
  if (!LoadNvPrograms(rasterizer)) LoadArbPrograms(rasterizer);
}

}  // namespace kivo::mesh
