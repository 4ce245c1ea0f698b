#pragma once

namespace platform {

/// While one lives on this thread, the last name of a drive path is taken as
/// spelled and never matched ignoring case; the folders on the way still
/// are. Commands that act on an item the user picked from the file list or
/// the folder tree hold one: that item is exactly the name shown, and when it
/// has gone a case twin beside it must not be taken in its place. Scopes nest.
class ExactNames {
 public:
  ExactNames();
  ~ExactNames();
  ExactNames(const ExactNames&) = delete;
  ExactNames& operator=(const ExactNames&) = delete;

  /// Whether a scope is open on this thread.
  static bool InForce();
};

}  // namespace platform
