#include "platform/drives/ExactNames.h"

namespace platform {

namespace {

// Per thread: a scope speaks only for the command that opened it.
thread_local int depth = 0;

}  // namespace

ExactNames::ExactNames() { ++depth; }

ExactNames::~ExactNames() { --depth; }

bool ExactNames::InForce() { return depth > 0; }

}  // namespace platform
