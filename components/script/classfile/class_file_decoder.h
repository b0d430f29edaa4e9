// Reading a class file into a ClassImage. Every count is checked against its bound and against
// the bytes left in the file before anything is made for it, every name against its length bound,
// every byte flag, method kind, constant tag and line table entry against what it may be; nothing
// enters a type table here.
#pragma once

#include "classfile/class_image.h"
#include "kivo/types.h"

namespace varno {

// Reads the whole stream (positioned at the version) into `image`. A version newer than this
// reader's is refused with "Stream in function has failed for .varnoc file.", an unknown constant
// tag with "Couldn't recognize the constant type", any other damage with a message that names the
// file, the byte where the bad value starts and what is wrong.
RTSuccess DecodeClassFile(RTInstance stream, const char16_t* file, ClassImage* image);

}  // namespace varno
