#pragma once
// Method replacement with the contract of libsubstrate's MSHookMessage.
#include "runtime/Runtime.h"

// Puts `replacement` in place of the instance method `selector` of cls. The implementation it
// replaces (the class's own or an inherited one) stays callable on the same objects under the
// prefixed selector, e.g. "bg_applicationDidFinishLaunching:". Returns that previous
// implementation; empty, with only the replacement added, when there was none. Nothing changes
// when cls or replacement is missing.
//
// Replacing the same method again under the same prefix chains: while the newer replacement runs,
// the prefixed selector reaches the older replacement, and inside that one the class's own
// implementation, so each runs once. Sent from outside any replacement, the prefixed selector
// reaches the class's own implementation.
IMP MSHookMessage(Class cls, SEL selector, IMP replacement, const char* prefix);
