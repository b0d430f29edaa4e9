// Instance records and the instance tree under Root.
#pragma once

namespace kivo::core {

// Creates Root at core start-up and drops its reference at shutdown.
void CreateRoot();
void ReleaseRoot();

}  // namespace kivo::core
