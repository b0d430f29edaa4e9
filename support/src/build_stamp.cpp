// The date and time of the build that every component library's definition reports. They are
// compiled here, once per build, and not in the header that makes the definitions: a date in a
// header would change the object of every file that includes it on every build, and no compiler
// cache could reuse them.
#include "kivo/support/component_kit.h"

namespace kivo {

const char kBuildDate[] = __DATE__;
const char kBuildTime[] = __TIME__;

}  // namespace kivo
