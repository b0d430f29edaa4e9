#include <GL/gl.h>

#include "draw_target.h"

namespace rasterizer {

bool ReadShownPixels(int width, int height, std::vector<uint8_t>* rgba) {
  if (width <= 0 || height <= 0) return false;
  while (glGetError() != GL_NO_ERROR) {
  }
  GLboolean doubleBuffered = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  // After a swap the shown frame is the front buffer; a single buffer is always the shown one.
  if (doubleBuffered) glReadBuffer(GL_FRONT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  rgba->resize(static_cast<size_t>(width) * height * 4);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba->data());
  return glGetError() == GL_NO_ERROR;
}

}  // namespace rasterizer
