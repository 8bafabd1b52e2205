# Sourced: sets debian_flags, the CMake options that compile and link as a
# Debian package is built, with every hardening feature Debian knows
# (bind-now included). The package is built so, and so is the build the
# tests run on, which the package can then be made from.
debian_flag() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
debian_flags=(
  -DCMAKE_CXX_FLAGS="$(debian_flag CPPFLAGS) $(debian_flag CXXFLAGS)"
  -DCMAKE_EXE_LINKER_FLAGS="$(debian_flag LDFLAGS)"
)
